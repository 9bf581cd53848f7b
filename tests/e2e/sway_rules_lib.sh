# The rules the clock keeps on sway, one function a rule, each printing one
# line (sway_report): the same checks whichever backend the session runs on
# (test_sway_rules.sh and test_sway_keyboard_menu.sh on the X11 backend,
# test_sway_headless_rules.sh on the headless one with wayvnc's input).
# Source it after sway_lib.sh, once the session runs. FIRST and SECOND are
# the names of the session's outputs: the clock stands on FIRST, at
# 1024 x 768 and 0,0, where the pointer reaches; SECOND, if any, at 1024,0
# shows workspace 9.

FACE='#008000'
face_at() { # x y [name]
  local shot
  shot=$(sway_screenshot "${3:-face}") || return 1
  [ "$(count_colour "$shot" "80x80+$1+$2" "$FACE")" -gt 2500 ]
}
CLOCK_AT="200 150"
INI=
# Starts the clock at 200,150 (pixels; 15 twips per pixel) in a new program
# folder and waits until its face is drawn there.
sway_rules_start_clock() {
  make_session_program_folder
  INI=$PROGRAM/Tockara.ini
  write_cp932 "$INI" $'[Setting]\nLeft=3000\nTop=2250'
  chown "$SESSION_USER:$SESSION_GROUP" "$INI"
  sway_start_clock
  CLOCK_AT="200 150"
  # shellcheck disable=SC2086
  wait_until 20 face_at $CLOCK_AT start || fail "the face is not at 200,150 at start (see $SESSION/start.png)"
}

# The clock's windows on the session's X display.
clock_window() { in_session xdotool search --onlyvisible --pid "$CLOCK_PID" --name '^Tockara$' 2>/dev/null | head -1; }
# "X Y W H" of each visible window of the clock's other than the clock.
other_windows() {
  local clock id
  clock=$(clock_window)
  for id in $(in_session xdotool search --onlyvisible --pid "$CLOCK_PID" 2>/dev/null); do
    [ "$id" = "$clock" ] && continue
    in_session xdotool getwindowgeometry --shell "$id" | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
  done
}
hover_up() { [ -n "$(other_windows | awk '$4 < 80')" ]; }
menu_up() { [ -n "$(other_windows | awk '$4 >= 80')" ]; }
# The menu stands below the clock at the pointer's x, its top within 10
# pixels of the clock's bottom (the clock stands in the upper half).
menu_below() { # x y
  other_windows | awk -v x="$1" -v y="$2" '$4 >= 80 && $1 >= x && $1 <= x + 80 && $2 >= y + 75 && $2 <= y + 90 { ok = 1 } END { exit !ok }'
}
clock_origin() { in_session xwininfo -id "$(clock_window)" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }'; }

# A drag of the face at X,Y by DX,DY in ten steps, with the compositor's
# pointer; the press and the release wait until the session's X clients see
# the pointer where they are meant. (Sway 1.7 learns where the clock stands
# only as it commits a frame: steps of 20 pixels and more outran it, the
# pointer left the clock and the drag ended.)
drag_by() { # x y dx dy
  local x=$(($1 + 30)) y=$(($2 + 30)) step
  pointer mousemove "$x" "$y" sleep 0.2 mousemove $((x + 1)) $((y + 1)) sleep 0.2 mousemove "$x" "$y"
  wait_until 5 session_pointer_at "$x" "$y" || echo "before the press the session's pointer is at $(in_session xdotool getmouselocation 2>&1)"
  pointer mousedown 1
  for step in $(seq 10); do pointer mousemove $((x + $3 * step / 10)) $((y + $4 * step / 10)); sleep 0.05; done
  pointer mousemove $((x + $3 + 1)) $((y + $4 + 1)) sleep 0.1 mousemove $((x + $3)) $((y + $4))
  wait_until 5 session_pointer_at $((x + $3)) $((y + $4)) || echo "the session's pointer is at $(in_session xdotool getmouselocation 2>&1)"
  pointer mouseup 1
}

# Rule: the pointer rules with WHAT beneath, the pointer leaving to AWAY
# (on what lies beneath). The resting pointer brings the hover window, which
# goes within a second of the pointer leaving; a drag stores the new
# position (in turn (100,50) and back); a right click opens the menu below
# the clock, and a click on the clock beside it closes it.
check_pointer() { # what away-x away-y
  local x y dx=100 dy=50 left gone_ms
  read -r x y <<<"$CLOCK_AT"
  [ "$x" = 200 ] || { dx=-100 dy=-50; }
  pointer mousemove $((x + 30)) $((y + 30)) sleep 0.3 mousemove $((x + 40)) $((y + 40))
  wait_until 10 hover_up || fail "$1 beneath: no hover window over the resting pointer"
  left=$(now_ms)
  pointer mousemove "$2" "$3"
  wait_until 5 eval '! hover_up' || fail "$1 beneath: the hover window stayed after the pointer left"
  gone_ms=$(($(now_ms) - left))
  [ "$gone_ms" -le 1000 ] || fail "$1 beneath: the hover window went only $gone_ms ms after the pointer left"

  drag_by "$x" "$y" "$dx" "$dy"
  x=$((x + dx)) y=$((y + dy))
  wait_for_ini "$INI" Setting Left $((x * 15)) 10 && ini_is "$INI" Setting Top $((y * 15)) \
    || fail "$1 beneath: a drag of ($dx,$dy) stored $(ini_value "$INI" Setting Left)/$(ini_value "$INI" Setting Top)"
  CLOCK_AT="$x $y"
  wait_until 10 face_at "$x" "$y" "dragged" || fail "$1 beneath: after the drag the face is not at $x,$y (see $SESSION/dragged.png)"

  pointer mousemove "$2" "$3" sleep 0.3 mousemove $((x + 40)) $((y + 40))
  wait_until 5 session_pointer_at $((x + 40)) $((y + 40)) || true
  pointer click 3
  wait_until 10 menu_below "$x" "$y" || fail "$1 beneath: a right click opened no menu below the clock ($(other_windows))"
  pointer mousemove $((x + 20)) $((y + 15)) sleep 0.2 click 1
  wait_until 10 eval '! menu_up' || fail "$1 beneath: a click on the clock did not close its menu"
  sway_report "pointer, $1 beneath" ✓ "hover gone after $gone_ms ms; stored $((x * 15))/$((y * 15)); menu below"
}

# Whether sway's focus is on the window that the criterion finds, or, with
# none, on no window at all.
sway_focus_on() { # [criterion]
  if [ -n "${1:-}" ]; then
    swaymsg_ "[$1 con_id=__focused__]" nop 2>/dev/null
  else
    ! swaymsg_ '[con_id=__focused__]' nop 2>/dev/null
  fi
}
# What has sway's focus: the name, app_id or class and type of the node.
sway_focused() {
  as_sway_user swaymsg -t get_tree | python3 -c 'import json, sys
def walk(n):
    if n.get("focused"):
        print(n.get("type"), n.get("name"), n.get("app_id"), (n.get("window_properties") or {}).get("class"))
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))'
}
# How many lines of the file match the pattern: how many times a window
# that writes what it is told of the keys (`cat` in foot, xev) was told of
# the key k.
TYPED=$SESSION/typed
typed() { grep -c "$2" "$1" 2>/dev/null || true; }
typed_more() { [ "$(typed "$1" "$2")" -gt "$3" ]; }

on_workspace() { as_sway_user swaymsg -t get_workspaces | python3 -c 'import json, sys
sys.exit(not any(w["focused"] and w["name"] == sys.argv[1] and w["output"] == sys.argv[2] for w in json.load(sys.stdin)))' "$1" "$FIRST"; }
switch_to() { # workspace
  swaymsg_ focus output "$FIRST"
  swaymsg_ workspace "$1"
  wait_until 5 on_workspace "$1" || fail "sway did not show workspace $1 on $FIRST"
}
# Whether sway shows the window with that app_id or class (on a shown workspace).
sway_shows() { as_sway_user swaymsg -t get_tree | python3 -c 'import json, sys
def walk(n):
    if sys.argv[1] in (n.get("app_id"), (n.get("window_properties") or {}).get("class")) and n.get("visible"):
        sys.exit(0)
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))
sys.exit(1)' "$1"; }
restart_clock_at() { # left top (twips)
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" 10 || fail "the clock did not end"
  write_cp932 "$INI" "[Setting]"$'\n'"Left=$1"$'\n'"Top=$2"
  chown "$SESSION_USER:$SESSION_GROUP" "$INI"
  sway_start_clock
}

# Rule: above every window opened after it: an X window (xclock) on
# workspace 1 and a native one (foot) on workspace 2, each tiled over the
# clock's place and focused. They stay for the rules after.
rule_above_later_windows() {
  local xclock_pid foot_pid
  xclock_pid=$(sway_exec xclock "xclock -update 1") || fail "xclock did not start"
  PIDS+=("$xclock_pid")
  wait_until 20 sway_focus_on 'class="XClock"' || fail "xclock did not get sway's focus"
  # shellcheck disable=SC2086
  wait_until 10 face_at $CLOCK_AT over_x || fail "xclock opened later covers the clock (see $SESSION/over_x.png)"
  switch_to 2
  foot_pid=$(sway_exec foot "env LANG=C.UTF-8 foot --app-id=typing sh -c 'cat >$TYPED'") || fail "foot did not start"
  PIDS+=("$foot_pid")
  wait_until 20 sway_focus_on 'app_id="typing"' || fail "foot did not get sway's focus"
  # shellcheck disable=SC2086
  wait_until 10 face_at $CLOCK_AT workspace2 || fail "the clock is not on workspace 2 over foot (see $SESSION/workspace2.png)"
  sway_report "above later windows" ✓ "xclock and foot, each focused over it"
}

# Rule: on every workspace: on workspace 2 (above), started there and shown
# on workspace 1 too, and after sway reloads its configuration (its window
# manager's restart).
rule_every_workspace() {
  restart_clock_at 3000 2250
  # shellcheck disable=SC2086
  wait_until 20 face_at $CLOCK_AT restarted || fail "the clock started on workspace 2 is not drawn there"
  switch_to 1
  wait_until 5 sway_shows XClock || fail "sway did not show workspace 1 with xclock again"
  # shellcheck disable=SC2086
  wait_until 10 face_at $CLOCK_AT workspace1 || fail "the clock started on workspace 2 is not on workspace 1"
  swaymsg_ reload
  switch_to 2
  wait_until 5 sway_shows typing || fail "sway did not show workspace 2 with foot again"
  # shellcheck disable=SC2086
  wait_until 10 face_at $CLOCK_AT reloaded || fail "after swaymsg reload the clock is not on workspace 2"
  sway_report "every workspace" ✓ "workspace 2 with foot, started there, after swaymsg reload"
}

# "Show desktop": sway has no such command.
rule_show_desktop() {
  if swaymsg_ show_desktop 2>/dev/null; then fail "sway took a show_desktop command: the rule needs a check"; fi
  sway_report "show desktop" — "sway has no such command"
}

# Rule: the screen changes under it. The clock on SECOND at 1500,300; the
# output made 400 x 200, then disabled: wholly on what remains within a
# second, the stored position kept, back at its place once the output is
# as before.
rule_screen_change() {
  restart_clock_at 22500 4500
  wait_until 20 face_at 1500 300 second_output || fail "the face is not at 1500,300 on the second output (see $SESSION/second_output.png)"
  screen_change "made 400 x 200" "mode 400x200" "mode 1024x768" 1024 0 1424 200
  swaymsg_ output "$SECOND" disable || true
  if wait_until 2 output_active "$SECOND" false; then
    swaymsg_ output "$SECOND" enable
    wait_until 5 output_active "$SECOND" true || fail "$SECOND did not come back"
    wait_until 5 at_origin 1500 300 || true
    screen_change "disabled" "disable" "enable" 0 0 1024 768
  else
    sway_report "output disabled" — "sway $(sway --version | cut -d' ' -f3) on its ${SWAY_BACKEND:-X11} backend cannot disable an output"
  fi
}
within() { # x0 y0 x1 y1
  local x y
  read -r x y < <(clock_origin)
  [ -n "$x" ] && [ "$x" -ge "$1" ] && [ $((x + 80)) -le "$3" ] && [ "$y" -ge "$2" ] && [ $((y + 80)) -le "$4" ] && face_at "$x" "$y" moved
}
at_origin() { [ "$(clock_origin)" = "$1 $2" ]; }
output_active() { # name true|false
  as_sway_user swaymsg -t get_outputs | python3 -c 'import json, sys
sys.exit(not any(o["name"] == sys.argv[1] and str(o["active"]).lower() == sys.argv[2] for o in json.load(sys.stdin)))' "$1" "$2"
}
screen_change() { # what change undo x0 y0 x1 y1
  local changed=$(now_ms) ms
  # shellcheck disable=SC2086
  swaymsg_ output "$SECOND" $2
  wait_until 5 within "$4" "$5" "$6" "$7" || fail "the clock stands at $(clock_origin) after the output was $1 (see $SESSION/moved.png)"
  ms=$(($(now_ms) - changed))
  [ "$ms" -le 1000 ] || fail "the clock came onto the screen only $ms ms after the output was $1"
  ini_is "$INI" Setting Left 22500 && ini_is "$INI" Setting Top 4500 || fail "the stored position changed when the output was $1"
  # shellcheck disable=SC2086
  swaymsg_ output "$SECOND" $3
  wait_until 5 at_origin 1500 300 || fail "the clock stands at $(clock_origin) after the output was $1 and back"
  sway_report "output $1" ✓ "wholly on screen after $ms ms, back at its place after"
}

# Rule: the pointer rules whatever lies beneath: nothing (workspace 3), the
# X window (workspace 1), the native window (workspace 2), where a click
# and a drag on the clock leave the keyboard with foot.
rule_pointer_beneath() {
  local before
  restart_clock_at 3000 2250
  CLOCK_AT="200 150"
  switch_to 3
  # shellcheck disable=SC2086
  wait_until 20 face_at $CLOCK_AT bare || fail "the face is not at 200,150 on the empty workspace (see $SESSION/bare.png)"
  check_pointer "the bare desktop" 700 500
  switch_to 1
  check_pointer "an X window (xclock)" 700 500
  switch_to 2
  wait_until 5 sway_focus_on 'app_id="typing"' || fail "foot does not have sway's focus on workspace 2"
  check_pointer "a native window (foot)" 700 500
  sway_focus_on 'app_id="typing"' || fail "after clicks on the clock sway's focus is not on foot but on $(sway_focused)"
  before=$(typed "$TYPED" '^k$')
  pointer mousemove 700 500 key k ctrl+j
  wait_until 5 typed_more "$TYPED" '^k$' "$before" || fail "after clicks on the clock a key typed did not reach foot"
  sway_report "click keeps the keyboard" ✓ "foot focused: a key typed after a drag and clicks reaches it"
}

# Rule: the keyboard route, whatever has the keyboard: nothing (an empty
# workspace), a native Wayland window (foot) or an X window (xev), each on
# a workspace of its own from FIRST_WORKSPACE on, with the clock at 200,150.
# `tockara --menu` opens the clock's menu with the keyboard in it: Escape
# closes it, and the keys alone open the memo window from it and close it
# again; after each, the window that had the keyboard before has it again
# and what is typed reaches it. The keys go to sway's window on a virtual
# display under the pointer, which rests in a corner of the output all
# along: sway gives the keyboard to the window the pointer moves into.
rule_keyboard_menu() { # first-workspace
  local cases case kind criteria command typed_pattern workspace=$1 pid keys before
  pointer mousemove 1010 10
  # Each case: its name, the sway criterion that finds the window that has
  # the keyboard (none on the empty workspace), the command that opens that
  # window, and what that window says of a k typed.
  cases=(
    "empty|||"
    "native|app_id=\"typing-native\"|env LANG=C.UTF-8 foot --app-id=typing-native sh -c 'cat >$TYPED-native'|^k\$"
    "x|title=\"typing\"|xev -name typing >$TYPED-x 2>&1|keysym 0x6b, k"
  )
  for case in "${cases[@]}"; do
    IFS='|' read -r kind criteria command typed_pattern <<<"$case"
    switch_to "$workspace"
    workspace=$((workspace + 1))
    if [ -n "$command" ]; then
      pid=$(sway_exec "typing-$kind" "$command") || fail "no $kind window"
      PIDS+=("$pid")
      wait_until 20 sway_focus_on "$criteria" || fail "the $kind window did not get the keyboard"
    fi
    wait_until 20 face_at 200 150 "before-$kind" || fail "$kind: the face is not at 200,150 (see $SESSION/before-$kind.png)"

    # The menu closed by Escape, then the memo window (ちょいメモ設定, ten
    # items down the menu) opened and closed by keys alone.
    for keys in "Escape" "Down Down Down Down Down Down Down Down Down Down Return"; do
      as_sway_user "$PROGRAM/tockara" --menu >"$WORK/menu.log" 2>&1 || fail "--menu failed: $(cat "$WORK/menu.log")"
      # The clock stands in the upper half: its menu opens below it.
      wait_until 10 keyboard_menu_shown "$kind" || fail "$kind: --menu opened no menu below the clock (see $SESSION/menu.png)"
      # What leads the keyboard to the menu shows nothing at the clock's corner.
      [ "$(pixel "$SESSION/menu.png" 200 150)" = "$(pixel "$SESSION/before-$kind.png" 200 150)" ] \
        || fail "$kind: with the menu open the clock's corner is not clear (see $SESSION/menu.png)"
      if [ "$keys" != Escape ]; then
        # A key typed the moment the menu shows may come before the menu has
        # the keyboard, and a Down lost so would open the item above the
        # memo: the first Down is typed again until the menu shows it taken
        # (its highlight moved), then the rest.
        menu_moved() {
          local shot
          shot=$(sway_screenshot down) || return 1
          [ "$(compare -metric AE -crop 150x200+220+240 "$SESSION/menu.png" "$shot" null: 2>&1)" -gt 50 ] 2>/dev/null
        }
        down_taken() { pointer key Down; wait_until 1 menu_moved; }
        wait_until 5 down_taken || fail "$kind: no Down reached the menu (see $SESSION/down.png)"
        keys=${keys#Down }
      fi
      # shellcheck disable=SC2086
      pointer key $keys
      if [ "$keys" = Escape ]; then
        wait_until 10 eval '! keyboard_menu_shown "$kind"' || fail "$kind: Escape did not reach the menu (see $SESSION/menu.png)"
      else
        wait_until 10 memo_shown || fail "$kind: the keys did not reach the menu (see $(sway_screenshot keys))"
        pointer key Escape
        wait_until 10 eval '! memo_shown' || fail "$kind: Escape did not close the memo window"
      fi
      wait_until 5 sway_focus_on "$criteria" \
        || fail "$kind: sway's focus did not go back after $keys ($(as_sway_user swaymsg -t get_seats | grep -m1 '"focus"'))"
      if [ -n "$typed_pattern" ]; then
        before=$(typed "$TYPED-$kind" "$typed_pattern")
        # Ctrl+J ends foot's line as Return does; a Return that reached the
        # clock would open its fortune box, and the next --menu would raise
        # that box in place of the menu.
        pointer key k ctrl+j
        wait_until 5 typed_more "$TYPED-$kind" "$typed_pattern" "$before" \
          || fail "$kind: after $keys a key typed did not reach the window that had the keyboard"
      fi
    done
    case $kind in
      empty) sway_report "--menu, nothing focused" ✓ "empty workspace: Escape closes the menu, the keys open and close the memo window" ;;
      native) sway_report "--menu, native window focused" ✓ "foot: the same, and the keyboard back to foot after each" ;;
      x) sway_report "--menu, X window focused" ✓ "xev: the same, and the keyboard back to xev after each" ;;
    esac
  done
}
# The tree is read whole before it is looked at: grep -q, done at the first
# match, would end swaymsg's writing with SIGPIPE and the pipeline would
# fail as if the window were gone.
memo_shown() { [[ $(as_sway_user swaymsg -t get_tree) == *'"name": "ちょいメモ設定"'* ]]; }
keyboard_menu_shown() { sway_menu_below "$SESSION/before-$1.png" 150x200+220+240; }
