#!/usr/bin/env bash
# The keyboard route on a Wayland compositor of the wlroots family (sway, on
# a virtual display), whatever has the keyboard: nothing (an empty
# workspace), a native Wayland window (foot) or an X window (xev).
# `tockara --menu` opens the clock's menu with the keyboard in it: Escape
# closes it, and the keys alone open the memo window from it and close it
# again; after each, the window that had the keyboard before has it again
# and what is typed reaches it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway_lib.sh"
command -v foot >/dev/null && command -v xev >/dev/null || skip "foot or xev is not installed"
start_sway 1 "output X11-1 resolution 1024x768 position 0 0"
FIRST=X11-1
source "$(dirname "$0")/sway_rules_lib.sh"
sway_rules_start_clock
rule_keyboard_menu 1
echo "sway --menu: ok"
