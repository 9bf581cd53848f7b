#!/usr/bin/env bash
# Dragging the clock with the mouse moves it and stores the new position at
# once; the session's ending (SIGTERM) ends the program, which comes back
# where it was left. (On X11 the clock stands past the window manager, which
# therefore has no close of its own for it.)
source "$(dirname "$0")/lib.sh"
start_display
make_program_folder
start_window_manager
start_clock

position() { xdotool getwindowgeometry "$WINDOW" | grep Position; }
window_at() { [[ "$(position)" == *"Position: $1,$2 "* ]]; }
# The window follows the pointer at every step of the drag.
xdotool mousemove 40 40 mousedown 1
for step in 1 2 3 4 5; do
  xdotool mousemove $((40 + step * 40)) $((40 + step * 30))
  wait_until 10 window_at $((step * 40)) $((step * 30)) \
    || fail "at step $step of the drag the window stands at $(position)"
done
xdotool mouseup 1

ini="$PROGRAM/Tockara.ini"
# Moved by (200, 150) pixels at 15 twips per pixel.
wait_for_ini "$ini" Setting Left 3000 10 || fail "Left is $(ini_value "$ini" Setting Left), expected 3000"
top=$(ini_value "$ini" Setting Top)
[ "$top" = 2250 ] || fail "Top is $top, expected 2250"

# Restarting puts the clock where it was left.
kill -TERM "$CLOCK_PID"
wait_for_exit "$CLOCK_PID" 10 || fail "SIGTERM did not end the clock"
start_clock
wait_until 10 window_at 200 150 || fail "after a restart the clock stands at $(position)"
echo "drag and close: ok"
