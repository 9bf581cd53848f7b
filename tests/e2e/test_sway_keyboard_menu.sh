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
make_session_program_folder
# 200, 150 pixels at 15 twips per pixel.
write_cp932 "$PROGRAM/Tockara.ini" $'[Setting]\nLeft=3000\nTop=2250'
chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"
sway_start_clock
FACE='#008000'
face_at() { # x y name
  local shot
  shot=$(sway_screenshot "$3") || return 1
  [ "$(count_colour "$shot" "80x80+$1+$2" "$FACE")" -gt 2500 ]
}
# The keys go to sway's window on the virtual display, under the pointer,
# which rests in a corner of the output all along: sway gives the keyboard
# to the window the pointer moves into.
pointer mousemove 1010 10

# Whether sway's focus is on the window that the criterion finds, or, with
# none, on no window at all.
sway_focus_on() { # [criterion]
  if [ -n "${1:-}" ]; then
    swaymsg_ "[$1 con_id=__focused__]" nop 2>/dev/null
  else
    ! swaymsg_ '[con_id=__focused__]' nop 2>/dev/null
  fi
}
memo_shown() { as_sway_user swaymsg -t get_tree | grep -q '"name": "ちょいメモ設定"'; }
menu_shown() { sway_menu_below "$SESSION/before-$kind.png" 150x200+220+240; }
# How many times the window of the case was told of the key k (what `cat`
# in foot wrote, what xev logged); 0 on the empty workspace.
TYPED=$SESSION/typed
typed() { grep -c "$typed_pattern" "$TYPED-$kind" 2>/dev/null || true; }
typed_more() { [ "$(typed)" -gt "$1" ]; }

# Each case on a workspace of its own: its name, the sway criterion that
# finds the window that has the keyboard (none on the empty workspace), the
# command that opens that window, and what that window says of a k typed.
cases=(
  "empty|||"
  "native|app_id=\"typing\"|env LANG=C.UTF-8 foot --app-id=typing sh -c 'cat >$TYPED-native'|^k\$"
  "x|title=\"typing\"|xev -name typing >$TYPED-x 2>&1|keysym 0x6b, k"
)
workspace=0
for case in "${cases[@]}"; do
  IFS='|' read -r kind criteria command typed_pattern <<<"$case"
  workspace=$((workspace + 1))
  swaymsg_ workspace "$workspace"
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
    wait_until 10 menu_shown || fail "$kind: --menu opened no menu below the clock (see $SESSION/menu.png)"
    # What leads the keyboard to the menu shows nothing at the clock's corner.
    [ "$(pixel "$SESSION/menu.png" 200 150)" = "$(pixel "$SESSION/before-$kind.png" 200 150)" ] \
      || fail "$kind: with the menu open the clock's corner is not clear (see $SESSION/menu.png)"
    # shellcheck disable=SC2086
    pointer key $keys
    if [ "$keys" = Escape ]; then
      wait_until 10 eval '! menu_shown' || fail "$kind: Escape did not reach the menu (see $SESSION/menu.png)"
    else
      wait_until 10 memo_shown || fail "$kind: the keys did not reach the menu (see $(sway_screenshot keys))"
      pointer key Escape
      wait_until 10 eval '! memo_shown' || fail "$kind: Escape did not close the memo window"
    fi
    wait_until 5 sway_focus_on "$criteria" \
      || fail "$kind: sway's focus did not go back after $keys ($(as_sway_user swaymsg -t get_seats | grep -m1 '"focus"'))"
    if [ -n "$typed_pattern" ]; then
      before=$(typed)
      pointer key k Return
      wait_until 5 typed_more "$before" || fail "$kind: after $keys a key typed did not reach the window that had the keyboard"
    fi
  done
  case $kind in
    empty) sway_report "--menu, nothing focused" ✓ "empty workspace: Escape closes the menu, the keys open and close the memo window" ;;
    native) sway_report "--menu, native window focused" ✓ "foot: the same, and the keyboard back to foot after each" ;;
    x) sway_report "--menu, X window focused" ✓ "xev: the same, and the keyboard back to xev after each" ;;
  esac
done
echo "sway --menu: ok"
