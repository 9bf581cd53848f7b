#!/usr/bin/env bash
# The clock's rules on sway with no display at all (its headless backend),
# driven through wayvnc's virtual pointer and keyboard: every workspace,
# above later windows, the pointer over the desktop, an X window and a
# native window, the keyboard route, idle cost.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway_lib.sh"
start_sway_headless ""
check_session_rules
