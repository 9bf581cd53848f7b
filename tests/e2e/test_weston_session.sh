#!/usr/bin/env bash
# The clock inside Weston (nested in a virtual display, its X11 backend, so
# that xdotool there moves Weston's pointer), through Weston's XWayland:
# - the clock is drawn and ticks from its start, with the pointer still;
# - `tockara --menu` opens the menu with the keyboard in it: Escape closes
#   it, and the keys alone open the memo window from it and close it again,
#   with Weston still running;
# - the pointer drags the clock by (100, 50) and the position is saved;
# - a right click opens the menu beside the clock.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_weston_nested
weston_runs() { ! ended "$COMPOSITOR_PID"; }

make_session_program_folder
# 200, 150 pixels at 15 twips per pixel.
write_cp932 "$PROGRAM/Tockara.ini" $'[Setting]\nLeft=3000\nTop=2250'
chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"

# Drawn at start: XWayland already serves a client, the pointer rests and
# Weston's own start (its panel fading in) is over, so that nothing else
# makes Weston draw its screen again.
still() {
  local before
  before=$(screenshot still-before)
  sleep 1
  [ "$(compare -metric AE "$before" "$(screenshot still-after)" null: 2>&1)" = 0 ]
}
wait_until 20 still || fail "weston's screen does not come to rest"
session_start_clock
wait_until 10 face_shown 200 150 start || fail "the clock is not drawn at its start (see $WORK/start.png)"
ticks() { [ "$(compare -metric AE "$WORK/start.png" "$(screenshot tick)" null: 2>&1)" -gt 20 ]; }
wait_until 5 ticks || fail "the clock's face does not tick (see $WORK/tick.png)"
echo "weston: the clock is drawn at start and ticks"

# The keys go to Weston's window on the virtual display, under the pointer.
pointer mousemove 1000 700
# Whether XWayland's keyboard is on a window of the clock's connection (one
# of its resource base, as the clock's window).
keyboard_with_clock() {
  local focus
  focus=$(in_session xdotool getwindowfocus 2>/dev/null) && ((focus >> 21 == WINDOW >> 21))
}
menu_shown() { [ -n "$(other_clock_windows | awk '$3 >= 100')" ]; }
memo_shown() {
  local id
  for id in $(in_session xdotool search --onlyvisible --classname '^tockara$' 2>/dev/null); do
    [[ "$(in_session xdotool getwindowname "$id" 2>/dev/null)" == ちょいメモ設定 ]] && return 0
  done
  return 1
}
for keys in "Escape" "Down Down Down Down Down Down Down Down Down Down Return"; do
  in_session "$PROGRAM/tockara" --menu >"$WORK/menu.log" 2>&1 || fail "--menu failed: $(cat "$WORK/menu.log")"
  wait_until 10 menu_shown || fail "--menu opened no menu"
  # The keys typed once Weston gave XWayland's keyboard to the clock.
  wait_until 10 keyboard_with_clock || fail "--menu did not bring the keyboard to the clock (focus: $(in_session xdotool getwindowfocus 2>&1))"
  # shellcheck disable=SC2086
  pointer key $keys
  if [ "$keys" = Escape ]; then
    wait_until 10 eval '! menu_shown' || fail "Escape did not reach the menu opened by --menu"
  else
    wait_until 10 memo_shown || fail "the keys did not reach the menu (weston runs: $(weston_runs && echo yes || echo no))"
    pointer key Escape
    wait_until 10 eval '! memo_shown' || fail "Escape did not close the memo window"
  fi
  weston_runs || fail "weston ended after $keys"
done
echo "weston --menu: the keys reach the menu and the memo window"

# Weston's X11 backend moves its pointer by the steps of the virtual
# display's pointer: from the far corner to 0,0 it stops at Weston's 0,0,
# and from there on both pointers stand at the same place.
pointer mousemove 1023 767 sleep 0.2 mousemove 0 0 sleep 0.2
drag_clock_by_100_50
wait_until 10 face_shown 300 200 dragged || fail "after the drag the face is not at 300,200 (see $WORK/dragged.png)"
pointer mousemove 340 240 sleep 0.2 mousemove 341 241
wait_until 5 session_pointer_at 341 241 || echo "before the right click the session's pointer is at $(in_session xdotool getmouselocation 2>&1)"
pointer click 3
wait_until 10 menu_beside 300 200 || fail "no menu opened beside the clock: $(other_clock_windows)"
echo "weston: the drag is saved and a right click opens the menu beside the clock"
