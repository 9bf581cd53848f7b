#!/usr/bin/env bash
# The clock inside Weston (nested in a virtual display, its X11 backend, so
# that xdotool there moves Weston's pointer and types on Weston's keyboard),
# through Weston's XWayland. One line per rule: ✓ when it holds, — where
# Weston has no such thing, and why.
# - drawn and ticking from its start, with the pointer still;
# - `tockara --menu` with nothing focused, with an X window (xev) focused
#   and with a native Wayland window (foot) focused: the keys reach the menu
#   (Escape closes it; Down ×10, Return open the memo window, Escape closes
#   it), Weston still runs, and the keyboard is back with the window that
#   had it (a key typed then reaches it);
# - above the windows opened after it and focused, X and native alike; a
#   full-screen window where Weston's rule puts it (over the clock on 10,
#   under it on 14);
# - over the bare desktop, an X window and a native window: the resting
#   pointer brings the hover window, which goes within a second of the
#   pointer leaving; a drag of (100, 50) stores its place; a right click
#   opens the menu beside the clock;
# - on every workspace, where Weston has workspaces;
# - "show desktop" and the screen changing: Weston has no such thing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nested_lib.sh"
command -v xev >/dev/null || skip "xev is not installed"
command -v foot >/dev/null || skip "foot is not installed"
WESTON_WM_LOG=yes start_weston_nested

WESTON_MAJOR=$(weston --version 2>/dev/null | grep -o '[0-9][0-9]*' | head -1)
SESSION_NAME="weston $WESTON_MAJOR"
report() { # rule mark [why]
  printf '%-42s %s%s\n' "$SESSION_NAME: $1" "$2" "${3:+ ($3)}"
}

# Whether Weston's desktop-shell has workspaces (it reads the key
# num-workspaces, which start_weston_nested sets to 2: Weston 10, not 14),
# switched with Super+F1 and Super+F2.
WORKSPACES=
for module in /usr/lib/*/weston/desktop-shell.so /usr/lib/weston/desktop-shell.so; do
  [ -e "$module" ] && grep -qa num-workspaces "$module" && WORKSPACES=yes
done
weston_runs() { ! ended "$COMPOSITOR_PID"; }

make_session_program_folder
# 200, 150 pixels at 15 twips per pixel.
write_cp932 "$PROGRAM/Tockara.ini" $'[Setting]\nLeft=3000\nTop=2250'
chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"
CLOCK_X=200 CLOCK_Y=150

# Drawn at start: XWayland already serves a client, the pointer rests and
# Weston's own start (its panel fading in) is over, so that nothing else
# makes Weston draw its screen again.
still() {
  local before
  before=$(screenshot still-before)
  sleep 1
  [ "$(compare -metric AE "$before" "$(screenshot still-after)" null: 2>&1)" = 0 ]
}
wait_until 20 still || fail "weston's screen does not come to rest"
session_start_clock
wait_until 10 face_shown 200 150 start || fail "the clock is not drawn at its start (see $WORK/start.png)"
ticks() { [ "$(compare -metric AE "$WORK/start.png" "$(screenshot tick)" null: 2>&1)" -gt 20 ]; }
wait_until 5 ticks || fail "the clock's face does not tick (see $WORK/tick.png)"
report "drawn at start" ✓ "and ticking, the pointer still"

# Weston's X11 backend moves its pointer by the steps of the virtual
# display's pointer: from the far corner to 0,0 it stops at Weston's 0,0,
# and from there on both pointers stand at the same place.
pointer mousemove 1023 767 sleep 0.2 mousemove 0 0 sleep 0.2

# Whether XWayland's keyboard is on a window of the clock's connection (one
# of its resource base, as the clock's window).
keyboard_with_clock() {
  local focus
  focus=$(in_session xdotool getwindowfocus 2>/dev/null) && ((focus >> 21 == WINDOW >> 21))
}
menu_shown() { [ -n "$(other_clock_windows | awk '$3 >= 100')" ]; }
# Rule: the keyboard route. `tockara --menu` opens the menu with the keys
# in it (Escape closes it; Down ×10, Return open the memo window, Escape
# closes that), Weston still runs; then the keyboard is back where it was:
# TYPED_REACHES (a command) tells whether a key typed reached the window
# that had it. The keys go to Weston's window on the virtual display, which
# has the pointer: the pointer rests at X,Y there, off the clock. ROUNDS
# (1 unless told) times over: a tool window that Weston does not draw stays
# without the keyboard, and that came once in tens of windows.
check_keyboard_route() { # focused x y
  local keys round
  pointer mousemove "$2" "$3"
  for round in $(seq "${ROUNDS:-1}"); do
    for keys in "Escape" "Down Down Down Down Down Down Down Down Down Down Return"; do
      in_session "$PROGRAM/tockara" --menu >"$WORK/menu.log" 2>&1 || fail "--menu failed: $(cat "$WORK/menu.log")"
      wait_until 10 menu_shown || fail "--menu opened no menu ($1)"
      # The keys typed once Weston gave XWayland's keyboard to the clock.
      wait_until 10 keyboard_with_clock || fail "--menu did not bring the keyboard to the clock ($1; focus: $(in_session xdotool getwindowfocus 2>&1)) xev ${XEV:-} $(in_session xprop -root _NET_ACTIVE_WINDOW) $(tail -30 $WORK/xev.log 2>/dev/null)"
      # shellcheck disable=SC2086
      pointer key $keys
      if [ "$keys" = Escape ]; then
        wait_until 10 eval '! menu_shown' || fail "Escape did not reach the menu opened by --menu ($1)"
      else
        wait_until 10 memo_shown || fail "the keys did not reach the menu ($1; weston runs: $(weston_runs && echo yes || echo no))"
        # Weston may activate the memo window a moment after it shows it: an
        # Escape typed before then went to the window below, so it is typed
        # again while the memo window stays.
        escape_closes_memo() { memo_shown || return 0; pointer key Escape; sleep 0.5; ! memo_shown; }
        wait_until 10 escape_closes_memo \
          || fail "Escape did not close the memo window ($1, round $round; XWayland's focus: $(in_session xdotool getwindowfocus 2>&1); see $(screenshot memo_stays))"
      fi
      weston_runs || fail "weston ended after $keys ($1)"
    done
  done
  local times=
  [ "${ROUNDS:-1}" -gt 1 ] && times="$ROUNDS times"
  if [ -z "${TYPED_REACHES:-}" ]; then
    report "--menu, $1" ✓ "$times"
    return
  fi
  # Typed again until it arrives: the keys typed before Weston gave its
  # keyboard back are lost, as a user's would be.
  local closed_at=$(now_ms)
  typed_reaches() { pointer type k; pointer key Return; sleep 0.2; "$TYPED_REACHES"; }
  wait_until 5 typed_reaches || fail "no key typed after the memo window closed reached the window that had the keyboard ($1; XWayland's focus: $(in_session xdotool getwindowfocus 2>&1))"
  report "--menu, $1" ✓ "${times:+$times, }keyboard back to it: a key typed reached it $(($(now_ms) - closed_at)) ms after the memo window closed"
}

# Rule: the pointer rules with WHAT beneath the clock and at LX,LY (off the
# clock): the resting pointer brings the hover window, which goes within a
# second of the pointer leaving for LX,LY; a drag by DX,DY stores the new
# place; a right click opens the menu beside the clock, and a click on the
# clock closes it.
check_pointer_rules() { # what lx ly dx dy
  local x=$CLOCK_X y=$CLOCK_Y dx=$4 dy=$5 left closed_after
  pointer mousemove $((x + 30)) $((y + 30)) sleep 0.2 mousemove $((x + 40)) $((y + 40))
  wait_until 5 hover_shown || fail "the resting pointer brought up no hover window ($1 beneath)"
  pointer mousemove "$2" "$3"
  left=$(now_ms)
  wait_until 5 eval '! hover_shown' || fail "the hover window stayed after the pointer left the clock ($1 beneath)"
  closed_after=$(($(now_ms) - left))
  ((closed_after <= 1000)) || fail "the hover window went only ${closed_after} ms after the pointer left ($1 beneath)"

  # Onto the face, a pixel aside and back, then the press once XWayland
  # has the pointer there; the drag in five steps, and the release where
  # the pointer comes to rest.
  pointer mousemove $((x + 30)) $((y + 30)) sleep 0.2 mousemove $((x + 31)) $((y + 31)) sleep 0.2 mousemove $((x + 30)) $((y + 30))
  wait_until 5 session_pointer_at $((x + 30)) $((y + 30)) || echo "before the press the session's pointer is at $(in_session xdotool getmouselocation 2>&1)"
  pointer mousedown 1
  for step in 1 2 3 4 5; do pointer mousemove $((x + 30 + dx * step / 5)) $((y + 30 + dy * step / 5)); sleep 0.1; done
  wait_until 5 session_pointer_at $((x + 30 + dx)) $((y + 30 + dy)) || echo "the session's pointer is at $(in_session xdotool getmouselocation 2>&1)"
  pointer mouseup 1
  CLOCK_X=$((x + dx)) CLOCK_Y=$((y + dy))
  local ini="$PROGRAM/Tockara.ini"
  wait_for_ini "$ini" Setting Left $((CLOCK_X * 15)) 10 && ini_is "$ini" Setting Top $((CLOCK_Y * 15)) \
    || fail "a drag by ($dx,$dy) from $x,$y stored $(ini_value "$ini" Setting Left)/$(ini_value "$ini" Setting Top) ($1 beneath)"
  wait_until 10 face_shown "$CLOCK_X" "$CLOCK_Y" dragged || fail "after the drag the face is not at $CLOCK_X,$CLOCK_Y ($1 beneath; see $WORK/dragged.png)"

  pointer mousemove $((CLOCK_X + 40)) $((CLOCK_Y + 40)) sleep 0.2 mousemove $((CLOCK_X + 41)) $((CLOCK_Y + 41))
  wait_until 5 session_pointer_at $((CLOCK_X + 41)) $((CLOCK_Y + 41)) || echo "before the right click the session's pointer is at $(in_session xdotool getmouselocation 2>&1)"
  pointer click 3
  wait_until 10 menu_beside "$CLOCK_X" "$CLOCK_Y" || fail "no menu opened beside the clock ($1 beneath): $(other_clock_windows)"
  pointer click 1
  wait_until 10 eval '! menu_shown' || fail "a click on the clock did not close its menu ($1 beneath)"
  report "pointer, $1 beneath" ✓ "hover gone after $closed_after ms, drag ($dx,$dy) stored, menu beside"
}

# Whether the screenshot NAME shows colour COLOUR at X,Y.
shows() { [ "$(pixel "$(screenshot "$1")" "$2" "$3")" = "$4" ]; }

# Rule 5 and 4 with nothing on the desktop.
TYPED_REACHES= check_keyboard_route "nothing focused" 1000 700
check_pointer_rules "the bare desktop" 800 600 100 50

# An X window (xev, white, printing the keys it gets) opened after the
# clock over its place: Weston activates it as it maps it.
"${IN_SESSION[@]}" stdbuf -oL xev -event keyboard -geometry 500x400+100+80 >"$WORK/xev.log" 2>&1 &
XEV_PID=$!
PIDS+=("$XEV_PID")
wait_until 20 shows xev 550 450 '#FFFFFF' || fail "xev did not open (see $WORK/xev.png)"
wait_until 10 face_shown "$CLOCK_X" "$CLOCK_Y" above_x || fail "an X window opened later over the clock covers it (see $WORK/above_x.png)"
report "above a later X window" ✓ "xev, focused"

# Rule: every workspace. Weston's XWayland window manager tells no
# workspace (no _NET_CURRENT_DESKTOP): what shows on the screen tells.
if [ -n "$WORKSPACES" ]; then
  pointer mousemove 900 700
  pointer key super+F2
  wait_until 10 eval '! shows workspace1 550 450 "#FFFFFF"' || fail "Super+F2 did not switch the workspace (see $WORK/workspace1.png)"
  wait_until 10 face_shown "$CLOCK_X" "$CLOCK_Y" workspace1 || fail "the clock stayed behind on the first workspace (see $WORK/workspace1.png)"
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" 10 || fail "the clock did not end"
  session_start_clock
  wait_until 10 face_shown "$CLOCK_X" "$CLOCK_Y" restarted || fail "the clock started again is not shown on the second workspace (see $WORK/restarted.png)"
  pointer mousemove 900 700
  pointer key super+F1
  wait_until 10 shows workspace0 550 450 '#FFFFFF' || fail "Super+F1 did not switch back to the first workspace"
  wait_until 10 face_shown "$CLOCK_X" "$CLOCK_Y" workspace0 || fail "the clock started on the second workspace is not on the first (see $WORK/workspace0.png)"
  report "every workspace" ✓ "Super+F2, and a clock started there is on the first"
else
  report "every workspace" — "Weston $WESTON_MAJOR's desktop-shell has no workspaces: no num-workspaces"
fi

# Rule: show desktop. Weston's shell has no binding for it, and its
# XWayland window manager does not offer it to X clients.
if in_session xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_SHOWING_DESKTOP; then
  fail "Weston's window manager offers show desktop: check the clock with it"
fi
report "show desktop" — "no binding in Weston's shell, no _NET_SHOWING_DESKTOP in its window manager"

xev_has_keyboard() { [ "$(in_session xdotool getwindowfocus 2>/dev/null)" = "$XEV" ]; }
xev_got_k() { grep -q '(keysym 0x6b, k)' "$WORK/xev.log"; }
XEV=$(in_session xdotool search --onlyvisible --name '^Event Tester$' | head -1)
# A click on xev off the clock gives it the keyboard again.
pointer mousemove 550 450 click 1
wait_until 10 xev_has_keyboard || fail "xev does not have the keyboard"
ROUNDS=5 TYPED_REACHES=xev_got_k check_keyboard_route "xev focused" 550 450
check_pointer_rules "an X window" 550 450 -100 -50

# Rule: a full-screen window, where Weston's own rule puts it. Weston 10's
# shell draws full-screen windows in a layer of their own above every other
# window's, the X windows that bypass its window manager (the clock) among
# them: a full-screen window covers the clock, and made a window again
# (UNDO) it stays drawn above the clock for as long as it is the active
# window (no client can change that; the line says which). Weston 14 keeps
# the clock above a full-screen window.
FULL_SCREEN_COVERS=no
((WESTON_MAJOR > 10)) || FULL_SCREEN_COVERS=yes
check_full_screen() { # what is-full-screen undo...
  local what=$1 full=$2
  shift 2
  wait_until 10 "$full" || fail "$what was not made full-screen"
  if [ "$FULL_SCREEN_COVERS" = yes ]; then
    wait_until 10 eval '! face_shown "$CLOCK_X" "$CLOCK_Y" full_screen' || fail "the full-screen $what does not cover the clock (see $WORK/full_screen.png)"
    report "full-screen $what" ✓ "covers the clock while full-screen, Weston's rule"
  else
    wait_until 10 face_shown "$CLOCK_X" "$CLOCK_Y" full_screen || fail "the full-screen $what covers the clock (see $WORK/full_screen.png)"
    report "full-screen $what" ✓ "the clock stays above it, Weston's rule"
  fi
  "$@"
  wait_until 10 eval '! $full' || fail "$what stayed full-screen"
  if wait_until 1 face_shown "$CLOCK_X" "$CLOCK_Y" windowed; then
    report "out of full screen, $what" ✓ "the clock above it"
  else
    [ "$FULL_SCREEN_COVERS" = yes ] || fail "the clock is not above $what out of full screen (see $WORK/windowed.png)"
    report "out of full screen, $what" — "Weston $WESTON_MAJOR draws it above the clock while it stays active"
  fi
}
xev_full_screen() { in_session xwininfo -id "$XEV" | grep -q "Width: 1024"; }
in_session wmctrl -i -r "$XEV" -b add,fullscreen
check_full_screen "X window (xev)" xev_full_screen in_session wmctrl -i -r "$XEV" -b remove,fullscreen
kill "$XEV_PID"
wait_for_exit "$XEV_PID" 10 || fail "xev did not end"

# A native Wayland window (foot, cyan, its shell writing the lines typed to
# a file), maximized: opened after the clock, over its place, and focused.
"${IN_SESSION[@]}" foot --maximized -o colors.background=00ffff sh -c "cat >'$SESSION/typed'" >"$WORK/foot.log" 2>&1 &
FOOT_PID=$!
PIDS+=("$FOOT_PID")
wait_until 20 shows foot 800 600 '#00FFFF' || fail "foot did not open (see $WORK/foot.png)"
wait_until 10 face_shown "$CLOCK_X" "$CLOCK_Y" above_native || fail "a native window opened later over the clock covers it (see $WORK/above_native.png)"
report "above a later native window" ✓ "foot, maximized and focused"
foot_got_k() { grep -q k "$SESSION/typed" 2>/dev/null; }
TYPED_REACHES=foot_got_k check_keyboard_route "foot focused" 800 600
check_pointer_rules "a native window" 800 600 100 50
# Super+Shift+F: Weston's shell makes its active window full-screen, and a
# window again.
foot_full_screen() { shows foot_full 800 10 '#00FFFF'; }
pointer mousemove 800 600 key super+shift+f
check_full_screen "native window (foot)" foot_full_screen pointer key super+shift+f

# Rule: the screen changing under the clock. Weston's outputs stay as they
# start: an X11-backend output is a window of fixed size, its headless
# outputs are fixed, and Weston offers its clients no way to change one.
report "screen changes" — "Weston's X11 and headless backends neither add, remove nor resize an output while it runs"
echo "$SESSION_NAME: ok"
