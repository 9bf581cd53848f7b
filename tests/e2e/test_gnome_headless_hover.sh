#!/usr/bin/env bash
# GNOME on its headless backend (GNOME Shell; TOCKARA_GNOME_HEADLESS=mutter
# runs mutter alone), driven by its own pointer and keyboard (mutter's
# remote desktop devices, the way a GNOME session's input reaches it, with
# no host X server in between): the hover window goes within a second of
# the pointer leaving the clock, whatever lies beneath the pointer's way
# out, after a left click on the clock or an X window and after a drag.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_mutter_headless "${TOCKARA_GNOME_HEADLESS:-gnome-shell}"
check_hover_ways_out leave_overview
