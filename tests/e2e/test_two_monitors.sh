#!/usr/bin/env bash
# On two monitors the clock starts where it was saved on either of them, and
# one saved where no monitor is (a monitor unplugged, or a smaller one since)
# starts wholly on the nearest monitor. The menu of a clock near the second
# monitor's right edge opens left of it, not over it.
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
}
stop_clock() {
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" 10 || fail "the clock did not end"
}
starts_at 22500 4500 1500 300 "saved on the second monitor"
stop_clock
starts_at 22500 10500 1500 520 "saved below the smaller second monitor"
stop_clock
starts_at -30000 2250 0 150 "saved far left of the first monitor"
stop_clock

# The clock in the lower half of the second monitor, too near its right edge
# for the menu to open right of it.
starts_at 28500 6000 1900 400 "saved near the second monitor's right edge"
# The program's visible windows other than the clock, as "X Y W H" lines.
other_windows() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$CLOCK_PID" 2>/dev/null); do
    [ "$id" = "$WINDOW" ] && continue
    xdotool getwindowgeometry --shell "$id" | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
  done
}
menu_shown() { MENU=$(other_windows | awk '$3 > 100 && $4 > 100' | head -1); [ -n "$MENU" ]; }
xdotool mousemove 1940 440 click 3
wait_until 10 menu_shown || fail "no menu opened ($(other_windows))"
read -r mx my mw mh <<<"$MENU"
[ $((mx + mw)) -le 1900 ] && [ "$mx" -ge 1024 ] && [ "$my" -ge 0 ] && [ $((my + mh)) -le 600 ] \
  || fail "the menu at $mx,$my (${mw}x$mh) is not left of the clock at 1900,400 on the second monitor"
xdotool key Escape
stop_clock
echo "two monitors: ok"
