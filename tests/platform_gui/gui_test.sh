#!/usr/bin/env bash
# The real windows under a virtual X server: the wait window's client area, and the message box
# that returns once OK is pressed. Screenshots stay in the artefact folder.
set -euo pipefail
probe="$1"
artefacts="$2"
mkdir -p "$artefacts"
work="$(mktemp -d)"
trap 'rm -rf "$work"; kill $(jobs -p) 2>/dev/null || true' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Wait window: mapped, client area 280 x 179.
mkfifo "$work/in"
"$probe" wait <"$work/in" >"$work/wait.out" &
probe_pid=$!
exec 3>"$work/in"
for _ in $(seq 50); do grep -q shown "$work/wait.out" && break; sleep 0.1; done
grep -q shown "$work/wait.out" || fail "the wait window was not shown"
wid=$(xdotool search --sync --onlyvisible --name '^Generatore$' | head -n 1)
info=$(xwininfo -id "$wid")
width=$(awk '/Width:/ {print $2}' <<<"$info")
height=$(awk '/Height:/ {print $2}' <<<"$info")
[ "$width" = 280 ] && [ "$height" = 179 ] || fail "wait window is ${width}x${height}, not 280x179"
grep -q 'Map State: IsViewable' <<<"$info" || fail "wait window not mapped"
import -window root "$artefacts/wait_window.png"
exec 3>&-
wait "$probe_pid" || fail "the wait probe failed"

# Message box: shown, closed by Return on its OK button, and the probe goes on.
"$probe" message " Errore n. 1250" >"$work/box.out" &
probe_pid=$!
wid=$(xdotool search --sync --onlyvisible --name '^Generatore$' | head -n 1)
sleep 0.5
import -window root "$artefacts/message_box.png"
# No window manager runs here: give the box the input focus, then press Return as a user would.
xdotool windowfocus --sync "$wid"
xdotool key Return
for _ in $(seq 50); do kill -0 "$probe_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$probe_pid" 2>/dev/null && fail "the message box did not return after OK"
wait "$probe_pid" || fail "the message probe failed"
grep -qx closed "$work/box.out" || fail "the message probe did not report the box closed"
echo "wait window 280x179 shown; message box closed by OK"
