#!/usr/bin/env bash
# GNOME on Wayland (mutter nested in a virtual display): the clock is on
# every workspace and stays through "show desktop"; the hover window
# lets go when the pointer leaves the clock for the desktop; the screen
# lowered under it brings it onto the screen, and back at its place after;
# `tockara --menu` puts the keyboard in the menu whatever has the focus, and
# it goes back to that window after.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_mutter_nested
check_gadget_in_session mutter
check_screen_lowered mutter mutter_screen_size
check_pointer_and_keyboard_rules mutter keyboard
