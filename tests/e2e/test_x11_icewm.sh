#!/usr/bin/env bash
# The clock's rules on IceWM: the checks shared by every X11 session
# (x11_session_lib.sh), each that the session allows.
X11_SESSION=icewm
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/x11_session_lib.sh"
run_x11_session_rules
