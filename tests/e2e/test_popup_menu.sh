#!/usr/bin/env bash
# A right click opens the popup menu below the clock; its face colour command
# changes the face through the colour chooser; "閉じる(&C)" ends the program.
source "$(dirname "$0")/lib.sh"
start_display
make_program_folder
start_clock

before=$(screenshot before_menu)
xdotool mousemove 40 40 click 3
# The clock stands in the upper half: the menu opens below it, at the pointer's x.
menu=$(wait_for_change menu "$before" 200x300+40+80 5000 10) \
  || fail "no menu appeared below the clock ($(compare -metric AE -crop 200x300+40+80 \
            "$before" "$WORK/menu.png" null: 2>&1) pixels changed)"
cp "$menu" "${TOCKARA_E2E_SHOTS:-$WORK}/popup_menu.png" 2>/dev/null || true

# 時計の設定 > 色の設定 > 背景の色, then red typed into the chooser's HTML field.
xdotool key Down Right Right Return
# The toolkit's colour chooser, with its title in Japanese or, without the
# translations, in English; keys go to it once it has the focus.
chooser=$(wait_for_title '(色を選択|Select Color)' 10) || fail "the colour chooser did not open"
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
wait_until 10 has_focus "$chooser" || fail "the colour chooser did not take the focus"
xdotool key alt+h ctrl+a
xdotool type '#ff0000'
xdotool key Return
wait_for_ini "$PROGRAM/Tockara.ini" Color Bord 255 10 || fail "the face colour was not saved"
xdotool mousemove 600 600
red=$(wait_for_colour red 80x80+0+0 '#FF0000' 3000 10) || fail "the face did not turn red ($red pixels)"

before=$(screenshot before_close)
xdotool mousemove 40 40 click 3
wait_for_change menu_again "$before" 200x300+40+80 5000 10 >/dev/null || fail "the menu did not open again"
xdotool key c
wait_for_exit "$CLOCK_PID" 10 || fail "閉じる(&C) did not end the program"
echo "popup menu: ok"
