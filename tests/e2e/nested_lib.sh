# The clock inside GNOME's (mutter) or KDE's (KWin) Wayland compositor, each
# run nested in a virtual display: the compositor's window there is its
# screen, and xdotool on that display moves the compositor's pointer. The
# compositor, its XWayland and the clock belong to an unprivileged user and
# share the compositor's own session bus. Source it after lib.sh; tests that
# use it end with code 77 (skipped) when the compositor cannot run here.
source "$(dirname "${BASH_SOURCE[0]}")/session_user_lib.sh"

# The host display, 1600 pixels wide: the compositor's 1024 x 768 screen at
# its left, room on the right for a clock on the host's own X server.
start_host_display() {
  command -v Xwayland >/dev/null || skip "Xwayland is not installed"
  id "$SESSION_USER" >/dev/null 2>&1 || skip "no user $SESSION_USER to run the compositor as"
  XVFB_SCREEN=1600x900x24 start_display
  HOST_DISPLAY=$DISPLAY
  xhost "+SI:localuser:$SESSION_USER" >/dev/null || fail "the session's user may not use the display"
  make_session_folders
  mkdir -p /tmp/.X11-unix
}

# Runs a command inside the compositor's session: its XWayland display, its
# Wayland display, its bus, and the desktop it names. (In the background:
# "${IN_SESSION[@]}", for the pid.) A short call, as with as_session_user.
in_session() { "${SHORT_CALL[@]}" "${IN_SESSION[@]}" "$@"; }

# Waits until the compositor (the program named $1 that the session's bus
# runner COMPOSITOR_PID started) runs XWayland, or with $2 set, offers its
# display, and takes its display and bus from it; then, where the test has
# defined session_ready, until that holds, and until XWayland answers.
# Returns 1 when the session does not come up.
find_session() { # compositor-name [lazy]
  local name=$1 lazy=${2:-} compositor xwayland lock
  session_up() {
    compositor=$(pgrep -P "$COMPOSITOR_PID" -x "$name" | head -1) && [ -n "$compositor" ] || return 1
    xwayland=$(pgrep -P "$compositor" -x Xwayland | head -1)
    if [ -n "$xwayland" ]; then
      SESSION_X=$(tr '\0' '\n' <"/proc/$xwayland/cmdline" | grep -m1 '^:[0-9]*$') && [ -n "$SESSION_X" ]
      return
    fi
    # A compositor that starts XWayland only when the first X client comes
    # (lazy: KWin 6): its display is the one whose lock file names it, and
    # the first client below starts it.
    [ -n "$lazy" ] || return 1
    for lock in /tmp/.X*-lock; do
      if [ -e "$lock" ] && [ "$(tr -d ' \n' <"$lock" 2>/dev/null)" = "$compositor" ]; then
        lock=${lock#/tmp/.X} SESSION_X=:${lock%-lock}
        return 0
      fi
    done
    return 1
  }
  wait_until 30 session_up || { echo "$name did not start with XWayland" >&2; return 1; }
  SESSION_BUS=$(tr '\0' '\n' <"/proc/$compositor/environ" | sed -n 's/^DBUS_SESSION_BUS_ADDRESS=//p')
  # mutter's XWayland takes a cookie file; KWin's lets in its own user.
  SESSION_XAUTH=
  [ -z "$xwayland" ] || SESSION_XAUTH=$(tr '\0' '\n' <"/proc/$xwayland/cmdline" | grep -A1 -x -- -auth | tail -n +2 || true)
  IN_SESSION=("${AS_SESSION_USER[@]}" DISPLAY="$SESSION_X" XAUTHORITY="$SESSION_XAUTH" WAYLAND_DISPLAY="$SESSION_WAYLAND"
    DBUS_SESSION_BUS_ADDRESS="$SESSION_BUS" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP="$SESSION_DESKTOP")
  if declare -F session_ready >/dev/null; then
    wait_until 30 session_ready || { echo "$name did not finish starting" >&2; return 1; }
  fi
  x_answers() { in_session xdotool getdisplaygeometry >/dev/null 2>&1; }
  wait_until 20 x_answers || { echo "$name's XWayland does not answer" >&2; return 1; }
}

# Starts the compositor with LAUNCH (a function that starts it in the
# background and sets COMPOSITOR_PID) and waits for its session. A nested
# compositor on a loaded machine has been seen to stall in its own start-up
# for good (GNOME Shell 43: it never said it had started, and no X client
# got an answer): it is then stopped and started once more, and only when
# that fails too does the test skip.
start_compositor() { # launch name [lazy]
  local attempt
  for attempt in 1 2; do
    "$1"
    PIDS+=("$COMPOSITOR_PID")
    find_session "$2" "${3:-}" && return 0
    echo "$2: start $attempt of 2 failed; the end of its output:" >&2
    tail -15 "$WORK/compositor.log" >&2
    stop_process_tree "$COMPOSITOR_PID"
  done
  skip "$2 did not come up in two starts"
}

# mutter nested, as GNOME Shell runs it: managed X11 windows through XWayland.
start_mutter_nested() {
  command -v mutter >/dev/null || skip "mutter is not installed"
  start_host_display
  SESSION_DESKTOP=GNOME SESSION_WAYLAND=tockara-wayland
  launch_mutter() {
    "${AS_SESSION_USER[@]}" DISPLAY="$HOST_DISPLAY" MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768:800x600 \
      dbus-run-session -- mutter --wayland --nested --wayland-display="$SESSION_WAYLAND" >"$WORK/compositor.log" 2>&1 &
    COMPOSITOR_PID=$!
  }
  start_compositor launch_mutter mutter
}

# GNOME Shell nested: the whole GNOME desktop on mutter (panel, overview,
# dynamic workspaces), the X11 windows as in mutter nested.
start_gnome_shell_nested() {
  command -v gnome-shell >/dev/null || skip "gnome-shell is not installed"
  start_host_display
  SESSION_DESKTOP=GNOME SESSION_WAYLAND=tockara-wayland
  # GNOME Shell talks to logind on the system bus, and stops where there is
  # no system bus: a bus of its own stands in for it (logind is not on it).
  local system_bus="unix:path=$SESSION_RUNTIME/system_bus"
  "${AS_SESSION_USER[@]}" dbus-daemon --session --nofork --nopidfile --address="$system_bus" >/dev/null 2>&1 &
  PIDS+=($!)
  system_bus_up() { [ -S "$SESSION_RUNTIME/system_bus" ]; }
  wait_until 10 system_bus_up || skip "no stand-in system bus could be started"
  launch_gnome_shell() {
    "${AS_SESSION_USER[@]}" DISPLAY="$HOST_DISPLAY" MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768:800x600 \
      DBUS_SYSTEM_BUS_ADDRESS="$system_bus" dbus-run-session -- gnome-shell --nested --wayland --wayland-display="$SESSION_WAYLAND" >"$WORK/compositor.log" 2>&1 &
    COMPOSITOR_PID=$!
  }
  # Until its start-up animation (the overview coming in) has ended, GNOME
  # Shell covers the screen with a pane that takes the pointer from every
  # window, and a key that closes the overview during that animation leaves
  # the pane there for good (GNOME Shell 48: no window ever got the pointer
  # again). It says when it has started.
  session_ready() { grep -q 'GNOME Shell started at' "$WORK/compositor.log"; }
  start_compositor launch_gnome_shell gnome-shell
}

# KWin (5 or 6) nested. The packaged kwin_wayland carries a file capability that a
# sandbox may refuse to grant; a plain copy runs, as long as its name is
# still kwin_wayland (KWin loads its own toolkit plugin only into that).
start_kwin_nested() {
  command -v kwin_wayland >/dev/null || skip "kwin_wayland is not installed"
  start_host_display
  SESSION_DESKTOP=KDE SESSION_WAYLAND=tockara-wayland
  mkdir -p "$WORK/kwin"
  cp "$(command -v kwin_wayland)" "$WORK/kwin/kwin_wayland"
  launch_kwin() {
    "${AS_SESSION_USER[@]}" DISPLAY="$HOST_DISPLAY" KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
      dbus-run-session -- "$WORK/kwin/kwin_wayland" --xwayland --socket "$SESSION_WAYLAND" \
      --width 1024 --height 768 --x11-display "$HOST_DISPLAY" >"$WORK/compositor.log" 2>&1 &
    COMPOSITOR_PID=$!
  }
  # KWin 6 starts XWayland with the first X client; KWin 5 at once.
  start_compositor launch_kwin kwin_wayland lazy
}

# Starts the clock of PROGRAM inside the session and waits for its window
# there; sets CLOCK_PID and WINDOW.
session_start_clock() {
  "${IN_SESSION[@]}" "$PROGRAM/tockara" >"$WORK/clock.log" 2>&1 &
  CLOCK_PID=$!
  PIDS+=("$CLOCK_PID")
  title() { WINDOW=$(in_session xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | head -1) && [ -n "$WINDOW" ]; }
  wait_until 20 title || { cat "$WORK/clock.log" >&2; fail "the clock's window did not appear in the session"; }
}

FACE='#008000' BENEATH='#FF00FF'

# True when the host's screenshot NAME shows the face (most of its ellipse in
# the face colour) in the 80 x 80 square at X,Y, and, with CORNERS set, the
# window beneath at the square's four corners.
face_shown() { # x y name [corners]
  local shot corner
  shot=$(screenshot "$3")
  [ "$(count_colour "$shot" "80x80+$1+$2" "$FACE")" -gt 2500 ] || return 1
  [ -n "${4:-}" ] || return 0
  for corner in "$1 $2" "$(($1 + 79)) $2" "$1 $(($2 + 79))" "$(($1 + 79)) $(($2 + 79))"; do
    [ "$(pixel "$shot" $corner)" = "$BENEATH" ] || return 1
  done
}

# The clock's windows on the session's display other than its face, as
# "id width height x y", one a line.
other_clock_windows() {
  local id
  for id in $(in_session xdotool search --onlyvisible --classname '^tockara$' 2>/dev/null | grep -vx "$WINDOW"); do
    echo "$id $(in_session xwininfo -id "$id" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 }
      /Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print w, h, x, y }')"
  done
}

# Whether the clock's memo window (ちょいメモ設定) is shown. (xdotool's name
# pattern does not match this title: the names are compared whole.)
memo_shown() {
  local id
  for id in $(in_session xdotool search --onlyvisible --classname '^tockara$' 2>/dev/null); do
    [ "$(in_session xdotool getwindowname "$id" 2>/dev/null)" = 'ちょいメモ設定' ] && return 0
  done
  return 1
}

# Whether the hover window is shown (a small window of the clock's).
hover_shown() { [ -n "$(other_clock_windows | awk '$3 < 60')" ]; }

# Whether a menu (a tall window of the clock's) is shown beside the 80 x 80
# clock at X,Y, not over it.
menu_beside() { # x y
  local id w h x y
  read -r id w h x y <<<"$(other_clock_windows | awk '$3 >= 100' | head -1)"
  [ -n "$y" ] && ((x >= $1 + 80 || x + w <= $1 || y >= $2 + 80 || y + h <= $2))
}

# The pointer resting on the clock brings up its hover window, and the
# pointer leaving for the desktop (no X11 window) closes it within a second.
check_hover_lets_go() {
  wait_until 5 hover_shown || fail "the resting pointer brought up no hover window"
  pointer mousemove 800 600
  local left_at closed_after
  left_at=$(now_ms)
  wait_until 5 eval '! hover_shown' || fail "the hover window stayed after the pointer left the clock"
  closed_after=$(($(now_ms) - left_at))
  echo "the hover window closed ${closed_after} ms after the pointer left the clock"
  ((closed_after <= 1000)) || fail "the hover window closed only after ${closed_after} ms"
}

# The processor time process $1 has used so far, in nanoseconds, all its threads.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d\n", sum }'; }

# The session's workspace (0 or 1) as XWayland's window manager tells it.
session_desktop_is() { [ "$(in_session xprop -root _NET_CURRENT_DESKTOP 2>/dev/null | awk '{ print $NF }')" = "$1" ]; }
session_switch_to() { # workspace
  in_session wmctrl -s "$1"
  wait_until 10 session_desktop_is "$1" || fail "the session did not switch to workspace $1"
}

# Whether the magenta window beneath (400 x 300 at 100,80) shows at 450,350,
# a point of it no other window covers.
beneath_shown() { [ "$(pixel "$(screenshot "$1")" 450 350)" = "$BENEATH" ]; }

# The rules of workspaces and "show desktop" for a clock at 200,150 with the
# magenta window beneath and another window over it and focused, one line
# each (✓ when it holds, — where the session has no such thing, and why):
# - on every workspace: shown on workspace 1 after `wmctrl -s 1`, and a
#   clock started again there shown on workspace 0;
# - "show desktop" (`wmctrl -k on`) hides the other windows but not the
#   clock, and once it ends (`wmctrl -k off`) the clock is at its place
#   above the window over it again. KWin hides no window itself: it raises
#   the desktop's own window over them, which a full-screen window marked
#   as the desktop stands in for.
# (The window manager of these sessions runs in the compositor: it cannot be
# restarted under a running session.)
check_workspace_rules() { # session-name
  in_session wmctrl -n 2
  session_switch_to 1
  wait_until 10 eval '! beneath_shown workspace1' || fail "the window beneath stayed on workspace 1: no workspace switch"
  wait_until 10 face_shown 200 150 workspace1 || fail "the clock stayed behind on workspace 0 (see $WORK/workspace1.png)"
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" 10 || fail "the clock did not end"
  session_start_clock
  wait_until 20 face_shown 200 150 restarted || fail "the clock started again is not shown on workspace 1 (see $WORK/restarted.png)"
  session_switch_to 0
  wait_until 10 face_shown 200 150 workspace0 || fail "the clock started on workspace 1 is not on workspace 0 (see $WORK/workspace0.png)"
  wait_until 10 beneath_shown workspace0 || fail "the window beneath is not back on workspace 0"
  echo "$1: every workspace ✓ (wmctrl -s 1, and a clock started on workspace 1 is on workspace 0; no window manager restart under a Wayland session)"

  local desktop= desktop_pid
  if [ "$SESSION_DESKTOP" = KDE ]; then
    "${IN_SESSION[@]}" xmessage -name desktop -bg cyan -fg cyan -geometry 1024x768+0+0 desktop >/dev/null 2>&1 &
    desktop_pid=$!
    PIDS+=("$desktop_pid")
    desktop_open() { desktop=$(in_session xdotool search --onlyvisible --classname '^desktop$' 2>/dev/null | head -1) && [ -n "$desktop" ]; }
    wait_until 20 desktop_open || fail "the stand-in desktop window did not open"
    in_session xprop -id "$desktop" -f _NET_WM_WINDOW_TYPE 32a -set _NET_WM_WINDOW_TYPE _NET_WM_WINDOW_TYPE_DESKTOP
    in_session xdotool windowactivate "$logo" 2>/dev/null || true
    wait_until 10 beneath_shown desktop_below || fail "the stand-in desktop window is not below the others"
  fi
  in_session wmctrl -k on
  wait_until 10 eval '! beneath_shown desktop_shown' || fail "wmctrl -k on hid no window (see $WORK/desktop_shown.png)"
  face_shown 200 150 desktop_shown || fail "show desktop hid the clock (see $WORK/desktop_shown.png)"
  in_session wmctrl -k off
  [ -z "$desktop" ] || in_session xdotool windowactivate "$logo" 2>/dev/null || true
  wait_until 10 beneath_shown desktop_back || fail "the windows did not come back after show desktop (see $WORK/desktop_back.png)"
  in_session xdotool windowactivate "$logo" 2>/dev/null || true
  wait_until 10 face_shown 200 150 desktop_back || fail "after show desktop the clock is not above at its place (see $WORK/desktop_back.png)"
  # The pointer rules after these take the desktop as no X window.
  if [ -n "$desktop" ]; then
    kill "$desktop_pid"
    wait_for_exit "$desktop_pid" 10 || fail "the stand-in desktop window did not close"
  fi
  echo "$1: show desktop ✓ (wmctrl -k on/off${desktop:+, a stand-in desktop window})"
}

# The gadget in the session, as a user sees it:
# - the clock stands at its saved 200,150, clear at its corners over the
#   window beneath, and stays above a window of another program opened
#   over it later and focused;
# - it is on every workspace, and "show desktop" does not hide it
#   (check_workspace_rules);
# - the resting pointer brings up its hover window, and the pointer leaving
#   for the desktop (no X11 window) closes it within a second;
# - the compositor's pointer drags it by (100, 50), and the position is
#   saved; at its new place the hover window comes and goes as before;
# - a right click opens its menu beside it.
check_gadget_in_session() { # session-name
  make_session_program_folder
  write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
Left=3000
Top=2250"
  chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"

  "${IN_SESSION[@]}" xmessage -bg magenta -fg magenta -geometry 400x300+100+80 beneath >/dev/null 2>&1 &
  PIDS+=($!)
  session_start_clock
  wait_until 20 face_shown 200 150 start corners \
    || fail "the face is not at 200,150 with the window beneath at its corners (see $WORK/start.png)"

  "${IN_SESSION[@]}" xlogo -geometry 200x200+150+100 >/dev/null 2>&1 &
  PIDS+=($!)
  local logo
  logo_shown() { logo=$(in_session xdotool search --onlyvisible --class '^XLogo$' 2>/dev/null | head -1) && [ -n "$logo" ]; }
  wait_until 20 logo_shown || fail "xlogo did not open"
  in_session xdotool windowactivate "$logo" 2>/dev/null || true
  sleep 1
  face_shown 200 150 above || fail "a window opened over the clock and focused covers it (see $WORK/above.png)"
  check_workspace_rules "$1"

  pointer mousemove 230 180 sleep 0.2 mousemove 240 190
  check_hover_lets_go

  drag_clock_by_100_50
  wait_until 10 face_shown 300 200 dragged || fail "after the drag the face is not at 300,200 (see $WORK/dragged.png)"
  # Resting on the clock's new place, then leaving it again.
  check_hover_lets_go
  pointer mousemove 340 240 click 3
  wait_until 10 menu_beside 300 200 || fail "no menu opened beside the clock: $(other_clock_windows)"
  echo "the menu opened beside the clock: $(other_clock_windows | awk '$3 >= 100')"
}

# GNOME Shell opens its overview at start, over the windows: Escape closes
# it. The pointer keeps off the top-left corner, which opens it again.
# Used in place of wait_until while the first windows open.
leave_overview() { # seconds check...
  local seconds=$1
  shift
  pointer mousemove 800 600
  overview_closed() { pointer key Escape; sleep 0.3; "$@"; }
  wait_until "$seconds" overview_closed "$@"
}

# Brings the pointer onto the clock at X,Y and 9 pixels on, rests it there
# until the hover window shows, moves it to TX,TY and prints how long the
# hover window stayed after that (nothing when it did not go within a
# second, or came back in the second after).
hover_closes_after() { # x y tx ty
  pointer mousemove "$1" "$2" sleep 0.2 mousemove $(($1 + 9)) $(($2 + 9))
  wait_until 5 hover_shown || fail "the resting pointer at $1,$2 brought up no hover window"
  pointer mousemove "$3" "$4"
  local left_at closed_after
  left_at=$(now_ms)
  wait_until 1 eval '! hover_shown' || return 0
  closed_after=$(($(now_ms) - left_at))
  if ! wait_until 1 hover_shown; then echo "$closed_after"; fi
}

# The hover window of a clock at 200,150 goes within a second of the pointer
# leaving it, and stays away, whatever lies beneath the pointer's way out:
# the bare desktop, an X window (beneath the clock and right of it), another
# X window opened later over the clock's place and focused, a native Wayland
# window (foot, when it is installed: maximized over the others while its
# rows run); and so after a left click on the clock or on an X window, and
# after a drag of the clock. One line a row: ✓, — and why, or ✗. The
# first argument stands in for wait_until while the first window opens
# (leave_overview).
check_hover_ways_out() { # [waiter]
  make_session_program_folder
  write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
Left=3000
Top=2250"
  chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"
  "${IN_SESSION[@]}" xmessage -bg magenta -fg magenta -geometry 300x300+150+100 beneath >/dev/null 2>&1 &
  PIDS+=($!)
  x_window_shown() { [ "$(pixel "$(screenshot beneath)" 400 250)" = "$BENEATH" ]; }
  "${1:-wait_until}" 20 x_window_shown || fail "the X window did not open at 150,100 (see $WORK/beneath.png)"
  session_start_clock
  wait_until 20 face_shown 200 150 start || fail "the face is not at 200,150 (see $WORK/start.png)"
  # Another X window opened later over the clock's place, and focused.
  "${IN_SESSION[@]}" xlogo -geometry 200x200+150+100 >/dev/null 2>&1 &
  PIDS+=($!)
  local logo
  logo_shown() { logo=$(in_session xdotool search --onlyvisible --class '^XLogo$' 2>/dev/null | head -1) && [ -n "$logo" ]; }
  wait_until 20 logo_shown || fail "xlogo did not open"
  in_session xdotool windowactivate "$logo" 2>/dev/null || true
  # The steps that make ready a row, each true when done, or false with
  # NOT_RUN saying why the row cannot run.
  # foot (or weston-terminal where foot ends at its start), maximized, is
  # shown at 800,600 once it has drawn itself at the screen's width
  # (foot_drawn). It closes again for the X windows' rows.
  local native_pid='' native_failed='' pressed_nested=''
  native_window_opened() {
    [ -z "$native_pid" ] || return 0
    NOT_RUN=${native_failed:-foot is not installed}
    [ -z "$native_failed" ] && command -v foot >/dev/null || return 1
    "${IN_SESSION[@]}" WAYLAND_DEBUG=1 foot --maximized -o colors.background=00ffff sleep 60 >"$WORK/foot.log" 2>&1 &
    native_pid=$!
    PIDS+=("$native_pid")
    foot_done() { foot_drawn "$WORK/foot.log" || ! kill -0 "$native_pid" 2>/dev/null; }
    wait_until 20 foot_done
    foot_drawn "$WORK/foot.log" && kill -0 "$native_pid" 2>/dev/null && return 0
    NOT_RUN="foot drew no window in 20 s"
    if ! kill -0 "$native_pid" 2>/dev/null; then
      NOT_RUN="foot ended at its start"
      if start_weston_terminal "$WORK/native.log" "sleep 60"; then
        native_pid=$NATIVE_PID
        native_done() { foot_drawn "$WORK/native.log" || ! kill -0 "$native_pid" 2>/dev/null; }
        wait_until 20 native_done
        foot_drawn "$WORK/native.log" && kill -0 "$native_pid" 2>/dev/null && return 0
        NOT_RUN="foot ended at its start, and weston-terminal drew no window in 20 s"
      fi
    fi
    native_failed=$NOT_RUN native_pid=
    return 1
  }
  native_window_closed() {
    [ -z "$native_pid" ] && return 0
    kill "$native_pid" 2>/dev/null || true
    wait_for_exit "$native_pid" 10 || fail "the native window did not close"
    native_pid=
  }
  # A left press first (a click, a drag), on an X window or the clock:
  # under mutter nested in a host X server, XWayland tells X clients nothing
  # of the pointer from then on (no leave event, though mutter sends
  # XWayland its leave; every X client is told the pointer stays at its
  # last spot), while under mutter on its own input (headless, driven
  # through its remote desktop devices) they are told as before: the nested
  # input path, not the session's. There the rows after the first press say
  # so, and the drag, which would tell nothing more, is not run.
  nested_gnome() { [ "$SESSION_DESKTOP" = GNOME ] && [ -n "${HOST_DISPLAY:-}" ]; }
  click_x_window_beside() { pointer mousemove 400 190 click 1; }
  click_clock() {
    local x y
    read -r x y <<<"$(session_clock_origin)"
    pointer mousemove $((x + 36)) $((y + 36)) click 1
  }
  drag_clock() {
    NOT_RUN="under mutter nested, after a left press from the host's X server, XWayland tells X clients nothing more of the pointer"
    ! nested_gnome || return 1
    drag_clock_by_100_50
  }
  local beneath dx dy tx ty prepare step x y after failed=() NOT_RUN
  while IFS='|' read -r beneath dx dy tx ty prepare; do
    for step in $prepare; do
      $step || { echo "hover over $beneath: — not run ($NOT_RUN)"; continue 2; }
      [[ "$step" != click_* ]] || pressed_nested=$(nested_gnome && echo yes || true)
    done
    read -r x y <<<"$(session_clock_origin)"
    after=$(hover_closes_after $((x + dx)) $((y + dy)) "$tx" "$ty")
    if [ -n "$after" ]; then
      echo "hover over $beneath: ✓ (closed ${after} ms after the pointer left the clock, and stayed closed)"
    elif [ -n "$pressed_nested" ]; then
      echo "hover over $beneath: — (it stayed: under mutter nested, after a left press from the host's X server, XWayland tells X clients nothing more of the pointer)"
    else
      echo "hover over $beneath: ✗ (it did not close within a second, or came back)"
      failed+=("$beneath")
    fi
  done <<'EOF_ROWS'
the bare desktop|31|31|800|600|
an X window, beside the clock|32|32|400|190|
an X window, below the clock and its hover window|33|33|240|350|
the focused X window over the clock's place|34|34|320|150|
a native Wayland window|35|35|800|600|native_window_opened
a native Wayland window, after a left click on the clock|39|39|800|600|native_window_opened click_clock
the X window beside the clock, after a left click on the clock|37|37|400|190|native_window_closed click_clock
the bare desktop, after a left click on the X window beside the clock|36|36|800|600|click_x_window_beside
the bare desktop, after a drag of the clock by 100,50|31|31|800|600|drag_clock
EOF_ROWS
  ((${#failed[@]} == 0)) || fail "the hover window stayed or came back with beneath the pointer's way out: ${failed[*]}"
}

# Whether foot, run maximized with WAYLAND_DEBUG=1 and its output in LOG,
# has drawn itself at the screen's width: in its protocol log (object@id or
# object#id as libwayland writes it) a configure 1024 wide, acknowledged,
# then a buffer attached. No screenshot needed, so that a session no host
# display shows can tell it too.
foot_drawn() { # log
  awk '/xdg_toplevel[@#][0-9]+\.configure\(1024,/ { wide = 1 } wide && /ack_configure/ { acked = 1 }
    acked && /wl_surface[@#][0-9]+\.attach\(wl_buffer/ { drawn = 1 } END { exit !drawn }' "$1"
}

# In place of foot where foot ends at its start (foot 1.13 divides by zero
# there on KWin 5.27): weston-terminal, maximized, its protocol written to
# LOG (foot_drawn reads it as well), its shell a script that fills it with
# cyan cells (its colour 51 of 256, #00D5D5) and then runs COMMAND. Its pid
# in NATIVE_PID; false where weston-terminal is not installed.
start_weston_terminal() { # log command
  command -v weston-terminal >/dev/null || return 1
  printf '#!/bin/sh\nprintf "\\033[48;5;51m\\033[2J"\nfor row in $(seq 200); do printf "%%200s" ""; done\nexec %s\n' "$2" >"$SESSION/native-shell"
  chmod 755 "$SESSION/native-shell"
  "${IN_SESSION[@]}" env LANG=C.UTF-8 WAYLAND_DEBUG=1 weston-terminal --maximized --shell="$SESSION/native-shell" >"$1" 2>&1 &
  NATIVE_PID=$!
  PIDS+=("$NATIVE_PID")
}

# The clock's top-left corner on the session's screen, "X Y".
session_clock_origin() {
  in_session xwininfo -id "$WINDOW" 2>/dev/null | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }'
}
session_clock_at() { [ "$(session_clock_origin)" = "$1 $2" ]; }
# Whether the 80 x 80 clock stands wholly on a W x H screen.
session_clock_within() { # w h
  local x y
  read -r x y <<<"$(session_clock_origin)"
  [ -n "$y" ] && ((x >= 0 && y >= 0 && x + 80 <= $1 && y + 80 <= $2))
}

# Sets the one monitor of a mutter session (mutter or GNOME Shell nested,
# started with the modes 1024x768 and 800x600) to the mode W x H, as the
# desktop's display settings do: over mutter's DisplayConfig interface.
mutter_screen_size() { # w h
  local call=(in_session gdbus call --session --dest org.gnome.Mutter.DisplayConfig
    --object-path /org/gnome/Mutter/DisplayConfig --method) state serial connector mode
  state=$("${call[@]}" org.gnome.Mutter.DisplayConfig.GetCurrentState) || return 1
  serial=$(sed -n 's/^(uint32 \([0-9]*\),.*/\1/p' <<<"$state")
  connector=$(grep -o "^(uint32 [0-9]*, \[(('[^']*'" <<<"$state" | grep -o "'[^']*'$")
  mode=$(grep -o "'$1x$2@[0-9.]*'" <<<"$state" | head -1)
  [ -n "$serial" ] && [ -n "$connector" ] && [ -n "$mode" ] || return 1
  "${call[@]}" org.gnome.Mutter.DisplayConfig.ApplyMonitorsConfig "$serial" 1 \
    "[(0, 0, 1.0, uint32 0, true, [($connector, $mode, @a{sv} {})])]" "@a{sv} {}" >/dev/null
}

# Sets the output of KWin nested to W x H: KWin follows the size of its
# window on the host's display.
kwin_screen_size() { # w h
  local window
  window=$(xwininfo -root -children | awk '/"KDE Wayland Compositor/ { print $1; exit }') && [ -n "$window" ] || return 1
  xdotool windowsize "$window" "$1" "$2"
}

# The rule of a screen that changes under the running clock, for a clock
# stored at 900,650 on the session's 1024 x 768 screen: the screen lowered
# to 800 x 600 (by the function SIZER W H) brings the clock wholly onto it
# within a second, the stored position stays as it was (Tockara.ini
# unchanged), and with the screen back at 1024 x 768 the clock stands at
# 900,650 again. One line (✓).
check_screen_lowered() { # session-name sizer
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" 10 || fail "the clock did not end"
  write_cp932 "$PROGRAM/Tockara.ini" $'[Setting]\nLeft=13500\nTop=9750'
  session_start_clock
  wait_until 10 session_clock_at 900 650 || fail "the clock is not at 900,650 at start but at $(session_clock_origin)"
  cp "$PROGRAM/Tockara.ini" "$WORK/stored.ini"
  local lowered moved_after
  lowered=$(now_ms)
  "$2" 800 600 || fail "the session's screen could not be set to 800 x 600"
  wait_until 5 session_clock_within 800 600 || fail "with the screen at 800 x 600 the clock stands at $(session_clock_origin)"
  moved_after=$(($(now_ms) - lowered))
  ((moved_after <= 1000)) || fail "the clock came wholly onto the lowered screen only after $moved_after ms"
  # Where it stands by then: mutter 48 may first put the window on the
  # screen itself, and the clock's own move follows.
  clock_drawn() { face_shown $(session_clock_origin) lowered; }
  wait_until 10 clock_drawn \
    || fail "the clock is not drawn at its new place $(session_clock_origin): $(count_colour "$WORK/lowered.png" "80x80+$(session_clock_origin | tr ' ' +)" "$FACE") pixels of the face's colour (see $WORK/lowered.png)"
  cmp -s "$PROGRAM/Tockara.ini" "$WORK/stored.ini" || fail "the stored position changed when the screen was lowered"
  "$2" 1024 768 || fail "the session's screen could not be set back to 1024 x 768"
  wait_until 5 session_clock_at 900 650 || fail "with the screen back the clock stands at $(session_clock_origin)"
  cmp -s "$PROGRAM/Tockara.ini" "$WORK/stored.ini" || fail "the stored position changed when the screen came back"
  echo "$1: screen lowered ✓ (to 800 x 600: wholly on it after ${moved_after} ms, Tockara.ini unchanged; back at 900,650 at 1024 x 768)"
}

# Weston nested in the host's display (its X11 backend, so that xdotool
# there moves Weston's pointer), with XWayland; sets SESSION_X and
# IN_SESSION. Skips the test when Weston does not start.
start_weston_nested() {
  command -v weston >/dev/null || skip "weston is not installed"
  start_host_display
  # Two workspaces where Weston's desktop-shell has them (Weston 10), and no
  # animation as a window closes: Weston gives the keyboard back once it
  # has ended.
  printf '[shell]\nnum-workspaces=2\npanel-position=top\nclose-animation=none\n' >"$SESSION/weston.ini"
  chown "$SESSION_USER:$SESSION_GROUP" "$SESSION/weston.ini"
  # Weston 12 and later name the renderer; Weston 10 takes --use-pixman.
  local renderer=--use-pixman
  weston --help 2>&1 | grep -q -- '--renderer' && renderer=--renderer=pixman
  SESSION_WAYLAND=tockara-wayland
  # With WESTON_WM_LOG set, Weston's window manager writes each step it
  # takes to the log: the trail to read when a rule fails, and it makes the
  # window manager lag behind XWayland as on a busy machine, where the
  # pairing of a window with its surface comes late. Not for measuring.
  "${AS_SESSION_USER[@]}" DISPLAY="$HOST_DISPLAY" weston --backend=x11-backend.so "$renderer" --xwayland \
    --config="$SESSION/weston.ini" --idle-time=0 ${WESTON_WM_LOG:+--logger-scopes=log,xwm-wm-x11} \
    --width=1024 --height=768 --socket="$SESSION_WAYLAND" \
    >"$WORK/compositor.log" 2>&1 &
  COMPOSITOR_PID=$!
  PIDS+=("$COMPOSITOR_PID")
  # Weston starts XWayland with the first X client, on the display it names.
  x_display() { SESSION_X=$(grep -o 'xserver listening on display :[0-9]*' "$WORK/compositor.log" | grep -o ':[0-9]*$'); }
  wait_until 30 x_display || { cat "$WORK/compositor.log" >&2; skip "weston did not start with XWayland"; }
  IN_SESSION=("${AS_SESSION_USER[@]}" DISPLAY="$SESSION_X" WAYLAND_DISPLAY="$SESSION_WAYLAND" XDG_SESSION_TYPE=wayland)
  x_answers() { in_session xdotool getdisplaygeometry >/dev/null 2>&1; }
  wait_until 20 x_answers || { cat "$WORK/compositor.log" >&2; skip "weston's XWayland does not answer"; }
}

# A rule's line: ✓ when it holds, — and why where the session has no such
# thing.
rule_line() { # session rule mark [why]
  printf '%s: %s %s%s\n' "$1" "$2" "$3" "${4:+ ($4)}"
}

# Starts the clock anew at its stored X,Y (15 twips a pixel), ending the
# one that runs; waits until its face shows there (screenshot NAME).
restart_clock_at() { # x y name
  if [ -n "${CLOCK_PID:-}" ] && kill -0 "$CLOCK_PID" 2>/dev/null; then
    kill "$CLOCK_PID"
    wait_for_exit "$CLOCK_PID" 10 || fail "the clock did not end"
  fi
  write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
Left=$(($1 * 15))
Top=$(($2 * 15))"
  chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"
  session_start_clock
  wait_until 20 face_shown "$1" "$2" "$3" || fail "$3: the face is not at $1,$2 (see $WORK/$3.png)"
}

# The pointer rules for a clock at 200,150 with KIND beneath it: the hover
# window comes when the pointer rests on the clock and goes within a second
# of it leaving for TX,TY (and stays away); a drag of (100,50) stores
# 4500/3000 twips and moves the face to 300,200; a right click there opens
# the menu beside the clock (Escape, or a click on the clock, closes it). Adds to POINTER_FAULTS
# what did not hold, and the hover's time to POINTER_TIMES.
pointer_rules_over() { # kind tx ty
  restart_clock_at 200 150 "start-$1"
  local after
  after=$(hover_closes_after 231 181 "$2" "$3")
  if [ -n "$after" ]; then POINTER_TIMES+=("$1 ${after} ms"); else POINTER_FAULTS+=("$1: the hover window stayed or came back"); fi
  drag_clock_by_100_50
  wait_until 10 face_shown 300 200 "dragged-$1" || fail "$1 beneath: after the drag the face is not at 300,200 (see $WORK/dragged-$1.png)"
  pointer mousemove 340 240 sleep 0.2 mousemove 341 241 click 3
  wait_until 10 menu_beside 300 200 || fail "$1 beneath: a right click opened no menu beside the clock: $(other_clock_windows)"
  # Escape reaches the menu only where XWayland has the keyboard (an X
  # window focused); a right click leaves the keyboard where it was, so
  # elsewhere the menu closes with a click on the clock.
  pointer key Escape
  if ! wait_until 2 eval '! menu_beside 300 200'; then
    pointer mousemove 320 220 click 1
    wait_until 10 eval '! menu_beside 300 200' || fail "$1 beneath: neither Escape nor a click on the clock closed the menu"
  fi
  pointer mousemove "$2" "$3"
}

# The keyboard route with KIND focused (the window the pattern's log
# belongs to; none on an empty workspace), for the clock at 300,200:
# `tockara --menu` opens the menu beside the clock with the keyboard in it,
# Escape closes it; again, Down x10 and Return open the memo window
# (ちょいメモ設定) and Escape closes it; after each, a key typed reaches the
# window that had the keyboard (what foot's `cat` or xev wrote in LOG).
keyboard_route_with() { # kind [log pattern]
  local kind=$1 log=${2:-} pattern=${3:-} keys before
  typed() { grep -c -- "$pattern" "$log" 2>/dev/null || true; }
  typed_more() { [ "$(typed)" -gt "$1" ]; }
  for keys in "Escape" "Down Down Down Down Down Down Down Down Down Down Return"; do
    in_session "$PROGRAM/tockara" --menu >"$WORK/menu.log" 2>&1 || fail "--menu failed: $(cat "$WORK/menu.log")"
    wait_until 10 menu_beside 300 200 || fail "$kind focused: --menu opened no menu beside the clock: $(other_clock_windows)"
    # shellcheck disable=SC2086
    pointer key $keys
    if [ "$keys" = Escape ]; then
      wait_until 10 eval '! menu_beside 300 200' || fail "$kind focused: Escape did not reach the menu"
    else
      wait_until 10 memo_shown || fail "$kind focused: the keys did not reach the menu: $(other_clock_windows)"
      pointer key Escape
      wait_until 10 eval '! memo_shown' || fail "$kind focused: Escape did not close the memo window"
    fi
    if [ -n "$log" ]; then
      before=$(typed)
      # Ctrl+J ends foot's line as Return does; Return reaching the clock
      # instead would open its fortune box, and the next --menu would raise
      # that box in place of the menu. Typed again until one reaches it: the
      # compositor gives the keyboard back a moment after the last of the
      # clock's windows closed, and a key typed sooner goes to the clock.
      key_reaches() { pointer key k ctrl+j; sleep 0.3; typed_more "$before"; }
      wait_until 5 key_reaches || fail "$kind focused: after $keys a key typed did not reach the window that had the keyboard"
    fi
  done
}

# Rules 4 and 5 of the gadget, each a table of what the session offers
# (only the keyboard's, with "keyboard" after the session's name):
# - the pointer rules whatever lies beneath the clock: an X window (the
#   magenta one at 100,80, the pointer leaving onto it), a native Wayland
#   window (foot, maximized) and the bare desktop (an empty workspace);
# - the keyboard route whatever has the focus: an X window (xev), a native
#   window (foot, running `cat`) and nothing (the empty workspace).
# Expects the session's magenta window at 100,80 (400 x 300) on workspace 0
# shown, and the workspaces of check_workspace_rules; leaves workspace 0 shown,
# without a clock, foot or xev.
check_pointer_and_keyboard_rules() { # session-name [keyboard]
  command -v foot >/dev/null && command -v xev >/dev/null || skip "foot or xev is not installed"
  POINTER_FAULTS=() POINTER_TIMES=()
  local keyboard_only=${2:-}
  # The pointer rules with KIND beneath, which leave the clock at 300,200;
  # with the keyboard's alone, the clock is started there.
  rules_over() { # kind tx ty
    if [ -n "$keyboard_only" ]; then
      restart_clock_at 300 200 "start-$1"
    else
      pointer_rules_over "$@"
    fi
  }
  local typed="$SESSION/typed" xev_pid native_pid focused pid
  # The clock running before, and its menu, go.
  if [ -n "${CLOCK_PID:-}" ] && kill -0 "$CLOCK_PID" 2>/dev/null; then
    kill "$CLOCK_PID"
    wait_for_exit "$CLOCK_PID" 10 || fail "the clock did not end"
  fi
  wait_until 10 beneath_shown rules-start || fail "the X window is not shown at 100,80 (see $WORK/rules-start.png)"
  rules_over "an X window" 450 350
  "${IN_SESSION[@]}" sh -c "exec xev -name typing -geometry 300x150+600+500 >'$typed-x' 2>&1" &
  xev_pid=$!
  PIDS+=("$xev_pid")
  # (mutter 48 frames X windows in an X client of its own, "mutter-x11-frames",
  # whose frame windows carry the names of the windows they frame; xev's own
  # window has no class. Each window is asked for its class: a frame that
  # appears meanwhile is not taken for xev.)
  xev_shown() {
    local id
    focused=
    for id in $(in_session xdotool search --onlyvisible --name '^typing$' 2>/dev/null); do
      in_session xprop -id "$id" WM_CLASS 2>/dev/null | grep -q mutter-x11-frames || { focused=$id; break; }
    done
    [ -n "$focused" ]
  }
  wait_until 20 xev_shown || fail "xev did not open"
  # The keyboard settled on xev before the menu is asked for (an activation
  # told late would take it from the open menu).
  xev_active() { in_session xprop -root _NET_ACTIVE_WINDOW | grep -qi "$(printf '0x%x' "$focused")\$"; }
  in_session xdotool windowactivate "$focused" 2>/dev/null || true
  # (GNOME Shell 48 may turn that request down: a click on xev, as a user
  # gives it the keyboard, does it.)
  if ! wait_until 5 xev_active; then
    pointer mousemove 750 575 click 1
    wait_until 10 xev_active || fail "xev did not get the keyboard: $(in_session xprop -root _NET_ACTIVE_WINDOW)"
  fi
  keyboard_route_with xev "$typed-x" 'keysym 0x6b, k'

  # A native window, cyan, recording what is typed: foot, or where foot
  # ends at its start weston-terminal.
  local native_name=foot native= native_cyan='#00FFFF'
  "${IN_SESSION[@]}" env LANG=C.UTF-8 foot --window-size-pixels=1024x768 -o colors.background=00ffff sh -c "cat >'$typed-native'" >"$WORK/foot.log" 2>&1 &
  native_pid=$!
  PIDS+=("$native_pid")
  native_shown() { [ "$(pixel "$(screenshot native)" 950 700)" = "$native_cyan" ]; }
  native_ended() { ! kill -0 "$native_pid" 2>/dev/null; }
  if wait_until 20 eval 'native_shown || native_ended' && ! native_shown \
    && start_weston_terminal "$WORK/native.log" "cat >$(printf %q "$typed-native")"; then
    native="foot ended at its start, its last words: $(tail -n1 "$WORK/foot.log")"
    native_pid=$NATIVE_PID native_name=weston-terminal native_cyan='#00D5D5'
  fi
  # The native window has the keyboard once a key typed reaches it.
  native_typed() { grep -qx p "$typed-native" 2>/dev/null || { pointer key p ctrl+j; false; }; }
  if wait_until 20 native_shown; then
    native=
    rules_over "a native window" 950 700
    pointer mousemove 950 700 click 1
    wait_until 10 native_typed || fail "$native_name did not get the keyboard"
    keyboard_route_with "$native_name" "$typed-native" '^k$'
  elif ! native_ended; then
    fail "$native_name did not open (see $WORK/native.png)"
  else
    native=${native:-"foot ended at its start, its last words: $(tail -n1 "$WORK/foot.log")"}
  fi

  session_switch_to 1
  rules_over "the bare desktop" 800 600
  keyboard_route_with "nothing"

  if ((${#POINTER_FAULTS[@]})); then
    fail "$1: the pointer rules did not hold: ${POINTER_FAULTS[*]}"
  fi
  if [ -z "$keyboard_only" ]; then
    rule_line "$1" "pointer whatever lies beneath" ✓ "hover gone after: $(IFS=,; echo "${POINTER_TIMES[*]}"); each: drag stored 4500/3000, menu beside"
    [ -z "$native" ] || rule_line "$1" "pointer over a native window" — "not run: $native"
    rule_line "$1" "pointer over another program's open menu" — "not run: an X menu holds the pointer while open"
  fi
  local focused_kinds="xev, $native_name and nothing"
  [ -z "$native" ] || focused_kinds="xev and nothing"
  rule_line "$1" "keyboard route whatever has the focus" ✓ "$focused_kinds: the menu beside the clock, Escape, memo by keys; a key typed after reaches xev"
  [ -z "$native" ] || rule_line "$1" "keyboard route, a native window focused" — "not run: $native"
  [ -n "$native" ] || rule_line "$1" "keyboard back to a native window ($native_name)" ✓
  for pid in "$CLOCK_PID" "$xev_pid" "$native_pid"; do
    kill "$pid" 2>/dev/null || true
    wait_for_exit "$pid" 10 || fail "a window of the rules did not close"
  done
  session_switch_to 0
}

# mutter's own pointer and keyboard (mutter_input.py on the session's bus,
# the session's user's), in place of the host display's: `pointer` sends
# xdotool's steps to it and returns once mutter has taken them.
start_remote_input() { # width height
  coproc REMOTE_INPUT { "${IN_SESSION[@]}" /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/mutter_input.py" "$1" "$2" 2>"$WORK/remote_input.log"; }
  PIDS+=("$REMOTE_INPUT_PID")
  local answer
  read -r -t 20 -u "${REMOTE_INPUT[0]}" answer || answer="no answer"
  [ "$answer" = ok ] || skip "mutter's remote desktop input is not there: $answer $(cat "$WORK/remote_input.log")"
  pointer() {
    local answer
    echo "$*" >&"${REMOTE_INPUT[1]}"
    read -r -t 20 -u "${REMOTE_INPUT[0]}" answer || answer="no answer"
    [ "$answer" = ok ] || fail "mutter's remote input did not take '$*': $answer"
  }
}

# mutter (or, with gnome-shell, GNOME Shell) on its headless backend: no
# display of its own, one virtual 1024 x 768 monitor, XWayland; its input
# that of start_remote_input, the way input reaches windows in a GNOME
# session on real hardware (mutter's own devices, no host X server), and
# its screen as its X windows show it (session_x_screenshot).
start_mutter_headless() { # [gnome-shell]
  local program=${1:-mutter}
  command -v "$program" >/dev/null || skip "$program is not installed"
  command -v Xwayland >/dev/null || skip "Xwayland is not installed"
  id "$SESSION_USER" >/dev/null 2>&1 || skip "no user $SESSION_USER to run the compositor as"
  make_session_folders
  # XWayland's socket folder, as an X server makes it when none is there
  # (no host display here): every user's.
  [ -d /tmp/.X11-unix ] || install -d -m 1777 /tmp/.X11-unix
  SESSION_DESKTOP=GNOME SESSION_WAYLAND=tockara-wayland
  HEADLESS_COMMAND=(dbus-run-session -- "$program" --headless --wayland --virtual-monitor 1024x768
    --wayland-display="$SESSION_WAYLAND")
  if [ "$program" = gnome-shell ]; then
    # As nested: a bus of its own stands in for the system bus, and the
    # session is ready once GNOME Shell says it has started.
    local system_bus="unix:path=$SESSION_RUNTIME/system_bus"
    "${AS_SESSION_USER[@]}" dbus-daemon --session --nofork --nopidfile --address="$system_bus" >/dev/null 2>&1 &
    PIDS+=($!)
    system_bus_up() { [ -S "$SESSION_RUNTIME/system_bus" ]; }
    wait_until 10 system_bus_up || skip "no stand-in system bus could be started"
    HEADLESS_COMMAND=(env DBUS_SYSTEM_BUS_ADDRESS="$system_bus" "${HEADLESS_COMMAND[@]}")
    session_ready() { grep -q 'GNOME Shell started at' "$WORK/compositor.log"; }
  fi
  launch_headless() {
    "${AS_SESSION_USER[@]}" "${HEADLESS_COMMAND[@]}" >"$WORK/compositor.log" 2>&1 &
    COMPOSITOR_PID=$!
  }
  start_compositor launch_headless "$program"
  start_remote_input 1024 768
  screenshot() { session_x_screenshot "$1"; }
}

# The session's screen as its X windows show it, for a compositor whose
# screen no host display shows (headless): each viewable top-level window
# of XWayland's, bottom first, drawn at its place over black. Native
# Wayland windows are not in it.
session_x_screenshot() { # name
  local shot="$SESSION/$1.png"
  in_session sh -c '
    args=""
    for id in $(xwininfo -root -children | awk "/^ +0x/ { print \$1 }" | tac); do
      at=$(xwininfo -id "$id" 2>/dev/null | awk "/Map State: IsViewable/ { v = 1 }
        /Absolute upper-left X/ { x = \$4 } /Absolute upper-left Y/ { y = \$4 } END { if (v) printf \"%+d%+d\", x, y }")
      [ -n "$at" ] && import -window "$id" "$0.$id.png" 2>/dev/null && args="$args $0.$id.png -geometry $at -composite"
    done
    convert -size 1024x768 xc:black $args "$0" && rm -f "$0".*.png' "$shot"
  cp "$shot" "$WORK/$1.png"
  echo "$WORK/$1.png"
}
