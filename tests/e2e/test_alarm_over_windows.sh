#!/usr/bin/env bash
# An alarm that comes while a window of the program is open is seen and
# answered at once: its box is the topmost window and has the focus, Return
# and its OK button answer it, and the other window stays open. Two alarms
# of one minute come one after the other, the first slot's first. Under a
# window manager with the calendar open, and without one with the memo shown
# at start-up. The clock starts 15 seconds before its alarms' minute.
source "$(dirname "$0")/lib.sh"
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1)
[ -n "$FAKETIME_LIB" ] || fail "libfaketime is not installed"

# Starts the clock at 09:59:45 of today's date.
launch_clock_before_ten() {
  LD_PRELOAD="$FAKETIME_LIB" FAKETIME="@$(date +%F) 09:59:45" FAKETIME_DONT_FAKE_MONOTONIC=1 launch_clock
}

# The visible windows titled Tockara other than the clock: the alarm boxes.
boxes() { xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | grep -vx "$WINDOW" || true; }
box_count_is() { [ "$(boxes | wc -l)" = "$1" ]; }

# The topmost window the window manager manages, as a decimal id.
topmost() {
  local last
  last=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' | tail -1)
  echo $((last))
}

# The topmost mapped window without a window manager, as a decimal id: the
# root's children are listed topmost first.
topmost_mapped() {
  local id
  for id in $(xwininfo -root -children | awk '/^ +0x/ { print $1 }'); do
    grep -q 'Map State: IsViewable' <<<"$(xwininfo -id "$id")" && { echo $((id)); return; }
  done
}

# The OK button of box $1: a message box's only button, at its bottom right.
click_ok() { # box
  local w h
  read -r w h <<<"$(xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')"
  xdotool mousemove --window "$1" $((w - 50)) $((h - 24)) click 1
}

alarm="[Alarm]
Enabled=1
Time=10:00
Comment=会議です"

start_display
start_window_manager
WM_PID=${PIDS[-1]}
make_program_folder
write_cp932 "$PROGRAM/Tockara.ini" "$alarm
Enabled1=1
Time1=10:00
Comment1=電話をかける"
launch_clock_before_ten
wait_for_window

before=$(screenshot before_menu)
xdotool mousemove 40 40 click 3
wait_for_change menu "$before" 200x300+40+80 5000 10 >/dev/null || fail "no menu opened"
for _ in $(seq 9); do xdotool key Down; done   # カレンダー
xdotool key Return
calendar=$(wait_for_title 'Tockara カレンダー') || fail "カレンダー opened no window"
box_count_is 0 || fail "the alarms came before the calendar was open"

# Two alarms of one minute: one box at a time, the first slot's first.
wait_until 30 box_count_is 1 || fail "the first alarm box did not appear ($(boxes | wc -l) boxes)"
shot=$(screenshot boxes_over_calendar)
cp "$shot" "${TOCKARA_E2E_SHOTS:-$WORK}/alarm_over_calendar.png" 2>/dev/null || true
first=$(boxes)
[ "$(topmost)" = "$first" ] || fail "the topmost window is not the alarm box (topmost $(topmost), box $first)"
[ "$(xdotool getactivewindow)" = "$first" ] || fail "the alarm box does not have the focus (active $(xdotool getactivewindow))"
# Wide enough for the window manager to show the title "Tockara" whole.
box_width=$(xwininfo -id "$first" | awk '/Width:/ { print $2 }')
[ "$box_width" -ge 190 ] || fail "the alarm box is $box_width pixels wide: its title does not fit"

xdotool key Return
second_box_opened() { box_count_is 1 && [ "$(boxes)" != "$first" ]; }
wait_until 10 second_box_opened || fail "Return did not open the next alarm box ($(boxes | tr '\n' ' '))"
second=$(boxes)
wait_until 5 eval '[ "$(topmost)" = "$second" ]' || fail "the next alarm box is not the topmost window"
click_ok "$second"
wait_until 10 box_count_is 0 || fail "the OK button did not answer the alarm box"
[ -n "$(visible_window 'Tockara カレンダー')" ] || fail "the calendar closed with the alarm boxes"
kill -0 "$CLOCK_PID" || fail "the clock ended"

# Without a window manager: the memo shown at start-up is open.
for pid in "$CLOCK_PID" "$WM_PID"; do
  kill "$pid"
  wait_for_exit "$pid" 10 || fail "process $pid did not end"
done
write_cp932 "$PROGRAM/Tockara.ini" "$alarm
[Fusen]
0=牛乳を買う"
launch_clock_before_ten
memo=$(wait_for_title 'ちょいメモ設定') || fail "the memo window did not open at start-up"
wait_for_window
wait_until 30 box_count_is 1 || fail "the alarm box did not appear over the memo"
box=$(boxes)
shot=$(screenshot box_over_memo)
cp "$shot" "${TOCKARA_E2E_SHOTS:-$WORK}/alarm_over_memo.png" 2>/dev/null || true
[ "$(topmost_mapped)" = "$box" ] || fail "the alarm box is not the topmost window"
[ "$(xdotool getwindowfocus)" = "$box" ] || fail "the alarm box does not have the focus"
xdotool key Return
wait_until 10 box_count_is 0 || fail "Return did not answer the alarm box over the memo"
[ -n "$(visible_window 'ちょいメモ設定')" ] || fail "the memo closed with the alarm box"
echo "alarm over windows: ok"
