#!/usr/bin/env bash
# KDE Plasma on Wayland (KWin nested in a virtual display): the clock is on
# every workspace and stays through "show desktop"; the hover window
# lets go when the pointer leaves the clock for the desktop, though KWin's
# XWayland tells the clock nothing of it; the screen lowered under it
# brings it onto the screen, and back at its place after.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_kwin_nested
check_gadget_in_session KWin
check_screen_lowered KWin kwin_screen_size
