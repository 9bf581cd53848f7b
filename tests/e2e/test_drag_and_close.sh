#!/usr/bin/env bash
# Dragging the clock with the mouse moves it and stores the new position at
# once; the window manager's close ends the program.
source "$(dirname "$0")/lib.sh"
start_display
openbox >/dev/null 2>&1 &
PIDS+=($!)
sleep 1
make_program_folder
start_clock

xdotool mousemove 40 40 sleep 0.2 mousedown 1 sleep 0.2
for step in 1 2 3 4 5; do
  xdotool mousemove $((40 + step * 40)) $((40 + step * 30)) sleep 0.1
done
xdotool mouseup 1
sleep 0.5

ini="$PROGRAM/Tockara.ini"
left=$(ini_value "$ini" Setting Left)
top=$(ini_value "$ini" Setting Top)
# Moved by (200, 150) pixels at 15 twips per pixel.
[ "$left" = 3000 ] || fail "Left is $left, expected 3000"
[ "$top" = 2250 ] || fail "Top is $top, expected 2250"
geometry=$(xdotool getwindowgeometry "$WINDOW" | grep Position)
echo "$geometry" | grep -q "200,150" || fail "the window stands at $geometry"

# Restarting puts the clock where it was left.
wmctrl -c Tockara
for _ in $(seq 50); do kill -0 "$CLOCK_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$CLOCK_PID" 2>/dev/null && fail "the window manager's close did not end the clock"
start_clock
geometry=$(xdotool getwindowgeometry "$WINDOW" | grep Position)
echo "$geometry" | grep -q "200,150" || fail "after a restart the clock stands at $geometry"
echo "drag and close: ok"
