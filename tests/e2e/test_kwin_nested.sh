#!/usr/bin/env bash
# KDE Plasma on Wayland (KWin nested in a virtual display): the clock is on
# every workspace and stays through "show desktop"; the hover window
# lets go when the pointer leaves the clock for the desktop, though KWin's
# XWayland tells the clock nothing of it; the screen lowered under it
# brings it onto the screen, and back at its place after; the pointer rules
# hold over an X window, a native window and the bare desktop, `tockara
# --menu` reaches the menu with xev, foot or nothing focused, and the hover
# goes whatever lies on the pointer's way out.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_kwin_nested
check_gadget_in_session KWin
check_screen_lowered KWin kwin_screen_size
check_pointer_and_keyboard_rules KWin
check_hover_ways_out
