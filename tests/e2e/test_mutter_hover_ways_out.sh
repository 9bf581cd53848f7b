#!/usr/bin/env bash
# GNOME's compositor (mutter nested in a virtual display): the hover window
# goes within a second of the pointer leaving the clock, whatever lies
# beneath the pointer's way out.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
start_mutter_nested
check_hover_ways_out
