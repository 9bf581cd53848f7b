#!/usr/bin/env bash
# The clock's rules on KDE Plasma's compositor on Wayland (KWin 5, nested in a virtual display):
# every workspace, "show desktop", above later windows, the pointer over the
# desktop, an X window and a native window, the keyboard route, idle cost.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_kwin_nested
check_session_rules
