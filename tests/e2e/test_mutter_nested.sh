#!/usr/bin/env bash
# The clock's rules on GNOME's compositor on Wayland (mutter, nested in a virtual display):
# every workspace, "show desktop", above later windows, the pointer over the
# desktop, an X window and a native window, the keyboard route, idle cost.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_mutter_nested
check_session_rules
