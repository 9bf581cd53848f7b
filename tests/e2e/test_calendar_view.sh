#!/usr/bin/env bash
# カレンダー from the popup menu shows this month; a click on a day opens that
# day's diary, a stored line puts the diary mark on the day, and 翌月 shows the
# next month.
source "$(dirname "$0")/lib.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_display
make_program_folder
start_clock

names=(睦月 如月 弥生 卯月 皐月 水無月 文月 葉月 長月 神無月 霜月 師走)
title_of() { # yyyy-mm-01
  local month; month=$(date -d "$1" +%-m)
  echo "$(date -d "$1" +%Y)/$month(${names[month - 1]})"
}
first=$(date +%Y-%m-01)

before=$(screenshot before_menu)
xdotool mousemove 40 40 click 3
wait_for_change menu "$before" 200x300+40+80 5000 10 >/dev/null || fail "no menu opened"
for _ in $(seq 9); do xdotool key Down; done   # カレンダー
xdotool key Return
calendar=$(wait_for_title 'Tockara カレンダー') || fail "カレンダー opened no window"
accessible_text カレンダー --expect "$(title_of "$first")" >/dev/null || fail "the calendar does not show this month"

# The 15th: its cell from the weekday of the 1st (Sunday first).
cell=$(( $(date -d "$first" +%w) + 14 ))
x=$(( 8 + 10 + 36 * (cell % 7) ))
y=$(( 8 + 26 + 20 * (cell / 7) ))
read -r left top <<<"$(window_origin "$calendar")"
corner="1x1+$((left + x + 33))+$((top + y + 18))"
[ "$(count_colour "$(screenshot before)" "$corner" '#000000')" = 0 ] || fail "the 15th has a diary mark before any diary"

xdotool mousemove --window "$calendar" $((x + 18)) $((y + 10)) click 1
diary=$(wait_for_title "$(date +%Y)/$(date +%-m)/15") || fail "a click on the 15th opened no diary"
xdotool type --window "$diary" 'sunny day'
xdotool mousemove --window "$diary" 40 204 click 1   # 登録
wait_until 10 no_window "$(date +%Y)/$(date +%-m)/15" || fail "登録 did not close the diary"
ini_is "$PROGRAM/NIKI$(date +%Y).txt" "$(date +%-m)月15日" 0 "sunny day" || fail "the diary line was not stored"
wait_for_colour marked "$corner" '#000000' 0 10 >/dev/null || fail "the 15th shows no diary mark"

xdotool mousemove --window "$calendar" $((8 + 72 + 32)) $((8 + 176 + 12)) click 1   # 翌月
accessible_text カレンダー --expect "$(title_of "$(date -d "$first +1 month" +%Y-%m-%d)")" >/dev/null \
  || fail "翌月 did not show the next month"
cp "$(screenshot next_month)" "${TOCKARA_E2E_SHOTS:-$WORK}/calendar_next_month.png" 2>/dev/null || true
echo "calendar view: ok"
