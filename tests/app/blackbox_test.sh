#!/usr/bin/env bash
# Drives the real program in a virtual display from the outside, as a user would, and keeps
# screenshots of what it showed in <build>/screenshots.
#   blackbox_test.sh <medium folder> <screenshot folder>
set -u
medium=$(realpath "$1")
shots=$(realpath -m "$2")
mkdir -p "$shots"
work=$(mktemp -d)
display=:$((200 + RANDOM % 300))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display KORVA_BOXES=stderr QT_QPA_PLATFORM=xcb
export TEMP="$work/temp" KORVA_DRIVE_C="$work/c" KORVA_REGISTRY="$work/system.reg" KORVA_SAMPLE_LOG="$work/sample.log"
mkdir -p "$TEMP"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
failures=0
passed=0
check() {
  if eval "$2"; then echo "ok: $1"; passed=$((passed + 1)); else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

start() {
  "$medium/korvastart" 2>>"$work/stderr" &
  pid=$!
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --pid "$pid" --onlyvisible 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "FAILED: the window did not appear"
    kill "$pid" 2>/dev/null
    echo "$passed passed, $((failures + 1)) failed"
    exit 1
  fi
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y of the client area
}
click() {  # x y in client coordinates
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
  sleep 0.4
}
shot() { import -window root -crop 781x461+"$X"+"$Y" "$shots/$1.png"; }
wait_exit() {  # the exit code, or 124 when the program does not end within ten seconds
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    wait "$pid"
    return 124
  fi
  wait "$pid"
}

start
check "the window shows the German title" '[ "$(xdotool getwindowname "$window")" = "ZEP KORVA®plus Planung 6.1" ]'
icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
check "the window carries the program icon in three sizes (got $icons)" \
  '[ "$icons" = "Icon (16 x 16) Icon (32 x 32) Icon (48 x 48) " ]'
shot german
xdotool mousemove --sync $((X + 160)) $((Y + 220)); sleep 0.4; shot highlight-cd-run
xdotool mousemove --sync $((X + 420)) $((Y + 220)); sleep 0.4; shot highlight-install
xdotool mousemove --sync $((X + 680)) $((Y + 220)); sleep 0.4; shot highlight-manual
xdotool mousemove --sync $((X + 650)) $((Y + 424)); sleep 0.4; shot button-highlight-with-focus
click 160 420  # the English flag
check "the English flag stores language 1" 'grep -q "lang=1" "$TEMP/kelmor.ini"'
check "the window shows the English title" '[ "$(xdotool getwindowname "$window")" = "ZEP KORVA®plus Planning 6.1" ]'
shot english
click 160 220  # CD run
wait_exit
status=$?
check "CD run closes the window with exit code 0 (got $status)" '[ $status -eq 0 ]'
for _ in $(seq 50); do [ -s "$work/sample.log" ] && break; sleep 0.1; done
check "the catalogue started and found language 1" 'grep -q "language 1" "$work/sample.log"'

printf '[tirbex]\r\nlang=2\r\n' > "$TEMP/kelmor.ini"
start
check "language 2 sets the title TirbEX" '[ "$(xdotool getwindowname "$window")" = "TirbEX" ]'
shot language2
click 650 424  # Exit (no text in language 2)
wait_exit
status=$?
check "Exit ends with exit code 0 (got $status)" '[ $status -eq 0 ]'

echo "$passed passed, $failures failed"
[ $failures -eq 0 ]
