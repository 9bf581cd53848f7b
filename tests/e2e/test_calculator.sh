#!/usr/bin/env bash
# 電卓 from the popup menu: keys typed anywhere in its window reach the
# calculator, and its display shows the results.
source "$(dirname "$0")/lib.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_display
make_program_folder
start_clock

before=$(screenshot before_menu)
xdotool mousemove 40 40 click 3
wait_for_change menu "$before" 200x300+40+80 5000 10 >/dev/null || fail "no menu opened"
for _ in $(seq 11); do xdotool key Down; done   # オプション
xdotool key Right
wait_for_change submenu "$WORK/menu.png" 200x300+180+80 2000 10 >/dev/null || fail "オプション did not open"
for _ in $(seq 4); do xdotool key Down; done    # 電卓
xdotool key Return
calculator=$(wait_for_title 'Tockara \[電卓\]') || fail "電卓 opened no window"
accessible_text 電卓の表示 --expect 0 >/dev/null || fail "the display does not start at 0"

xdotool key --window "$calculator" 1 2 plus KP_5 Return
accessible_text 電卓の表示 --expect 17 >/dev/null || fail "1 2 + 5 = did not show 17"
xdotool key --window "$calculator" colon 2 Return
accessible_text 電卓の表示 --expect 34 >/dev/null || fail ": (×) 2 = did not show 34"
xdotool key --window "$calculator" minus 4 0 Return
accessible_text 電卓の表示 --expect -6 >/dev/null || fail "- 4 0 = did not show -6"
xdotool mousemove --window "$calculator" $((8 + 152 + 16)) $((144 + 16)) click 1   # √
accessible_text 電卓の表示 --expect エラー >/dev/null || fail "√ of -6 did not show エラー"
xdotool key --window "$calculator" Home 9 9 9 9 9 9 9 9 9 9 9 9 9 9 plus 1 equal
accessible_text 電卓の表示 --expect 1E+14 >/dev/null || fail "99999999999999 + 1 = did not show 1E+14"
xdotool key --window "$calculator" space 5
accessible_text 電卓の表示 --expect 5 >/dev/null || fail "5 after 1E+14 did not start a new number"
echo "calculator: ok"
