#!/usr/bin/env bash
# The clock's rules on xfwm4 (Xfce): the checks shared by every X11 session
# (x11_session_lib.sh), each that the session allows.
X11_SESSION=xfwm4
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/x11_session_lib.sh"
run_x11_session_rules
