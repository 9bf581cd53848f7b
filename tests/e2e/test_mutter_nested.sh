#!/usr/bin/env bash
# GNOME on Wayland (mutter nested in a virtual display): the clock is on
# every workspace and stays through "show desktop"; the hover window
# lets go when the pointer leaves the clock for the desktop, and the idle
# clock costs no more than on X11.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_mutter_nested
check_gadget_in_session mutter
