#!/usr/bin/env bash
# The whole GNOME on Wayland (GNOME Shell nested in a virtual display): the
# clock is on every workspace and stays through "show desktop", above a
# window opened over it later; the screen lowered under it brings it onto
# the screen, and back at its place after; `tockara --menu` puts the
# keyboard in the menu whatever has the focus, and it goes back to that
# window after.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"

start_gnome_shell_nested

make_session_program_folder
write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
Left=3000
Top=2250"
chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"
"${IN_SESSION[@]}" xmessage -bg magenta -fg magenta -geometry 400x300+100+80 beneath >/dev/null 2>&1 &
PIDS+=($!)
# GNOME Shell opens its overview over the windows at start: Escape closes it
# (the pointer kept off the top-left corner, which opens it again).
pointer mousemove 800 600
overview_closed() { pointer key Escape; sleep 0.3; beneath_shown start; }
wait_until 30 overview_closed || fail "the window beneath is not shown at 100,80 (see $WORK/start.png)"
session_start_clock
wait_until 20 face_shown 200 150 start corners \
  || fail "the face is not at 200,150 with the window beneath at its corners (see $WORK/start.png)"
"${IN_SESSION[@]}" xlogo -geometry 200x200+150+100 >/dev/null 2>&1 &
PIDS+=($!)
logo_shown() { logo=$(in_session xdotool search --onlyvisible --class '^XLogo$' 2>/dev/null | head -1) && [ -n "$logo" ]; }
wait_until 20 logo_shown || fail "xlogo did not open"
in_session xdotool windowactivate "$logo" 2>/dev/null || true
wait_until 10 face_shown 200 150 above || fail "a window opened over the clock and focused covers it (see $WORK/above.png)"
check_workspace_rules "GNOME Shell"
check_screen_lowered "GNOME Shell" mutter_screen_size
check_pointer_and_keyboard_rules "GNOME Shell" keyboard
