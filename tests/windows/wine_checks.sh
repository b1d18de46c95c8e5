#!/usr/bin/env bash
# The Windows programs under Wine, inside a virtual X server (run by scripts/test-windows):
#   1. generatore.exe leaves the same six files, byte for byte, as the Linux generatore, also over
#      longer files left by an earlier run;
#   2. scenario_tool.exe template, compile and inspect give the Linux tool's files and reports;
#   3. scenario_tool.exe reads and writes files and folders named beyond ASCII (accented letters,
#      Greek and CJK letters outside Windows-1252): compile, inspect, plot and compile --all;
#   4. the zip that `make package` makes holds both programs, the README, the verb pages and the
#      schemas, and the programs run from it;
#   5. the unit tests built for Windows pass;
#   6. the wait window and the message box, as Windows reports them, with screenshots.
#   wine_checks.sh WINDOWS_BUILD LINUX_BUILD
set -euo pipefail
win_build="$(cd "$1" && pwd)"
linux_build="$(cd "$2" && pwd)"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
artefacts="$win_build/test-artefacts"
mkdir -p "$artefacts"

export WINEPREFIX="$win_build/wineprefix"
export WINEDEBUG=-all
# No downloads of the .NET and HTML engines, and no dialogs asking for them.
export WINEDLLOVERRIDES="mscoree,mshtml="
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"

# Wine's files stay in the build folder, where Wine reaches them through its drive Z:.
work="$(mktemp -d "$win_build/wine-work.XXXXXX")"
cleanup() {
  kill $(jobs -p) 2>/dev/null || true
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
pass() {
  echo "ok: $*"
  passed=$((passed + 1))
}
fail() {
  echo "FAIL: $*" >&2
  failed=$((failed + 1))
}
check() {  # check DESCRIPTION COMMAND...
  local what="$1"
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
section() { echo "== $* ($((SECONDS))s)"; }

prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    section "creating the Wine prefix $WINEPREFIX"
    "$wine" wineboot -i >"$artefacts/wineboot.log" 2>&1
    "$wineserver" -w
  fi
  # Without a window manager Wine draws the frames itself, as Windows does.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

the_six_files=(Valdora_Lusa_24863.dat Valdora_Lusa_24863.sim Valdora_Lusa_24863_note.txt
  Valdora_Lusa_24863_rallentamenti.txt Valdora_Lusa_24863_scheda_treno.txt
  Valdora_Lusa_linea.dat)

same_bytes() {  # same_bytes DIR_A DIR_B NAME...
  local a="$1" b="$2" name
  shift 2
  for name in "$@"; do
    cmp -s "$a/$name" "$b/$name" || {
      echo "  $name differs: $(cmp "$a/$name" "$b/$name" 2>&1 | head -n 1)" >&2
      return 1
    }
  done
}

differ() { ! cmp -s "$1" "$2"; }

folder_holds() {  # folder_holds DIR NAME...: exactly these files
  local dir="$1"
  shift
  [ "$(cd "$dir" && ls -A | sort)" = "$(printf '%s\n' "$@" | sort)" ] || {
    echo "  $dir holds: $(cd "$dir" && ls -A | tr '\n' ' ')" >&2
    return 1
  }
}

every_line_ends_in_cr_lf() {
  local f="$1"
  [ -s "$f" ] && [ "$(grep -c $'\r$' "$f")" = "$(wc -l <"$f")" ] && [ "$(tail -c 2 "$f" | od -An -c | tr -d ' ')" = '\r\n' ]
}

check_generatore() {
  section "generatore.exe against the Linux generatore"
  local linux="$work/linux" win="$work/win prova è"
  mkdir -p "$linux" "$win"
  cp "$linux_build/generatore" "$linux/"
  cp "$win_build/generatore.exe" "$win/"
  local status=0
  (cd "$linux" && env -u DISPLAY ./generatore 2>"$work/linux.err") || status=$?
  check "the Linux generatore ends with status 0" [ "$status" = 0 ]
  status=0
  (cd "$win" && "$wine" ./generatore.exe) || status=$?
  check "generatore.exe ends with status 0 (in a folder named with a space and an è)" \
    [ "$status" = 0 ]
  check "generatore.exe leaves exactly the six files beside itself" \
    folder_holds "$win" generatore.exe "${the_six_files[@]}"
  check "the six files are byte for byte the Linux ones" \
    same_bytes "$linux" "$win" "${the_six_files[@]}"
  local doc
  for doc in note rallentamenti scheda_treno; do
    check "Valdora_Lusa_24863_$doc.txt ends every line in CR LF" \
      every_line_ends_in_cr_lf "$win/Valdora_Lusa_24863_$doc.txt"
  done

  # A second run over longer files of an earlier run replaces each one in full.
  local name
  for name in "${the_six_files[@]}"; do head -c 300000 /dev/zero >"$win/$name"; done
  status=0
  (cd "$win" && "$wine" ./generatore.exe) || status=$?
  check "a second run over longer old files ends with status 0" [ "$status" = 0 ]
  check "and leaves the Linux bytes again, with no file left over" \
    same_bytes "$linux" "$win" "${the_six_files[@]}"
  check "and no temporary or old file" folder_holds "$win" generatore.exe "${the_six_files[@]}"
  cp "$win"/Valdora_Lusa* "$work/"
}

# Console output of a Windows program: CR LF line ends and backslashes, made comparable.
as_linux_text() { tr -d '\r' | sed 's|\\\\|/|g; s|\\|/|g'; }

tool_run() {  # tool_run SIDE ARGS...: in the side's folder; prints stdout, then "status N"
  local side="$1" status=0
  shift
  if [ "$side" = linux ]; then
    (cd "$work/tool-linux" && "$linux_build/scenario_tool" "$@") >"$work/out" 2>"$work/err" || status=$?
  else
    (cd "$work/tool-win" && "$wine" "$win_build/scenario_tool.exe" "$@") >"$work/out" 2>"$work/err" || status=$?
  fi
  cat "$work/out" "$work/err" | as_linux_text
  echo "status $status"
}

same_tool_report() {  # same_tool_report DESCRIPTION ARGS...
  local what="$1"
  shift
  tool_run linux "$@" >"$work/report-linux"
  tool_run win "$@" >"$work/report-win"
  if diff "$work/report-linux" "$work/report-win" >"$work/report.diff"; then
    pass "$what"
  else
    fail "$what"
    head -n 20 "$work/report.diff" >&2
  fi
}

check_scenario_tool() {
  section "scenario_tool.exe against the Linux scenario_tool"
  mkdir -p "$work/tool-linux/src" "$work/tool-win/src"
  same_tool_report "template reports the same" template -o src
  same_tool_report "an unknown verb is answered the same" compil
  local sources=(Valdora_Lusa_linea.txt Valdora_Lusa_24863-.txt)
  check "template writes the same sources" \
    same_bytes "$work/tool-linux/src" "$work/tool-win/src" "${sources[@]}"

  same_tool_report "compile reports the same" compile src/Valdora_Lusa_linea.txt \
    src/Valdora_Lusa_24863-.txt -o out
  check "compile writes the same three files" same_bytes "$work/tool-linux/out" \
    "$work/tool-win/out" Valdora_Lusa_linea.dat Valdora_Lusa_24863.sim Valdora_Lusa_24863.dat
  check "and they are the generator's" same_bytes "$work" "$work/tool-win/out" \
    Valdora_Lusa_linea.dat Valdora_Lusa_24863.sim Valdora_Lusa_24863.dat
  check "compile leaves the author's sources in place" \
    same_bytes "$work/tool-linux/src" "$work/tool-win/src" "${sources[@]}"

  # A train source with a fault (a station off the 50 m grid): the same diagnostics, exit status
  # and files.
  local side
  for side in linux win; do
    mkdir -p "$work/tool-$side/bad"
    cp "$work/tool-$side/src/Valdora_Lusa_linea.txt" "$work/tool-$side/bad/R_linea.txt"
    sed 's/^stazione, *7400,/stazione,   7410,/' "$work/tool-$side/src/Valdora_Lusa_24863-.txt" \
      >"$work/tool-$side/bad/R_9-.txt"
  done
  check "the faulty source differs from the template" \
    differ "$work/tool-win/bad/R_9-.txt" "$work/tool-win/src/Valdora_Lusa_24863-.txt"
  same_tool_report "compile of a faulty source reports the same diagnostics and status" \
    compile bad/R_linea.txt bad/R_9-.txt -o bad-out --write-on-error
  check "and writes the same files" same_bytes "$work/tool-linux/bad-out" "$work/tool-win/bad-out" \
    $(cd "$work/tool-linux/bad-out" && ls)
  check "the faulty compile wrote files to compare" [ -n "$(ls -A "$work/tool-win/bad-out")" ]

  same_tool_report "inspect reports the same" inspect out
  same_tool_report "inspect --cells reports the same" inspect --cells out
  same_tool_report "inspect --json reports the same" inspect --json out
  same_tool_report "inspect of the faulty compile reports the same" inspect --cells bad-out
}

# Names no ANSI code page holds whole reach the Windows program only through its wide command
# line and the wide file functions. Wine maps them to and from the Unix names in UTF-8.
check_unicode_names() {
  section "scenario_tool.exe with file and folder names beyond ASCII"
  local folder="Scenari àèé Ωμέγα 線路" side
  for side in linux win; do
    mkdir -p "$work/tool-$side/$folder/sorgenti ò"
    cp "$work/tool-$side/src/Valdora_Lusa_linea.txt" "$work/tool-$side/$folder/sorgenti ò/linea è Ω 線.txt"
    cp "$work/tool-$side/src/Valdora_Lusa_24863-.txt" "$work/tool-$side/$folder/sorgenti ò/treno ù λ.txt"
  done
  export LC_ALL=C.UTF-8
  same_tool_report "compile from and into folders named beyond ASCII reports the same" \
    compile "$folder/sorgenti ò/linea è Ω 線.txt" "$folder/sorgenti ò/treno ù λ.txt" \
    --route-id Valdora_Lusa --train-number 24863 -o "$folder/uscita Ω 線"
  check "and writes the generator's three files there" same_bytes "$work" \
    "$work/tool-win/$folder/uscita Ω 線" Valdora_Lusa_linea.dat Valdora_Lusa_24863.sim \
    Valdora_Lusa_24863.dat
  same_tool_report "inspect of that folder reports the same" inspect --cells "$folder/uscita Ω 線"
  same_tool_report "inspect --json of its files reports the same" inspect --json \
    "$folder/uscita Ω 線/Valdora_Lusa_24863.dat" "$folder/uscita Ω 線/Valdora_Lusa_24863.sim"
  same_tool_report "plot --prefix into a file named beyond ASCII reports the same" plot \
    "$folder/uscita Ω 線" --prefix "$folder/uscita Ω 線/disegno é 線"
  check "and draws the same pictures" same_bytes "$work/tool-linux/$folder/uscita Ω 線" \
    "$work/tool-win/$folder/uscita Ω 線" "disegno é 線_plan.svg" "disegno é 線_profile.svg"
  same_tool_report "plot -o into a folder named beyond ASCII, made when missing, reports the same" \
    plot "$folder/uscita Ω 線" -o "$folder/disegni ü 線"
  check "and draws the same pictures there" same_bytes "$work/tool-linux/$folder/disegni ü 線" \
    "$work/tool-win/$folder/disegni ü 線" Valdora_Lusa_24863_plan.svg Valdora_Lusa_24863_profile.svg
  for side in linux win; do
    mkdir -p "$work/tool-$side/$folder/lotto ä/κ"
    cp "$work/tool-$side/src/"* "$work/tool-$side/$folder/lotto ä/κ/"
  done
  tool_run win compile --all "$folder/lotto ä" -j 2 >"$work/batch-win"
  check "compile --all finds the pair under folders named beyond ASCII" \
    grep -q "^$folder/lotto ä/κ/Valdora_Lusa_24863 *0 clean" "$work/batch-win"
  check "and writes the generator's three files beside it" same_bytes "$work" \
    "$work/tool-win/$folder/lotto ä/κ" Valdora_Lusa_linea.dat Valdora_Lusa_24863.sim \
    Valdora_Lusa_24863.dat
  unset LC_ALL
}

check_zip() {
  section "the Windows zip"
  local status=0 zip top="scenario-generator-1.0.0-win64"
  (cd "$work" && cpack -G ZIP --config "$win_build/CPackConfig.cmake" -B "$work/zip") \
    >"$artefacts/cpack.log" 2>&1 || status=$?
  check "cpack makes the zip (log: $artefacts/cpack.log)" [ "$status" = 0 ]
  zip="$work/zip/$top.zip"
  unzip -q -d "$work/unzipped" "$zip" 2>/dev/null || true
  local f
  for f in generatore.exe scenario_tool.exe README.md docs/compile.md schemas/inspect.schema.json; do
    check "the zip holds $f" [ -f "$work/unzipped/$top/$f" ]
  done
  local version
  version="$("$wine" "$work/unzipped/$top/scenario_tool.exe" --version 2>/dev/null | tr -d '\r')" || true
  check "scenario_tool.exe runs from the zip ($version)" \
    [ "${version%% (*}" = "$("$linux_build/scenario_tool" --version | sed 's/ (.*//')" ]
}

check_unit_tests() {
  section "the unit tests built for Windows"
  local status=0
  (cd "$source_dir" && ctest --preset windows -V) >"$artefacts/ctest.log" 2>&1 || status=$?
  grep -E '^[0-9]+: \[(==========|  PASSED  |  FAILED  )\]|tests passed|tests failed' \
    "$artefacts/ctest.log" | sed 's/^/  /'
  check "ctest --preset windows passes (log: $artefacts/ctest.log)" [ "$status" = 0 ]
}

expect_line() {  # expect_line FILE LINE
  grep -qxF "$2" "$1" || {
    echo "  missing \"$2\" in: $(tr '\n' '|' <"$1")" >&2
    return 1
  }
}

wait_for_line() {  # wait_for_line FILE LINE SECONDS
  local i
  for ((i = 0; i < $3 * 10; i++)); do
    # The file appears only once the program has started: no message while it is missing.
    { tr -d '\r' <"$1"; } 2>/dev/null | grep -qxF "$2" && return 0
    sleep 0.1
  done
  return 1
}

colours_in() {  # colours_in IMAGE GEOMETRY
  convert "$1" -crop "$2" +repage -format %k info:
}

# The screenshot holds the frame Wine draws around the 280 x 179 client area, as wide on the
# left, right and bottom. The label's box (177 x 53 at 64,64) must hold text and background;
# the band above it only background.
painted_label() {
  local size width height border top
  size="$(identify -format '%w %h' "$1")"
  width="${size% *}"
  height="${size#* }"
  border=$(((width - 280) / 2))
  top=$((height - 179 - border))
  local label_colours band_colours
  label_colours="$(colours_in "$1" "177x53+$((border + 64))+$((top + 64))")"
  band_colours="$(colours_in "$1" "280x60+${border}+${top}")"
  echo "  label box: $label_colours colours; band above it: $band_colours"
  [ "$label_colours" -gt 1 ] && [ "$band_colours" = 1 ]
}

check_wait_window() {
  section "the wait window"
  local out="$work/wait.out"
  mkfifo "$work/wait.in"
  "$wine" "$win_build/tests/ui_probe.exe" wait <"$work/wait.in" >"$out" 2>"$work/wait.err" &
  local probe=$!
  exec 3>"$work/wait.in"
  check "the wait window is shown" wait_for_line "$out" shown 60
  tr -d '\r' <"$out" >"$out.txt"
  sed 's/^/  /' "$out.txt"
  check "it is visible" expect_line "$out.txt" "visible 1"
  check "at 96 dpi" expect_line "$out.txt" "dpi 96"
  check "its client area is 4200 x 2688 twips" expect_line "$out.txt" "client 280 x 179"
  check "its one label is at 960, 960 twips, 2652 x 792 twips" \
    expect_line "$out.txt" "label at 64,64 size 177 x 53"
  check "the label reads Attendere" expect_line "$out.txt" "caption Attendere"
  check "in MS Sans Serif bold 24 points" \
    expect_line "$out.txt" "font MS Sans Serif height -32 weight 700 italic 0 underline 0"
  # Which face the font mapper gave it depends on the fonts Wine has: only reported.
  local wid
  wid="$(timeout 30 xdotool search --sync --onlyvisible --name '^Generatore$' | head -n 1)" || true
  check "X shows a window named Generatore" [ -n "$wid" ]
  if [ -n "$wid" ]; then
    sleep 1
    local shot="$artefacts/wait_window_wine.png"
    import -window "$wid" "$shot"
    check "the client area, painted once, shows the label's text and nothing above it" \
      painted_label "$shot"
  fi
  exec 3>&-
  check "the wait probe ends cleanly" wait "$probe"
}

check_message_box() {
  section "the message box"
  local out="$work/box.out"
  "$wine" "$win_build/tests/ui_probe.exe" message " Errore n. 1250" >"$out" 2>"$work/box.err" &
  local probe=$!
  check "the message box comes up" wait_for_line "$out" "box up" 60
  tr -d '\r' <"$out" >"$out.txt"
  sed 's/^/  /' "$out.txt"
  check "it shows the text" expect_line "$out.txt" "box text [ Errore n. 1250]"
  check "without an icon" expect_line "$out.txt" "box icon no"
  check "with only an OK button" expect_line "$out.txt" "box buttons ok 1 cancel 0 yes 0 no 0"
  local wid
  wid="$(timeout 30 xdotool search --sync --onlyvisible --name '^Generatore$' | head -n 1)" || true
  if [ -n "$wid" ]; then
    sleep 0.5
    import -window "$wid" "$artefacts/message_box_wine.png"
    # No window manager: give the box the focus, then press Return as a user would.
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    xdotool key Return
  fi
  check "X shows the box, named Generatore" [ -n "$wid" ]
  local i
  for ((i = 0; i < 100; i++)); do kill -0 "$probe" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$probe" 2>/dev/null; then
    fail "the message box returns once OK is pressed"
    kill "$probe"
  else
    check "the message box returns once OK is pressed" wait "$probe"
  fi
  tr -d '\r' <"$out" >"$out.txt"
  check "and the probe goes on" expect_line "$out.txt" closed
}

prepare_prefix
check_generatore
check_scenario_tool
check_unicode_names
check_zip
check_unit_tests
check_wait_window
check_message_box
echo "Windows programs under Wine: $passed passed, $failed failed"
[ "$failed" = 0 ]
