#!/usr/bin/env python3
"""Validates real --json outputs of scenario_tool against the shipped schemas (draft 2020-12).

One row per verb output: the schema, the arguments, and the scenario it runs on. The scenarios
are made here with the programs themselves: the built-in one (template, compile), the same without
its line file, one with a damaged table, a 1000 km synthetic line, and sources with faults for
compile. A schema may refer to another (diagnostic.schema.json) by its file name.
    validate_outputs.py SCENARIO_TOOL WRITE_SYNTHETIC SCHEMA_DIR
"""
import json
import pathlib
import subprocess
import sys
import tempfile

import jsonschema

tool, write_synthetic, schema_dir = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])


def run(*args, cwd=None, statuses=(0,)):
    r = subprocess.run([tool, *args], cwd=cwd, capture_output=True, text=True)
    if r.returncode not in statuses:
        sys.exit(f"scenario_tool {' '.join(args)}: status {r.returncode}\n{r.stderr}")
    return r


def make_scenarios(work):
    """The folders the rows run on, by name."""
    builtin = work / "builtin"
    run("template", "-o", str(builtin))
    run("compile", str(builtin / "Valdora_Lusa_linea.txt"), str(builtin / "Valdora_Lusa_24863-.txt"),
        "-o", str(builtin))
    no_line = work / "no_line"
    run("compile", str(builtin / "Valdora_Lusa_linea.txt"), str(builtin / "Valdora_Lusa_24863-.txt"),
        "-o", str(no_line), "--no-line")
    damaged = work / "damaged"
    run("compile", str(builtin / "Valdora_Lusa_linea.txt"), str(builtin / "Valdora_Lusa_24863-.txt"),
        "-o", str(damaged), "--no-line")
    table = damaged / "Valdora_Lusa_24863.sim"
    table.write_bytes(table.read_bytes()[:1000])
    synthetic = work / "synthetic"
    synthetic.mkdir()
    subprocess.run([write_synthetic, "1000000", str(synthetic)], check=True)
    run("compile", str(synthetic / "Sintetico_linea.txt"), str(synthetic / "Sintetico_1-.txt"),
        "-o", str(synthetic))
    faulty = work / "faulty"
    run("template", "-o", str(faulty))
    train = faulty / "Valdora_Lusa_24863-.txt"
    train.write_bytes(train.read_bytes().replace(b"segnale,   1000,", b"segnale,    800,"))
    line = faulty / "Valdora_Lusa_linea.txt"
    line.write_bytes(line.read_bytes().replace(b"pendenza  , 300 ", b"pendenze  , 300 "))
    no_track = work / "no_track"
    run("template", "-o", str(no_track))
    line = no_track / "Valdora_Lusa_linea.txt"
    line.write_bytes(line.read_bytes().replace(b"[generale]", b"[generali"))
    starter = work / "starter"
    run("new", "Prova", "7", "-o", str(starter))
    run("compile", str(starter / "Prova_linea.txt"), str(starter / "Prova_7-.txt"), "-o", str(starter))
    return {"builtin": builtin, "no_line": no_line, "damaged": damaged, "synthetic": synthetic,
            "starter": starter, "faulty": faulty, "no_track": no_track}


# verb output, schema, arguments ({name} is a scenario folder), exit statuses it may give
ROWS = [
    ("inspect", "inspect", ["inspect", "--json", "{builtin}"], (0,)),
    ("inspect --cells", "inspect", ["inspect", "--json", "--cells", "{builtin}"], (0,)),
    ("inspect, no line file", "inspect", ["inspect", "--json", "--cells", "{no_line}"], (0,)),
    ("inspect, damaged table", "inspect", ["inspect", "--json", "--cells", "{damaged}"], (65,)),
    ("inspect, missing file", "inspect",
     ["inspect", "--json", "{builtin}/Valdora_Lusa_24863.dat", "{builtin}/Nowhere_1.sim"], (3,)),
    ("inspect --cells, 1000 km", "inspect", ["inspect", "--json", "--cells", "{synthetic}"], (0,)),
    ("check", "check", ["check", "--json", "{builtin}"], (0, 2)),
    # Tight parameters, so that findings of several kinds fill the output (--werror: status 2
    # only when there are some).
    ("check, findings", "check",
     ["check", "--json", "--werror", "--timetable", "--max-gradient", "0", "--cant", "0",
      "--accel", "0.05", "{builtin}"], (2,)),
    ("check, no line file", "check", ["check", "--json", "{no_line}"], (0, 2)),
    ("check, damaged table", "check", ["check", "--json", "{damaged}"], (65,)),
    ("check, 1000 km", "check", ["check", "--json", "{synthetic}"], (0, 2)),
    ("documents", "documents", ["documents", "--json", "{builtin}"], (0,)),
    ("documents, 1000 km", "documents", ["documents", "--json", "{synthetic}"], (0,)),
    ("diff, the same", "diff", ["diff", "--json", "{builtin}", "{builtin}"], (0,)),
    ("diff, another scenario", "diff", ["diff", "--json", "{builtin}", "{starter}"], (1,)),
    ("diff, one side without its line", "diff", ["diff", "--json", "{builtin}", "{no_line}"], (1,)),
    ("diff, 1000 km", "diff", ["diff", "--json", "{synthetic}", "{builtin}"], (1,)),
    ("compile, clean", "compile",
     ["compile", "--json", "{builtin}/Valdora_Lusa_linea.txt", "{builtin}/Valdora_Lusa_24863-.txt",
      "-o", "{builtin}/again"], (0,)),
    ("compile --check", "compile",
     ["compile", "--json", "--check", "{builtin}/Valdora_Lusa_linea.txt",
      "{builtin}/Valdora_Lusa_24863-.txt", "-o", "{builtin}/checked"], (0, 2)),
    ("check, sources given", "check",
     ["check", "--json", "{builtin}", "--sources", "{builtin}/Valdora_Lusa_linea.txt",
      "{builtin}/Valdora_Lusa_24863-.txt"], (0, 2)),
    ("compile, an error and a warning", "compile",
     ["compile", "--json", "{faulty}/Valdora_Lusa_linea.txt", "{faulty}/Valdora_Lusa_24863-.txt",
      "-o", "{faulty}/out"], (2,)),
    ("compile, nothing written", "compile",
     ["compile", "--json", "{no_track}/Valdora_Lusa_linea.txt",
      "{no_track}/Valdora_Lusa_24863-.txt", "-o", "{no_track}/out"], (2,)),
]


# Schemas that others refer to rather than a verb's whole output; each is checked through them.
SHARED = ["diagnostic"]


def shipped_schemas():
    """Every shipped schema by its $id, so that a $ref by file name resolves to the shipped file."""
    schemas = (json.loads(p.read_text()) for p in schema_dir.glob("*.schema.json"))
    return {schema["$id"]: schema for schema in schemas}


def validator_for(schema, shipped):
    """A validator that resolves $ref among the shipped schemas, with the referencing library of
    jsonschema 4.18 and later, or the RefResolver of the older ones Debian may ship."""
    try:
        import referencing
    except ImportError:
        resolver = jsonschema.RefResolver.from_schema(schema, store=shipped)
        return jsonschema.Draft202012Validator(schema, resolver=resolver)
    registry = referencing.Registry().with_resources(
        (uri, referencing.Resource.from_contents(s)) for uri, s in shipped.items())
    return jsonschema.Draft202012Validator(schema, registry=registry)


def main():
    failures = 0
    passed = 0
    with tempfile.TemporaryDirectory() as tmp:
        folders = make_scenarios(pathlib.Path(tmp))
        shipped = shipped_schemas()
        for name, schema_name, args, statuses in ROWS:
            schema = json.loads((schema_dir / f"{schema_name}.schema.json").read_text())
            jsonschema.Draft202012Validator.check_schema(schema)
            argv = [a.format(**{k: str(v) for k, v in folders.items()}) for a in args]
            output = json.loads(run(*argv, statuses=statuses).stdout)
            validator = validator_for(schema, shipped)
            errors = list(validator.iter_errors(output))
            for e in errors[:5]:
                print(f"FAIL {name}: {'/'.join(map(str, e.absolute_path))}: {e.message}")
            failures += bool(errors)
            if not errors:
                passed += 1
                print(f"ok   {name}")
    # Every shipped schema has a row: a schema no test reads would drift from its output.
    untested = {p.name.removesuffix(".schema.json") for p in schema_dir.glob("*.schema.json")}
    untested -= {row[1] for row in ROWS} | set(SHARED)
    for s in sorted(untested):
        print(f"FAIL schemas/{s}.schema.json has no row")
    failures += len(untested)
    print(f"{passed} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
