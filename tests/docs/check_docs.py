#!/usr/bin/env python3
"""Checks the Markdown pages against themselves and against the tool's --help.

README.md and docs/*.md: every table has a separator row under its header and the same number
of cells on every row; no merge conflict marker is left in. docs/VERB.md: names every option that
`scenario_tool VERB --help` lists.
    check_docs.py SCENARIO_TOOL PROJECT_DIR
"""
import pathlib
import re
import subprocess
import sys

CONFLICT = re.compile(r"^(<<<<<<<|=======$|>>>>>>>|\|\|\|\|\|\|\|)")
SEPARATOR_CELL = re.compile(r"^\s*:?-{3,}:?\s*$")


def cells(row):
    """The cells of a table row: split on | that no backslash escapes, outer pipes dropped."""
    parts = re.split(r"(?<!\\)\|", row.strip())
    if parts and parts[0].strip() == "":
        parts = parts[1:]
    if parts and parts[-1].strip() == "":
        parts = parts[:-1]
    return parts


def table_problems(path, lines):
    """Each table is a run of lines starting with |, outside fenced code."""
    problems = []
    fenced = False
    table = []
    for number, line in enumerate(lines + [""], start=1):
        if line.startswith("```"):
            fenced = not fenced
        if not fenced and line.startswith("|"):
            table.append((number, line))
            continue
        if table:
            problems += one_table(path, table)
            table = []
    return problems


def one_table(path, rows):
    first, header = rows[0]
    width = len(cells(header))
    if len(rows) < 2 or not all(SEPARATOR_CELL.match(c) for c in cells(rows[1][1])):
        return [f"{path}:{first}: table without a separator row under its header"]
    return [f"{path}:{n}: {len(cells(row))} cells where the header has {width}"
            for n, row in rows if len(cells(row)) != width]


def conflict_problems(path, lines):
    return [f"{path}:{n}: merge conflict marker" for n, line in enumerate(lines, start=1)
            if CONFLICT.match(line)]


def help_options(tool, verb):
    """The long and short option names `VERB --help` lists, --help itself aside."""
    text = subprocess.run([tool, verb, "--help"], capture_output=True, text=True, check=True).stdout
    names = set()
    for line in text.splitlines():
        if line.startswith("  -"):
            names.update(n for n in line.split()[0].split(",") if n not in ("-h", "--help"))
    return names


def verbs_of(tool):
    text = subprocess.run([tool, "--help"], capture_output=True, text=True, check=True).stdout
    listed = text.split("Subcommands:", 1)[1]
    return [line.split()[0] for line in listed.splitlines() if line.startswith("  ") and line.strip()]


def option_problems(tool, docs):
    problems = []
    verbs = verbs_of(tool)
    if len(verbs) < 10:
        problems.append(f"scenario_tool --help lists {len(verbs)} verbs: {verbs}")
    for verb in verbs:
        page = docs / f"{verb}.md"
        if not page.exists():
            problems.append(f"{page}: missing, the page of `{verb}`")
            continue
        text = page.read_text(encoding="utf-8")
        for option in sorted(help_options(tool, verb)):
            # As a word of its own: "-o" is not found inside "--output" nor "-j" in "-jobs".
            if not re.search(r"(?<![\w-])" + re.escape(option) + r"(?![\w-])", text):
                problems.append(f"{page}: `{verb} {option}` is not documented")
    return problems


def main():
    tool, project = sys.argv[1], pathlib.Path(sys.argv[2])
    pages = [project / "README.md"] + sorted((project / "docs").glob("*.md"))
    problems = []
    for page in pages:
        lines = page.read_text(encoding="utf-8").splitlines()
        problems += table_problems(page, lines) + conflict_problems(page, lines)
    problems += option_problems(tool, project / "docs")
    for p in problems:
        print(p)
    print(f"{len(pages)} pages checked, {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
