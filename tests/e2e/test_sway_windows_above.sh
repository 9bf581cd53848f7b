#!/usr/bin/env bash
# On a Wayland compositor of the wlroots family (sway, on a virtual display),
# with two X11 windows opened after the clock and focused in turn, each
# raised by the compositor in XWayland's stacking order: the clock keeps the
# pointer. The resting pointer brings up the hover window, a drag moves the
# clock and saves its position, and a right click opens its menu beside it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway_lib.sh"
command -v xclock >/dev/null && command -v xlogo >/dev/null || skip "xclock or xlogo is not installed"
start_sway 1 "output X11-1 resolution 1024x768 position 0 0"
make_session_program_folder
# 200, 150 pixels at 15 twips per pixel.
write_cp932 "$PROGRAM/Tockara.ini" $'[Setting]\nLeft=3000\nTop=2250'
chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"
sway_start_clock
FACE='#008000' HOVER='#FFFFE1'
face_at() { # x y name
  local shot
  shot=$(sway_screenshot "$3") || return 1
  [ "$(count_colour "$shot" "80x80+$1+$2" "$FACE")" -gt 2500 ]
}
wait_until 20 face_at 200 150 start || fail "the face is not at 200,150 (see $SESSION/start.png)"

# Two windows of other programs, tiled over the clock's place, each focused
# (and so raised in XWayland's order) in turn.
for program in xclock xlogo; do
  pid=$(sway_exec "$program" "$program") || fail "$program did not start"
  PIDS+=("$pid")
done
tiled() { [ "$(as_sway_user swaymsg -t get_tree | grep -c '"class": "X\(Clock\|Logo\)"')" -eq 2 ]; }
wait_until 20 tiled || fail "xclock and xlogo were not both shown"
focus() { swaymsg_ "[class=\"$1\"]" focus; sleep 0.5; }
focus XClock
focus XLogo

# The pointer comes to rest over the face: the hover window shows.
pointer mousemove 230 180
sleep 0.3
pointer mousemove 240 190
hover_shown() {
  local shot
  shot=$(sway_screenshot hover) || return 1
  [ "$(count_colour "$shot" 1024x768+0+0 "$HOVER")" -gt 300 ]
}
wait_until 10 hover_shown || fail "no hover window over the other programs' windows (see $SESSION/hover.png)"

focus XClock
# A drag of (100, 50) in steps.
drag_clock_by_100_50
wait_until 10 face_at 300 200 dragged || fail "after the drag the face is not at 300,200 (see $SESSION/dragged.png)"

# The other program focused again; a right click on the face opens the menu
# below the clock, which stands in the upper half.
focus XLogo
pointer mousemove 340 240 click 3
wait_until 10 sway_menu_below "$SESSION/dragged.png" || fail "no menu opened below the clock over the other programs (see $SESSION/menu.png)"
echo "sway with windows above: ok"
