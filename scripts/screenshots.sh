#!/usr/bin/env bash
# The README's pictures, taken from the real program on a virtual display:
# docs/clock.png (the clock on the desktop) and docs/calendar.png (the
# calendar page of this month, opened from the popup menu as a user does).
#   scripts/screenshots.sh [build/tockara] [docs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
binary=$(readlink -f "${1:-$root/build/tockara}")
out=$(readlink -f "${2:-$root/docs}")
mkdir -p "$out"
source "$root/tests/e2e/lib.sh" "$binary"

start_display
make_program_folder
# The clock at twice its first size (時計サイズ 160), a little away from the
# screen's corner, on a desktop-blue root.
printf '[Setting]\r\nLeft=300\r\nTop=300\r\nWidth=160\r\nHeight=160\r\n' >"$PROGRAM/Tockara.ini"
xsetroot -solid '#3a6ea5'
start_clock
xdotool mousemove 600 500   # away from the clock: no hover window
# A frame in which the figure has walked a few steps.
sleep 2

# Pictures without time stamps, so an unchanged picture is an unchanged file.
save() { convert "$1" -strip -define png:exclude-chunks=date,time "$2"; }

shot=$(screenshot clock)
save "$shot[200x200+0+0]" "$out/clock.png"

before=$(screenshot before_menu)
xdotool mousemove 100 100 click 3
wait_for_change menu "$before" 200x300+100+140 5000 10 >/dev/null || fail "no menu opened"
for _ in $(seq 9); do xdotool key Down; done   # カレンダー
xdotool key Return
calendar=$(wait_for_title 'Tockara カレンダー') || fail "カレンダー opened no window"
wait_for_painted "$calendar" || fail "the calendar was not drawn"
sleep 0.5
import -window "$calendar" "$WORK/calendar.png"
save "$WORK/calendar.png" "$out/calendar.png"
echo "saved $out/clock.png and $out/calendar.png"
