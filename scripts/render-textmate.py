#!/usr/bin/python3
"""Colours a scenario source as the TextMate grammar of editors/vscode does, and writes it as an
HTML page: for a picture of the grammar's highlighting without an editor. The grammar's rules are
single `match` patterns; at each place of a line the rule whose match starts first wins (the
first listed on a tie), as a TextMate engine decides. Python's re reads these patterns as
Oniguruma does ((?i:...), fixed-width look-behind).

usage: render-textmate.py GRAMMAR SOURCE TITLE > PAGE.html"""

import html
import json
import re
import sys

# A light theme's colours for the scopes the grammar gives.
COLOURS = {
    "comment": "#008000",
    "entity.name.section": "#795e26",
    "keyword": "#0000ff",
    "constant.numeric": "#098658",
    "punctuation": "#666666",
}


def rules(grammar):
    out = []
    for pattern in grammar["patterns"]:
        rule = grammar["repository"][pattern["include"].lstrip("#")]
        out.append((re.compile(rule["match"]), rule["name"]))
    return out


def colour(scope):
    for prefix, value in COLOURS.items():
        if scope.startswith(prefix):
            return value
    return None


def render_line(line, compiled):
    out, at = [], 0
    while at <= len(line):
        found = None
        for pattern, scope in compiled:
            m = pattern.search(line, at)
            if m and m.end() > m.start() and (found is None or m.start() < found[0].start()):
                found = (m, scope)
        if not found:
            break
        m, scope = found
        out.append(html.escape(line[at:m.start()]))
        out.append(f'<span style="color:{colour(scope)}" title="{scope}">'
                   f'{html.escape(m.group(0))}</span>')
        at = m.end()
    out.append(html.escape(line[at:]))
    return "".join(out)


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 64
    grammar = json.load(open(sys.argv[1], encoding="utf-8"))
    compiled = rules(grammar)
    with open(sys.argv[2], encoding="latin-1") as f:
        lines = f.read().splitlines()
    body = "\n".join(render_line(line, compiled) for line in lines)
    print(f"""<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>{html.escape(sys.argv[3])}</title></head>
<body style="margin:0;background:#ffffff">
<pre style="font:14px/1.4 'DejaVu Sans Mono',monospace;margin:12px;color:#000000">{body}</pre>
</body></html>""")
    return 0


if __name__ == "__main__":
    sys.exit(main())
