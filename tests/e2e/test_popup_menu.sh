#!/usr/bin/env bash
# A right click opens the popup menu below the clock; its face colour command
# changes the face through the colour chooser; "閉じる(&C)" ends the program.
source "$(dirname "$0")/lib.sh"
start_display
make_program_folder
start_clock

before=$(screenshot before_menu)
xdotool mousemove 40 40 click 3
sleep 1
menu=$(screenshot menu)
# The clock stands in the upper half: the menu opens below it, at the pointer's x.
changed=$(compare -metric AE -crop 200x300+40+80 "$before" "$menu" null: 2>&1 || true)
[ "$changed" -gt 5000 ] || fail "no menu appeared below the clock ($changed pixels changed)"
cp "$menu" "${TOCKARA_E2E_SHOTS:-$WORK}/popup_menu.png" 2>/dev/null || true

# 時計の設定 > 色の設定 > 背景の色, then red typed into the chooser's HTML field.
xdotool key Down Right Right Return
sleep 1
xdotool key alt+h ctrl+a
xdotool type '#ff0000'
xdotool key Return
sleep 1
[ "$(ini_value "$PROGRAM/Tockara.ini" Color Bord)" = 255 ] || fail "the face colour was not saved"
xdotool mousemove 600 600
sleep 0.5
red=$(count_colour "$(screenshot red)" 80x80+0+0 '#FF0000')
[ "$red" -gt 3000 ] || fail "the face did not turn red ($red pixels)"

xdotool mousemove 40 40 click 3
sleep 1
xdotool key c
for _ in $(seq 50); do kill -0 "$CLOCK_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$CLOCK_PID" 2>/dev/null && fail "閉じる(&C) did not end the program"
echo "popup menu: ok"
