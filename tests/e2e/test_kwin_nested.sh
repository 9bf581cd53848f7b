#!/usr/bin/env bash
# KDE Plasma on Wayland (KWin nested in a virtual display): the clock is on
# every workspace and stays through "show desktop"; the hover window
# lets go when the pointer leaves the clock for the desktop, though KWin's
# XWayland tells the clock nothing of it, and the idle clock costs no more
# than on X11; the pointer rules hold over an X window and the bare
# desktop, `tockara --menu` reaches the menu with xev or nothing focused,
# and the hover goes whatever lies on the pointer's way out.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_kwin_nested
check_gadget_in_session KWin
check_pointer_and_keyboard_rules KWin
check_hover_ways_out
