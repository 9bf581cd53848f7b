#!/usr/bin/env bash
# The clock without the mouse, as a screen reader user meets it: the clock
# tells the time over the accessibility bus; `tockara --menu` opens the
# running clock's menu with the keyboard in it, so keys alone reach every
# page; every text field of every page and of the memo has a name; a clock
# of another program folder does not answer; with no clock running,
# --menu starts one with its menu open.
source "$(dirname "$0")/lib.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_display
make_program_folder
start_clock

probe() { /usr/bin/python3 "$(dirname "$0")/accessibility.py" "$@"; }
menu_request() { "$PROGRAM/tockara" --menu >"$WORK/menu.log" 2>&1 || fail "--menu failed: $(cat "$WORK/menu.log")"; }
# Opens the menu by --menu and walks it: DOWNS × Down, then for a submenu
# Right (which selects its first item) and SUBDOWNS × Down, then Return.
open_by_keys() { # downs [subdowns]
  local before; before=$(screenshot before_menu)
  menu_request
  wait_for_change menu "$before" 200x300+0+80 5000 10 >/dev/null || fail "--menu opened no menu"
  for _ in $(seq "$1"); do xdotool key Down; done
  if [ -n "${2:-}" ]; then
    before=$(screenshot before_submenu)
    xdotool key Right
    wait_for_change submenu "$before" 1024x768+0+0 3000 10 >/dev/null || fail "Right opened no submenu"
    for _ in $(seq "$2"); do xdotool key Down; done
  fi
  xdotool key Return
}
close_window() { # title
  xdotool key Escape
  wait_until 10 no_window "$1" || fail "Escape did not close $1"
}

# The time the clock tells is the one shown (hour and minute; it may have
# turned over a minute while the test looked).
now=$(date +%H:%M) next=$(date -d '+1 minute' +%H:%M)
told=$(probe description Tockara --contains : ) || fail "the clock tells no time"
case "$told" in *"$now"*|*"$next"*) ;; *) fail "the clock tells '$told', not $now" ;; esac

# The menu from the command line, eight items down: アラーム設定.
open_by_keys 8
wait_for_title 'Tockara \[設定\]' >/dev/null || fail "--menu + 8 Down + Return opened no page"
probe named コメント >/dev/null || fail "the page opened is not アラーム設定"
probe fields 'Tockara [設定]' --expect 4 >/dev/null || fail "a field of アラーム設定 has no name"
close_window 'Tockara [設定]'

# Every other page with text fields, and the memo: (downs, subdowns, title, fields).
while IFS='|' read -r downs subdowns title count; do
  open_by_keys "$downs" "$subdowns"
  wait_for_title "$(sed 's/[][]/\\&/g' <<<"$title")" >/dev/null || fail "no window $title ($downs/$subdowns)"
  probe fields "$title" --expect "$count" || fail "a field of $title has no name"
  close_window "$title"
done <<'PAGES'
1|2|Tockara [設定]|2
1|1|Tockara [設定]|3
5||Tockara [設定]|3
10||ちょいメモ設定|1
11|0|Tockara [設定]|1
11|3|Tockara [壁紙設定]|1
PAGES

# What a reader hears of the lists, swatches and check boxes: their names and
# kinds, never a list's entry in place of its name.
open_by_keys 11 1
wait_for_title 'Tockara \[設定\]' >/dev/null || fail "no デジタル表示 page"
for control in '日付の表示方法|combo box' '時刻の表示方法|combo box' '日付の文字色|push button' \
               '時刻の縁取り色|push button' '日付の縁取り|check box' '時刻の縁取り|check box'; do
  probe named "${control%|*}" --role "${control#*|}" >/dev/null || fail "デジタル表示 has no ${control/|/ }"
done
close_window 'Tockara [設定]'
open_by_keys 11 2
wait_for_title 'Tockara \[カレンダー設定\]' >/dev/null || fail "no カレンダー表示 page"
probe named 日の種類 --role 'combo box' >/dev/null || fail "the list of day types is not read by its name"
close_window 'Tockara [カレンダー設定]'

# Tab goes from a field to its own chooser, and into a group of options at
# the checked one.
tab_to() { # name: Tab until it has the keyboard (ten times at most)
  for _ in $(seq 10); do
    probe --timeout 1 focused --expect "$1" >/dev/null 2>&1 && return 0
    xdotool key Tab
  done
  probe --timeout 2 focused --expect "$1" >/dev/null
}
open_by_keys 5
wait_for_title 'Tockara \[設定\]' >/dev/null || fail "no ランチャー設定 page"
tab_to ファイル || fail "Tab never reaches ファイル"
xdotool key Tab
probe focused --expect ファイルを選ぶ >/dev/null || fail "Tab from ファイル goes to $(probe --timeout 1 focused 2>&1)"
close_window 'Tockara [設定]'
open_by_keys 11 3
wait_for_title 'Tockara \[壁紙設定\]' >/dev/null || fail "no 壁紙設定 page"
tab_to ファイルを選ぶ || fail "Tab never reaches the picture's chooser"
xdotool key Tab
probe focused --expect 壁紙なし >/dev/null || fail "Tab into the options goes to $(probe --timeout 1 focused 2>&1)"
close_window 'Tockara [壁紙設定]'

# The Menu key and Shift+F10 with the clock under the keyboard.
for key in Menu shift+F10; do
  xdotool mousemove 40 40
  before=$(screenshot before_key)
  xdotool key "$key"
  wait_for_change key_menu "$before" 200x300+0+80 5000 10 >/dev/null || fail "$key opened no menu"
  xdotool key Escape
  sleep 0.5
done

# A folder with no clock running: --menu starts its clock, 400 pixels to the
# right (Left 6000 twips), with the menu open beside it.
OTHER="$WORK/other"
mkdir -p "$OTHER" && cp -r "$PROGRAM"/{tockara,Calender.ini} "$OTHER/"
write_cp932 "$OTHER/Tockara.ini" $'[Setting]\nLeft=6000\nTop=0'
xdotool mousemove 700 500
before=$(screenshot before_other)
"$OTHER/tockara" --menu >"$WORK/other.log" 2>&1 &
PIDS+=($!)
wait_for_change other_menu "$before" 200x300+400+80 5000 20 >/dev/null || fail "--menu started no clock with its menu open"
xdotool key Escape
sleep 0.5

# Each folder's clock answers its own folder's --menu only.
before=$(screenshot before_own)
menu_request
wait_for_change own_menu "$before" 200x300+0+80 5000 10 >/dev/null || fail "the first clock did not answer"
[ "$(compare -metric AE -crop 200x300+400+80 "$before" "$WORK/own_menu.png" null: 2>&1 || true)" -lt 200 ] \
  || fail "the other folder's clock opened its menu too"
xdotool key Escape
echo "keyboard menu: ok"
