#!/usr/bin/env bash
# On a Wayland compositor of the wlroots family (sway, on a virtual display),
# over a full-screen window of another program, an X window and then a
# native Wayland window: the clock stands at its saved position, what lies
# beneath shows at its corners, the compositor's pointer drags it and the
# new position is saved, and its popup menu opens beside it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway_lib.sh"
command -v foot >/dev/null || skip "foot is not installed"
start_sway 1 "output X11-1 resolution 1024x768 position 0 0"
make_session_program_folder

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

# What lies beneath, full-screen and magenta: its name, the sway criteria
# that find its window, the command that opens it. A native window is where
# XWayland knows nothing of the pointer until it comes onto the clock.
beneath_cases=(
  "x|[class=\"Xmessage\"]|xmessage -bg magenta -fg magenta beneath"
  "native|[app_id=\"beneath\"]|env LANG=C.UTF-8 foot --app-id=beneath -o colors.background=ff00ff -o colors.foreground=ff00ff cat"
)
for case in "${beneath_cases[@]}"; do
  IFS='|' read -r kind criteria command <<<"$case"
  beneath=$(sway_exec "beneath-$kind" "$command") || fail "no $kind window beneath"
  PIDS+=("$beneath")
  fullscreen() { swaymsg_ "$criteria" fullscreen enable; }
  wait_until 20 fullscreen || fail "the $kind window beneath did not become full-screen"

  # The clock started anew at 200, 150 pixels (15 twips per pixel).
  write_cp932 "$PROGRAM/Tockara.ini" $'[Setting]\nLeft=3000\nTop=2250'
  chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"
  sway_start_clock
  wait_until 20 face_at 200 150 "start-$kind" \
    || fail "$kind beneath: the face is not at 200,150 with the window beneath at its corners (see $SESSION/start-$kind.png: \
$(count_colour "$SESSION/start-$kind.png" 80x80+200+150 "$FACE") face pixels, corner $(pixel "$SESSION/start-$kind.png" 200 150))"

  # A drag of (100, 50) in steps, with the compositor's pointer, coming
  # onto the clock from the window beneath.
  pointer mousemove 700 600
  drag_clock_by_100_50
  wait_until 10 face_at 300 200 "dragged-$kind" \
    || fail "$kind beneath: after the drag the face is not at 300,200 (see $SESSION/dragged-$kind.png)"

  # The clock stands in the upper half: its menu opens below it, at the
  # pointer's x. The pointer comes from the window beneath and clicks as
  # soon as the session's X clients see it on the clock (on a loaded
  # machine the click otherwise came before the pointer had arrived there).
  pointer mousemove 700 600 sleep 0.3 mousemove 340 240
  wait_until 5 session_pointer_at 340 240 || echo "before the click the session's pointer is at $(in_session xdotool getmouselocation 2>&1)"
  pointer click 3
  wait_until 10 sway_menu_below "$SESSION/dragged-$kind.png" \
    || fail "$kind beneath: no menu opened below the clock (see $SESSION/menu.png)"
  cp "$SESSION/menu.png" "${TOCKARA_E2E_SHOTS:-$WORK}/sway_menu_$kind.png" 2>/dev/null || true

  kill "$CLOCK_PID" "$beneath"
  wait_for_exit "$CLOCK_PID" 10 && wait_for_exit "$beneath" 10 || fail "the clock or the $kind window did not end"
  sway_report "full-screen $kind window beneath" ✓ "the clock above it: drawn, dragged, its menu opened"
done
