#!/usr/bin/env bash
# On two monitors the clock starts where it was saved on either of them, and
# one saved where no monitor is (a monitor unplugged, or a smaller one since)
# starts wholly on the nearest monitor.
source "$(dirname "$0")/lib.sh"
# A 1024 x 768 monitor and, to its right, a 1024 x 600 one: the screen's
# lower right corner lies on no monitor.
XVFB_SCREEN=2048x768x24 start_display
xrandr --setmonitor LEFT 1024/270x768/203+0+0 screen >/dev/null 2>&1 \
  && xrandr --setmonitor RIGHT 1024/270x600/159+1024+0 none >/dev/null 2>&1 \
  || fail "the screen could not be split into two monitors"
[ "$(xrandr --listmonitors | head -1)" = "Monitors: 2" ] || fail "$(xrandr --listmonitors)"
make_program_folder

position() { xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Position: \([-0-9]*,[-0-9]*\).*/\1/p'; }
at_position() { [ "$(position)" = "$1" ]; }
starts_at() { # left top (twips) expected_x expected_y what
  write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
Left=$1
Top=$2"
  start_clock
  wait_until 10 at_position "$3,$4" \
    || fail "$5: the clock stands at $(position), expected $3,$4"
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" 10 || fail "the clock did not end"
}
starts_at 22500 4500 1500 300 "saved on the second monitor"
starts_at 22500 10500 1500 520 "saved below the smaller second monitor"
starts_at -30000 2250 0 150 "saved far left of the first monitor"
echo "two monitors: ok"
