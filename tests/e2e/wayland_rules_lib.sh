# The clock's promises on a Wayland session, checked as rules, the same way
# on every compositor the tests can start. Sourced by session_user_lib.sh.
#
# A session's starter (nested_lib.sh, sway_lib.sh) provides:
#   in_session CMD...        a command inside the session (its XWayland
#                            display, Wayland display and bus)
#   pointer WORDS...         the compositor's pointer, in xdotool's words
#   session_key KEYS...      keys on the compositor's keyboard
#   session_shot NAME        a 1024 x 768 screenshot of the session; prints its path
#   session_workspace N      shows workspace N (unset: the session has none)
#   session_show_desktop on|off   "show desktop" (unset: the session has none)
#   REFERENCE_DISPLAY        an X server of its own (no window manager), for
#                            the same clock on X11 beside the session's
# A rule the session has no such thing for is left out with the reason; the
# other rules run in one session, one after another.

FACE='#008000'
CLOCK_AT=(200 150)
ROUTE_LOG=()

# Notes a rule's outcome for the summary the test prints at its end.
note() { ROUTE_LOG+=("$*"); echo "$*"; }

# True when the session's screenshot NAME shows the face (most of its
# ellipse in the face colour) in the 80 x 80 square at X,Y, and with COLOUR
# given, that colour at the square's four corners (what lies beneath).
face_at() { # x y name [colour]
  local shot corner
  shot=$(session_shot "$3") || return 1
  [ "$(count_colour "$shot" "80x80+$1+$2" "$FACE")" -gt 2500 ] || return 1
  [ -n "${4:-}" ] || return 0
  for corner in "$1 $2" "$(($1 + 79)) $2" "$1 $(($2 + 79))" "$(($1 + 79)) $(($2 + 79))"; do
    [ "$(pixel "$shot" $corner)" = "$4" ] || return 1
  done
}

# Waits until the face shows at the clock's place; fails with WHAT otherwise.
expect_face() { # name what [colour]
  wait_until 10 face_at "${CLOCK_AT[0]}" "${CLOCK_AT[1]}" "$1" "${3:-}" \
    || fail "$2: the face is not at ${CLOCK_AT[0]},${CLOCK_AT[1]} (see $(session_shot "$1-failed"))"
}

# The clock's windows on the session's X display other than its face, as
# "id width height x y", one a line.
other_clock_windows() {
  local id
  for id in $(in_session xdotool search --onlyvisible --classname '^tockara$' 2>/dev/null | grep -vx "$WINDOW"); do
    echo "$id $(in_session xwininfo -id "$id" 2>/dev/null | awk '/Width:/ { w = $2 } /Height:/ { h = $2 }
      /Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print w, h, x, y }')"
  done
}

# Whether the hover window (a small window of the clock's) is shown.
hover_shown() { [ -n "$(other_clock_windows | awk '$3 > 0 && $3 < 60')" ]; }

# Whether the clock's menu (a tall window of its own) is shown beside the
# clock, not over it.
menu_beside() {
  local id w h x y
  read -r id w h x y <<<"$(other_clock_windows | awk '$3 >= 100' | head -1)"
  [ -n "$y" ] && ((x >= CLOCK_AT[0] + 80 || x + w <= CLOCK_AT[0] || y >= CLOCK_AT[1] + 80 || y + h <= CLOCK_AT[1]))
}
menu_closed() { [ -z "$(other_clock_windows | awk '$3 >= 100')" ]; }

# The pointer onto the face as a hand brings it: a few steps inside, so that
# XWayland has seen it move over the clock.
onto_face() { # dx dy inside the clock
  local x=$((CLOCK_AT[0] + $1)) y=$((CLOCK_AT[1] + $2))
  echo "mousemove $((x - 2)) $((y - 2)) sleep 0.05 mousemove $((x - 1)) $((y - 1)) sleep 0.05 mousemove $x $y sleep 0.05"
}

# Rule 4, hover: the pointer jumps onto the face and rests there, the hover
# window comes; the pointer leaves for X,Y (over what lies beneath) and the
# hover window goes within a second.
check_hover() { # beneath x y
  pointer mousemove "$2" "$3" sleep 0.3 mousemove $((CLOCK_AT[0] + 40)) $((CLOCK_AT[1] + 40))
  wait_until 5 hover_shown || fail "$1 beneath: the resting pointer brought up no hover window"
  pointer mousemove "$2" "$3"
  local left_at closed_after
  left_at=$(now_ms)
  wait_until 5 eval '! hover_shown' || fail "$1 beneath: the hover window stayed after the pointer left the clock"
  closed_after=$(($(now_ms) - left_at))
  note "hover over $1: closed ${closed_after} ms after the pointer left"
  ((closed_after <= 1000)) || fail "$1 beneath: the hover window closed only after ${closed_after} ms"
}

# Rule 4, menu: the pointer jumps onto the face from X,Y and at once clicks
# the right button: the menu opens beside the clock. A left click on the
# face closes it again.
check_menu() { # beneath x y
  pointer mousemove "$2" "$3" sleep 0.3 mousemove $((CLOCK_AT[0] + 40)) $((CLOCK_AT[1] + 40)) sleep 0.1 click 3
  wait_until 5 menu_beside || fail "$1 beneath: a right click opened no menu beside the clock: $(other_clock_windows)"
  note "menu over $1: beside the clock ($(other_clock_windows | awk '$3 >= 100 { print $2 "x" $3 "+" $4 "+" $5 }'))"
  pointer $(onto_face 30 30) click 1
  wait_until 5 menu_closed || fail "$1 beneath: a click on the clock did not close its menu"
}

# Rule 4, drag: from X,Y the pointer comes onto the face (jumping, with
# JUMP set; in steps otherwise), drags it by DX,DY in steps and lets go: the
# position saved is the new one, and the face shows there.
check_drag() { # beneath x y dx dy [jump]
  local start steps="" i left top
  if [ -n "${6:-}" ]; then
    start="mousemove $((CLOCK_AT[0] + 30)) $((CLOCK_AT[1] + 30)) sleep 0.1"
  else
    start=$(onto_face 30 30)
  fi
  for i in 1 2 3 4 5; do
    steps+=" mousemove $((CLOCK_AT[0] + 30 + $4 * i / 5)) $((CLOCK_AT[1] + 30 + $5 * i / 5)) sleep 0.1"
  done
  local end_x=$((CLOCK_AT[0] + 30 + $4)) end_y=$((CLOCK_AT[1] + 30 + $5))
  # The pointer comes to rest a pixel aside and back, as a hand does (mutter
  # 48 holds the last motion back until the next pointer event), and is let
  # go once the session's X display has it at its end.
  pointer mousemove "$2" "$3" sleep 0.3 $start mousedown 1 sleep 0.1 $steps \
    mousemove $((end_x + 1)) $((end_y + 1)) sleep 0.1 mousemove "$end_x" "$end_y"
  at_end() { [ "$(in_session xdotool getmouselocation 2>/dev/null | cut -d' ' -f1-2)" = "x:$end_x y:$end_y" ]; }
  wait_until 5 at_end || echo "the session's pointer is at $(in_session xdotool getmouselocation 2>&1)"
  pointer mouseup 1
  CLOCK_AT=($((CLOCK_AT[0] + $4)) $((CLOCK_AT[1] + $5)))
  left=$((CLOCK_AT[0] * 15)) top=$((CLOCK_AT[1] * 15))
  wait_for_ini "$PROGRAM/Tockara.ini" Setting Left "$left" 10 && ini_is "$PROGRAM/Tockara.ini" Setting Top "$top" \
    || fail "$1 beneath: a drag by $4,$5 saved $(ini_value "$PROGRAM/Tockara.ini" Setting Left)/$(ini_value "$PROGRAM/Tockara.ini" Setting Top), not $left/$top"
  expect_face "dragged-$1" "$1 beneath, after a drag by $4,$5"
  note "drag by $4,$5 over $1${6:+ (the pointer jumping onto the clock)}: saved $left/$top"
}

# Rule 5: `tockara --menu` opens the menu with the keyboard in it: ten Down
# and Return reach its ちょいメモ item, whose window opens and takes Escape.
# With a CHECK given, that command then tells whether the keyboard went back
# to the window that had it before.
check_keyboard_menu() { # case [check]
  local memo
  in_session "$PROGRAM/tockara" --menu >"$WORK/menu.log" 2>&1 || fail "$1: --menu failed: $(cat "$WORK/menu.log")"
  wait_until 5 eval '[ -n "$(other_clock_windows | awk "\$3 >= 100")" ]' || fail "$1: --menu opened no menu"
  session_key Down Down Down Down Down Down Down Down Down Down Return
  memo_open() { memo=$(in_session xdotool search --onlyvisible --name '^ちょいメモ設定$' 2>/dev/null | head -1) && [ -n "$memo" ]; }
  wait_until 5 memo_open || fail "$1: the keys did not reach the menu opened by --menu (no ちょいメモ設定 window)"
  session_key Escape
  wait_until 5 eval '! memo_open' || fail "$1: Escape did not reach the tool window"
  if [ -n "${2:-}" ]; then
    "$2" || fail "$1: the keyboard did not go back to the window that had it"
    note "keyboard, $1: --menu, keys in the menu and the tool window, the keyboard back afterwards"
  else
    note "keyboard, $1: --menu, keys in the menu and the tool window"
  fi
}

# The processor time process $1 has used so far, in nanoseconds, all its threads.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d\n", sum }'; }

IDLE_SESSION=0 IDLE_REFERENCE=0
# Rule 7: over SECONDS with the pointer away, the clock in the session and
# the same clock on X11, side by side.
measure_idle() { # what-lies-beneath seconds
  local s0 r0 s1 r1
  s0=$(cpu_ns "$CLOCK_PID") r0=$(cpu_ns "$REFERENCE_PID")
  sleep "$2"
  s1=$(cpu_ns "$CLOCK_PID") r1=$(cpu_ns "$REFERENCE_PID")
  IDLE_SESSION=$((IDLE_SESSION + s1 - s0)) IDLE_REFERENCE=$((IDLE_REFERENCE + r1 - r0))
  note "idle with $1 beneath, $2 s: $(((s1 - s0) / 1000000)) ms in the session, $(((r1 - r0) / 1000000)) ms on X11"
}

# The minute's sum: at most 1.5 times the clock on X11, give or take 20 ms
# of a machine shared with the compositor and the virtual displays.
check_idle_ratio() {
  local ratio=$((IDLE_SESSION * 100 / (IDLE_REFERENCE > 0 ? IDLE_REFERENCE : 1)))
  note "idle over the minute: $((IDLE_SESSION / 1000000)) ms in the session, $((IDLE_REFERENCE / 1000000)) ms on X11 (ratio $((ratio / 100)).$(printf %02d $((ratio % 100))))"
  ((IDLE_SESSION * 2 <= IDLE_REFERENCE * 3 + 40000000)) \
    || fail "the clock in the session costs more than 1.5 times the clock on X11 over the same minute"
}

# Starts the clock of PROGRAM inside the session at 200,150 and the same
# clock on the reference X server; waits for both. Sets CLOCK_PID, WINDOW
# and REFERENCE_PID.
start_clocks() {
  make_session_program_folder
  write_cp932 "$PROGRAM/Tockara.ini" $'[Setting]\nLeft=3000\nTop=2250'
  chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"
  # The same clock on X11, away from the nested session's window.
  local reference="$WORK/reference"
  cp -r "$PROGRAM" "$reference"
  write_cp932 "$reference/Tockara.ini" $'[Setting]\nLeft=18000\nTop=4500'
  DISPLAY="$REFERENCE_DISPLAY" "$reference/tockara" >"$WORK/reference.log" 2>&1 &
  REFERENCE_PID=$!
  PIDS+=("$REFERENCE_PID")
  "${IN_SESSION[@]}" "$PROGRAM/tockara" >"$WORK/clock.log" 2>&1 &
  CLOCK_PID=$!
  PIDS+=("$CLOCK_PID")
  title() { WINDOW=$(in_session xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | head -1) && [ -n "$WINDOW" ]; }
  wait_until 20 title || { cat "$WORK/clock.log" >&2; fail "the clock's window did not appear in the session"; }
}

# A window of another program in the session: X_WINDOW an X client (xev,
# which writes the keys it gets to $WORK/xev.log), NATIVE_PID a Wayland
# client (weston-terminal, filling the screen, its shell in $SESSION).
open_x_window() {
  "${IN_SESSION[@]}" xev -geometry 400x300+100+80 -name beneath >"$WORK/xev.log" 2>&1 &
  PIDS+=($!)
  x_shown() { X_WINDOW=$(in_session xdotool search --onlyvisible --name '^beneath$' 2>/dev/null | head -1) && [ -n "$X_WINDOW" ]; }
  wait_until 20 x_shown || fail "xev did not open in the session"
}
open_native_window() {
  command -v weston-terminal >/dev/null || skip "weston-terminal is not installed"
  "${IN_SESSION[@]}" sh -c "cd '$SESSION' && exec weston-terminal --maximized --shell=/bin/sh" >"$WORK/native.log" 2>&1 &
  NATIVE_PID=$!
  PIDS+=("$NATIVE_PID")
  # Its window is up once its shell runs.
  shell_up() { pgrep -P "$NATIVE_PID" -x sh >/dev/null; }
  wait_until 20 shell_up || fail "weston-terminal did not start in the session: $(cat "$WORK/native.log")"
}

# Whether the X window's geometry covers the clock's rectangle.
x_window_under_clock() {
  local x y w h
  read -r w h x y <<<"$(in_session xwininfo -id "$X_WINDOW" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 }
    /Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print w, h, x, y }')"
  ((x <= CLOCK_AT[0] && y <= CLOCK_AT[1] && x + w >= CLOCK_AT[0] + 80 && y + h >= CLOCK_AT[1] + 80))
}
typed_in_x() { grep -q 'keysym 0x78, x)' "$WORK/xev.log"; }
typed_in_native() { [ -e "$SESSION/typed" ]; }

# Whether the session's screen shows COLOUR at X,Y: another program's
# window there (xev is white, weston-terminal black), or not.
screen_shows() { # x y colour
  local shot
  shot=$(session_shot probe) && [ "$(pixel "$shot" "$1" "$2")" = "$3" ]
}
screen_lacks() { ! screen_shows "$@"; }

# Every rule the session allows, in one run of the compositor:
# 1 on every workspace, 2 through "show desktop", 3 above windows opened
# after it (X and native), 4 hover, menu and drag over the bare desktop, an
# X window and a native window, 5 `tockara --menu` on an empty workspace
# (or with nothing focused), with a native window and with an X window
# focused, the keyboard back afterwards, 7 the idle cost against the same
# clock on X11. Each check waits for what the session shows after a step
# before it looks at the clock.
check_session_rules() {
  start_clocks
  expect_face start "at start"

  # Nothing beneath.
  check_hover desktop 800 600
  check_menu desktop 800 600
  if ! declare -F session_workspace >/dev/null; then
    pointer mousemove 800 600 click 1
    check_keyboard_menu "nothing focused"
  fi
  pointer mousemove 800 600
  measure_idle "the desktop" "${IDLE_SECONDS:-20}"

  # An X window opened after the clock, over it, focused.
  open_x_window
  in_session xdotool windowactivate "$X_WINDOW" 2>/dev/null || pointer mousemove 450 350 click 1
  wait_until 10 screen_shows 120 100 '#FFFFFF' || fail "xev is not shown (see $(session_shot xev-failed))"
  if x_window_under_clock; then
    expect_face x-above "an X window opened over the clock" '#FFFFFF'
  else
    expect_face x-above "an X window opened after the clock"
  fi
  note "above an X window opened after it and focused"
  check_hover "an X window" 150 350
  check_menu "an X window" 150 350
  check_drag "an X window" 150 350 100 50
  pointer mousemove 450 350 click 1
  check_keyboard_menu "an X window focused" typed_in_x_after
  measure_idle "an X window" "${IDLE_SECONDS:-20}"

  if declare -F session_workspace >/dev/null; then
    session_workspace 2
    wait_until 10 screen_lacks 120 100 '#FFFFFF' || fail "workspace 2 still shows xev (see $(session_shot ws2-failed))"
    expect_face workspace2 "on workspace 2"
    check_keyboard_menu "an empty workspace"
    session_workspace 1
    wait_until 10 screen_shows 120 100 '#FFFFFF' || fail "workspace 1 does not show xev again (see $(session_shot ws1-failed))"
    expect_face workspace1 "back on workspace 1"
    note "workspaces: on workspace 2 and back"
  else
    note "workspaces: — (${NO_WORKSPACES:-none})"
  fi

  # A native window opened after the clock, filling the screen, focused.
  open_native_window
  wait_until 10 screen_shows 900 700 '#000000' || fail "weston-terminal is not shown (see $(session_shot native-failed))"
  expect_face native-above "a native window opened over the clock"
  note "above a native window opened after it and focused"
  check_hover "a native window" 700 600
  check_menu "a native window" 700 600
  check_drag "a native window" 700 600 -100 -50 jump
  pointer mousemove 700 600 click 1
  check_keyboard_menu "a native window focused" typed_in_native_after
  measure_idle "a native window" "${IDLE_SECONDS:-20}"

  if declare -F session_show_desktop >/dev/null; then
    session_show_desktop on
    wait_until 10 screen_lacks 900 700 '#000000' || fail "the desktop was not shown (see $(session_shot shown-failed))"
    expect_face shown-desktop "with the desktop shown"
    session_show_desktop off
    wait_until 10 screen_shows 900 700 '#000000' || fail "the windows did not come back (see $(session_shot back-failed))"
    expect_face desktop-back "after the desktop was shown"
    note "show desktop: shown throughout, at its place and above afterwards"
  else
    note "show desktop: — (${NO_SHOW_DESKTOP:-none})"
  fi
  check_idle_ratio
  printf '%s\n' "${ROUTE_LOG[@]}" > "${TOCKARA_E2E_SHOTS:-$WORK}/$(basename "$0" .sh).summary" 2>/dev/null || true
}

# After the tool window closed: a key typed goes to the X window, or a
# command typed runs in the native window's shell.
typed_in_x_after() { session_key x; wait_until 3 typed_in_x; }
typed_in_native_after() { session_key t o u c h space t y p e d Return; wait_until 3 typed_in_native; }
