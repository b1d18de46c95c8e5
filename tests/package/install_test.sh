#!/usr/bin/env bash
# cmake --install into a fresh prefix: every file in its usual place, the installed programs run,
# each manual page has a section for every verb the program's --help lists and its exit
# statuses, and the bash completion offers every verb and each verb's options.
#   install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
tool="$prefix/bin/scenario_tool"
for f in bin/generatore bin/scenario_tool share/man/man1/generatore.1.gz \
  share/man/man1/scenario_tool.1.gz share/bash-completion/completions/scenario_tool \
  share/doc/scenario-generator/README.md share/doc/scenario-generator/docs/source-format.md \
  share/scenario-generator/schemas/inspect.schema.json \
  share/scenario-generator/schemas/compile.schema.json \
  share/scenario-generator/schemas/diagnostic.schema.json; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done

# The installed programs, from the prefix alone.
# (grep -q reads the output whole from a string: ending a pipe early would fail it under pipefail)
grep -qE '^scenario_tool [0-9]+\.[0-9]+\.[0-9]+' <<<"$("$tool" --version)" || fail "scenario_tool --version"
grep -qE '^generatore [0-9]+\.[0-9]+\.[0-9]+' <<<"$("$prefix/bin/generatore" --version)" ||
  fail "generatore --version"
work="$prefix/work"
mkdir "$work"
(cd "$work" && "$tool" template >/dev/null && "$tool" compile Valdora_Lusa_linea.txt \
  Valdora_Lusa_24863-.txt -o out >/dev/null && "$tool" inspect out >/dev/null) ||
  fail "template, compile and inspect with the installed scenario_tool"
status=0
unknown="$("$tool" compil 2>&1)" || status=$?
[ "$status" = 64 ] && grep -qx "scenario_tool: error: unknown command 'compil' (did you mean 'compile'?); .*" <<<"$unknown" ||
  fail "an unknown verb: status $status, $unknown"

verbs="$("$tool" --help | awk '/^Subcommands:/ {on = 1; next} on && /^  [a-z]/ {print $1} on && /^$/ {on = 0}')"
[ "$(echo "$verbs" | wc -w)" -ge 6 ] || fail "no verbs in scenario_tool --help: $verbs"

# The manual pages, as man shows them.
page() { MANWIDTH=200 man -l "$prefix/share/man/man1/$1.1.gz" 2>/dev/null; }
tool_page="$(page scenario_tool)"
for verb in $verbs; do
  grep -q "^   scenario_tool $verb\$" <<<"$tool_page" || fail "scenario_tool(1) has no section for $verb"
  # Every option the verb's --help names is on the page.
  for option in $("$tool" "$verb" --help | awk '/^  -/ {n = split($1, o, ","); print o[n]}'); do
    grep -qe "$option" <<<"$tool_page" || fail "scenario_tool(1): $verb's $option is missing"
  done
done
grep -q "^  *64  wrong usage" <<<"$tool_page" || fail "scenario_tool(1) lists no exit status"
generatore_page="$(page generatore)"
grep -q "^ *Exit status:" <<<"$generatore_page" || fail "generatore(1) has no exit statuses"
grep -q "generatore [0-9]" <<<"$generatore_page" || fail "generatore(1) has no version"

# The completion, as bash runs it.
complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _scenario_tool;
           printf "%s\n" "${COMPREPLY[@]}"' _ "$prefix/share/bash-completion/completions/scenario_tool" "$@"
}
for verb in $verbs; do
  grep -qx "$verb" <<<"$(complete_words scenario_tool "")" || fail "completion does not offer $verb"
  for option in $("$tool" "$verb" --help | awk '/^  -/ {n = split($1, o, ","); print o[n]}'); do
    grep -qx -- "$option" <<<"$(complete_words scenario_tool "$verb" "${option:0:3}")" ||
      fail "completion of $verb ${option:0:3} does not offer $option"
  done
done
[ "$(complete_words scenario_tool com)" = "compile" ] || fail "completion of 'com'"
[ -z "$(complete_words scenario_tool compile some)" ] || fail "a file name is left to bash"
echo "install test: 1 passed, 0 failed"
