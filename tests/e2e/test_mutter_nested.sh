#!/usr/bin/env bash
# GNOME on Wayland (mutter nested in a virtual display): the clock is on
# every workspace and stays through "show desktop"; the hover window
# lets go when the pointer leaves the clock for the desktop; the screen
# lowered under it brings it onto the screen, and back at its place after.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_mutter_nested
check_gadget_in_session mutter
check_screen_lowered mutter mutter_screen_size
