#!/usr/bin/env bash
# The calendar by keys alone, as a screen reader hears it: the month view
# has the keyboard, the arrows and PageDown walk the selected day (each day
# a cell named by date, weekday and diary), Return opens its diary, and a
# line typed there and stored with 登録 lands in the year's diary file.
source "$(dirname "$0")/lib.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_display
make_program_folder
start_clock

probe() { /usr/bin/python3 "$(dirname "$0")/accessibility.py" "$@"; }
weekdays=(日曜日 月曜日 火曜日 水曜日 木曜日 金曜日 土曜日)
cell_name() { # yyyy-mm-dd: "12月7日 月曜日", as the cell reads before its notes
  echo "$(date -d "$1" +%-m)月$(date -d "$1" +%-d)日 ${weekdays[$(date -d "$1" +%w)]}"
}

before=$(screenshot before_menu)
"$PROGRAM/tockara" --menu || fail "--menu failed"
wait_for_change menu "$before" 200x300+0+80 5000 10 >/dev/null || fail "--menu opened no menu"
for _ in $(seq 9); do xdotool key Down; done   # カレンダー
xdotool key Return
wait_for_title 'Tockara カレンダー' >/dev/null || fail "カレンダー opened no window"
today=$(date +%Y-%m-%d)
probe focused --expect "$(cell_name "$today") 今日" >/dev/null || fail "today's cell does not have the keyboard"

# To the next month (the same day, or its last), then a day on.
day=$(date +%-d) next_first=$(date -d "$(date +%Y-%m-01) +1 month" +%Y-%m-%d)
last=$(date -d "$next_first +1 month -1 day" +%-d)
target=$(date -d "${next_first%-01}-$(printf %02d $((day < last ? day : last))) +1 day" +%Y-%m-%d)
calendar=$(wait_for_title 'Tockara カレンダー')
read -r left top <<<"$(window_origin "$calendar")"
# Pixels of the toolkit's selection colour, the focus frame's, in the cell of day $1.
framed() { # yyyy-mm-dd
  local cell=$(( $(date -d "$(date -d "$1" +%Y-%m-01)" +%w) + $(date -d "$1" +%-d) - 1 ))
  count_colour "$(screenshot framed)" "36x20+$((left + 18 + 36 * (cell % 7)))+$((top + 34 + 20 * (cell / 7)))" '#308CC6'
}
xdotool key Next Right
probe focused --expect "$(cell_name "$target")" >/dev/null || fail "PageDown and Right did not select $target"
[ "$(framed "$target")" -gt 20 ] || fail "the selected day shows no frame"

xdotool key Return
title="$(date -d "$target" +%Y)/$(date -d "$target" +%-m)/$(date -d "$target" +%-d)"
diary=$(wait_for_title "$title") || fail "Return opened no diary for $target"
probe fields "$title" --expect 1 >/dev/null || fail "the diary's text has no name"
xdotool type --window "$diary" 'walked here by keys'
xdotool key Tab Return   # 登録
wait_until 10 no_window "$title" || fail "登録 did not close the diary"
ini_is "$PROGRAM/NIKI$(date -d "$target" +%Y).txt" "$(date -d "$target" +%-m)月$(date -d "$target" +%-d)日" 0 \
  "walked here by keys" || fail "the diary line was not stored"
probe focused --expect "$(cell_name "$target") 日記あり" >/dev/null || fail "the day does not read 日記あり"

# Home brings today back.
xdotool key Home
probe focused --expect "$(cell_name "$today") 今日" >/dev/null || fail "Home did not return to today"
echo "calendar keys: ok"
