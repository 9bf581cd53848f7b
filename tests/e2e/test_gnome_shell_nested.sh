#!/usr/bin/env bash
# The clock's rules on GNOME Shell on Wayland (nested in a virtual display), with its dynamic workspaces:
# every workspace, "show desktop", above later windows, the pointer over the
# desktop, an X window and a native window, the keyboard route, idle cost.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_gnome_shell_nested
check_session_rules
