#!/usr/bin/env bash
# The rules the clock keeps on sway's headless backend, its pointer and
# keyboard those wayvnc makes (a user's remote session), one line each:
# above later windows, on every workspace, show desktop, the screen
# changing under it, the pointer rules whatever lies beneath, and the
# keyboard route whatever has the keyboard. Two outputs side by side; the
# pointer reaches the first, the one wayvnc serves.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway_lib.sh"
command -v foot >/dev/null && command -v xclock >/dev/null && command -v xev >/dev/null \
  || skip "foot, xclock or xev is not installed"
start_sway_headless 2 "output HEADLESS-1 resolution 1024x768 position 0 0
output HEADLESS-2 resolution 1024x768 position 1024 0
workspace 9 output HEADLESS-2"
FIRST=HEADLESS-1 SECOND=HEADLESS-2
source "$(dirname "$0")/sway_rules_lib.sh"
sway_rules_start_clock
rule_above_later_windows
rule_every_workspace
rule_show_desktop
rule_screen_change
rule_pointer_beneath
# The clock started anew on the workspace of the first case: sway puts a
# program's first window of its own on the workspace the program was
# started on (on sway 1.7, within a minute of that start), and the memo
# window opened from the menu would stand there, hidden.
switch_to 4
restart_clock_at 3000 2250
rule_keyboard_menu 4
echo "sway headless rules: ok"
