#!/usr/bin/env bash
# The 画面解像度 submenu lists the virtual display's mode, marked "■" as one
# that can be set now. Nothing is chosen: the display mode never changes here.
source "$(dirname "$0")/lib.sh"
start_display
make_program_folder
start_clock

xdotool mousemove 40 40 click 3
sleep 1
# 画面解像度 is the seventh item; Right opens it with its first item selected.
xdotool key Down Down Down Down Down Down Down Right
sleep 1
shot=$(screenshot modes)
xdotool key Escape Escape
cp "$shot" "${TOCKARA_E2E_SHOTS:-$WORK}/display_modes.png" 2>/dev/null || true

# The selected item of the submenu, right of the main menu: a disabled "(空)"
# could not be selected.
read -r w h x y < <(convert "$shot" -crop 600x500+180+60 +repage -fill black +opaque '#308CC6' \
                      -trim -format '%w %h %X %Y\n' info: | tr -d '+')
[ "$w" -gt 120 ] 2>/dev/null || fail "no selectable mode in the submenu (selection ${w}x$h)"
# Its caption starts with the filled square: a solid block of text colour.
mark=$(count_colour "$shot" "40x$h+$((180 + x))+$((60 + y))" '#FFFFFF')
[ "$mark" -gt 50 ] || fail "the mode is not marked ■ ($mark pixels of the mark)"
[ "$(xdpyinfo | awk '/dimensions:/ {print $2}')" = 1024x768 ] || fail "the display mode changed"
echo "display modes: ok"
