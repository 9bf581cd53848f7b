#!/usr/bin/env bash
# On a Wayland compositor of the wlroots family (sway, on a virtual display), over a
# full-screen window: the clock stands at its saved position, what lies
# beneath shows at its corners, the compositor's pointer drags it and the
# new position is saved, and its popup menu opens beside it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway_lib.sh"
start_sway 1 "output X11-1 resolution 1024x768 position 0 0"
make_session_program_folder
# 200, 150 pixels at 15 twips per pixel.
write_cp932 "$PROGRAM/Tockara.ini" $'[Setting]\nLeft=3000\nTop=2250'
chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"

# A full-screen window in magenta beneath the clock.
beneath=$(sway_exec beneath "xmessage -bg magenta -fg magenta beneath") || fail "no window beneath"
PIDS+=("$beneath")
fullscreen() { swaymsg_ '[class="Xmessage"]' fullscreen enable; }
wait_until 20 fullscreen || fail "the window beneath did not become full-screen"

sway_start_clock
FACE='#008000' BENEATH='#FF00FF'
# True when the screenshot NAME shows the face (most of its ellipse in the
# face colour; hands, texts and figure take the rest) in the 80 x 80 square
# at X,Y, and the window beneath at the square's four corners.
face_at() { # x y name
  local shot corner
  shot=$(sway_screenshot "$3") || return 1
  [ "$(count_colour "$shot" "80x80+$1+$2" "$FACE")" -gt 2500 ] || return 1
  for corner in "$1 $2" "$(($1 + 79)) $2" "$1 $(($2 + 79))" "$(($1 + 79)) $(($2 + 79))"; do
    [ "$(pixel "$shot" $corner)" = "$BENEATH" ] || return 1
  done
}
wait_until 20 face_at 200 150 start \
  || fail "the face is not at 200,150 with the window beneath at its corners (see $SESSION/start.png: \
$(count_colour "$SESSION/start.png" 80x80+200+150 "$FACE") face pixels, corner $(pixel "$SESSION/start.png" 200 150))"

# A drag of (100, 50) in steps, with the compositor's pointer.
drag_clock_by_100_50
wait_until 10 face_at 300 200 dragged || fail "after the drag the face is not at 300,200 (see $SESSION/dragged.png)"

# The clock stands in the upper half: its menu opens below it, at the
# pointer's x.
pointer mousemove 340 240 click 3
wait_until 10 sway_menu_below "$SESSION/dragged.png" || fail "no menu opened below the clock (see $SESSION/menu.png)"
cp "$SESSION/menu.png" "${TOCKARA_E2E_SHOTS:-$WORK}/sway_menu.png" 2>/dev/null || true
echo "sway gadget: ok"
