#!/usr/bin/env bash
# The .deb that `make package` makes: built by cpack from the build, no lintian error, its
# dependencies found by dpkg-shlibdeps; unpacked into a temporary root with dpkg -x, the installed
# programs run and the generator writes the built-in scenario's six files.
#   deb_test.sh BUILD_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >cpack.log 2>&1) ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb="$(ls "$work"/out/*.deb)"
[ "$(echo "$deb" | wc -l)" = 1 ] || fail "one .deb expected: $deb"

depends="$(dpkg-deb -f "$deb" Depends)"
grep -q "libc6" <<<"$depends" || fail "no dependencies from dpkg-shlibdeps: '$depends'"
[ "$(dpkg-deb -f "$deb" Package)" = scenario-generator ] || fail "package name"

lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
if grep -q "^E:" "$work/lintian.log"; then
  cat "$work/lintian.log"
  fail "lintian reports errors"
fi

root="$work/root"
dpkg -x "$deb" "$root"
for f in usr/bin/generatore usr/bin/scenario_tool usr/share/man/man1/scenario_tool.1.gz \
  usr/share/man/man1/generatore.1.gz usr/share/bash-completion/completions/scenario_tool \
  usr/share/doc/scenario-generator/copyright usr/share/doc/scenario-generator/changelog.gz \
  usr/share/doc/scenario-generator/README.md usr/share/scenario-generator/schemas/inspect.schema.json \
  usr/share/scenario-generator/schemas/compile.schema.json \
  usr/share/scenario-generator/schemas/diagnostic.schema.json; do
  [ -f "$root/$f" ] || fail "$f is not in the package"
done
described="$(file "$root/usr/bin/scenario_tool")"
grep -q "stripped" <<<"$described" || fail "scenario_tool is not stripped"
grep -q "not stripped" <<<"$described" && fail "scenario_tool is not stripped"

grep -q '^scenario_tool ' <<<"$("$root/usr/bin/scenario_tool" --version)" || fail "scenario_tool --version"
grep -q '^Usage: generatore' <<<"$("$root/usr/bin/generatore" --help)" || fail "generatore --help"
# generatore writes beside itself: it runs from a folder of its own.
mkdir "$work/run"
cp "$root/usr/bin/generatore" "$work/run/"
env -u DISPLAY "$work/run/generatore" 2>/dev/null || fail "the packaged generatore's run"
[ "$(ls "$work/run" | grep -c -E '\.(txt|dat|sim)$')" = 6 ] || fail "six files expected: $(ls "$work/run")"
"$root/usr/bin/scenario_tool" inspect "$work/run" >/dev/null || fail "inspect of its files"
echo "deb test: 1 passed, 0 failed ($(grep -c '^W:' "$work/lintian.log") lintian warnings)"
