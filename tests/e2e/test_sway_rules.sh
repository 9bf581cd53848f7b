#!/usr/bin/env bash
# The rules the clock keeps on a Wayland compositor of the wlroots family
# (sway, on a virtual display, two outputs side by side), one line each: on
# every workspace (also started on another one, and after sway reloads);
# above an X window and a native Wayland window opened after it and
# focused; the pointer rules whatever lies beneath (the bare desktop, an X
# window, a native window), a click on the clock leaving the keyboard with
# the focused window; and the output under the clock made smaller or
# disabled. ✓: checked and holds; —: sway has no such thing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway_lib.sh"
command -v foot >/dev/null && command -v xclock >/dev/null || skip "foot or xclock is not installed"
# X11-2 takes its size from its window on the virtual display (1024 x 768):
# an output whose size the configuration sets cannot be disabled later. It
# shows workspace 9, so that workspaces 1 and 2 are both on X11-1, the
# clock's output.
start_sway 2 "output X11-1 resolution 1024x768 position 0 0
output X11-2 position 1024 0
workspace 9 output X11-2"
sway_place_second_output 1024 0
FIRST=X11-1 SECOND=X11-2
source "$(dirname "$0")/sway_rules_lib.sh"
sway_rules_start_clock
rule_above_later_windows
rule_every_workspace
rule_show_desktop
rule_screen_change
rule_pointer_beneath
echo "sway rules: ok"
