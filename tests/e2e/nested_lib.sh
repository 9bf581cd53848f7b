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
# "${IN_SESSION[@]}", for the pid.)
in_session() { "${IN_SESSION[@]}" "$@"; }

# Waits until the compositor (the program named $1 that the session's bus
# runner COMPOSITOR_PID started) runs XWayland, and takes its display and bus from it.
# Skips the test when it does not come up.
find_session() { # compositor-name
  local name=$1 compositor xwayland
  session_up() {
    compositor=$(pgrep -P "$COMPOSITOR_PID" -x "$name" | head -1) && [ -n "$compositor" ] || return 1
    xwayland=$(pgrep -P "$compositor" -x Xwayland | head -1) && [ -n "$xwayland" ] || return 1
    SESSION_X=$(tr '\0' '\n' <"/proc/$xwayland/cmdline" | grep -m1 '^:[0-9]*$') && [ -n "$SESSION_X" ]
  }
  wait_until 30 session_up || { cat "$WORK/compositor.log" >&2; skip "$name did not start with XWayland"; }
  SESSION_BUS=$(tr '\0' '\n' <"/proc/$compositor/environ" | sed -n 's/^DBUS_SESSION_BUS_ADDRESS=//p')
  # mutter's XWayland takes a cookie file; KWin's lets in its own user.
  SESSION_XAUTH=$(tr '\0' '\n' <"/proc/$xwayland/cmdline" | grep -A1 -x -- -auth | tail -n +2 || true)
  IN_SESSION=("${AS_SESSION_USER[@]}" DISPLAY="$SESSION_X" XAUTHORITY="$SESSION_XAUTH" WAYLAND_DISPLAY="$SESSION_WAYLAND"
    DBUS_SESSION_BUS_ADDRESS="$SESSION_BUS" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP="$SESSION_DESKTOP")
  x_answers() { in_session xdotool getdisplaygeometry >/dev/null 2>&1; }
  wait_until 20 x_answers || { cat "$WORK/compositor.log" >&2; skip "$name's XWayland does not answer"; }
}

# mutter nested, as GNOME Shell runs it: managed X11 windows through XWayland.
start_mutter_nested() {
  command -v mutter >/dev/null || skip "mutter is not installed"
  start_host_display
  SESSION_DESKTOP=GNOME SESSION_WAYLAND=tockara-wayland
  "${AS_SESSION_USER[@]}" DISPLAY="$HOST_DISPLAY" MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768 \
    dbus-run-session -- mutter --wayland --nested --wayland-display="$SESSION_WAYLAND" >"$WORK/compositor.log" 2>&1 &
  COMPOSITOR_PID=$!
  PIDS+=("$COMPOSITOR_PID")
  find_session mutter
}

# KWin 5 nested. The packaged kwin_wayland carries a file capability that a
# sandbox may refuse to grant; a plain copy runs, as long as its name is
# still kwin_wayland (KWin loads its own toolkit plugin only into that).
start_kwin_nested() {
  command -v kwin_wayland >/dev/null || skip "kwin_wayland is not installed"
  start_host_display
  SESSION_DESKTOP=KDE SESSION_WAYLAND=tockara-wayland
  mkdir -p "$WORK/kwin"
  cp "$(command -v kwin_wayland)" "$WORK/kwin/kwin_wayland"
  "${AS_SESSION_USER[@]}" DISPLAY="$HOST_DISPLAY" KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
    dbus-run-session -- "$WORK/kwin/kwin_wayland" --xwayland --socket "$SESSION_WAYLAND" \
    --width 1024 --height 768 --x11-display "$HOST_DISPLAY" >"$WORK/compositor.log" 2>&1 &
  COMPOSITOR_PID=$!
  PIDS+=("$COMPOSITOR_PID")
  find_session kwin_wayland
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

# Whether a window of the clock other than its face is shown: the hover window.
hover_shown() {
  [ -n "$(in_session xdotool search --onlyvisible --classname '^tockara$' 2>/dev/null | grep -vx "$WINDOW")" ]
}

# The processor time process $1 has used so far, in nanoseconds, all its threads.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d\n", sum }'; }

# The clock at 200,150 in the session: the resting pointer brings up its
# hover window, and the pointer leaving for the desktop (no X11 window)
# closes it within a second. Then the clock's cost over a minute, with the
# pointer on the desktop, is compared with the same clock's on the host's
# own X server, measured over the same minute.
check_hover_lets_go() {
  make_session_program_folder
  write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
Left=3000
Top=2250"
  chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"
  local reference="$WORK/reference"
  cp -r "$PROGRAM" "$reference"
  write_cp932 "$reference/Tockara.ini" "[Setting]
Left=18000
Top=4500"
  DISPLAY="$HOST_DISPLAY" "$reference/tockara" >"$WORK/reference.log" 2>&1 &
  local reference_pid=$!
  PIDS+=("$reference_pid")
  session_start_clock
  wait_for_title Tockara >/dev/null || fail "the clock on the host's X server did not appear"

  xdotool mousemove 230 180 sleep 0.2 mousemove 240 190
  wait_until 5 hover_shown || fail "the resting pointer brought up no hover window"
  xdotool mousemove 700 500
  local left_at closed_after
  left_at=$(now_ms)
  wait_until 5 eval '! hover_shown' || fail "the hover window stayed after the pointer left the clock"
  closed_after=$(($(now_ms) - left_at))
  echo "the hover window closed ${closed_after} ms after the pointer left the clock"
  ((closed_after <= 1000)) || fail "the hover window closed only after ${closed_after} ms"

  sleep 2
  local session0 reference0 session1 reference1
  session0=$(cpu_ns "$CLOCK_PID") reference0=$(cpu_ns "$reference_pid")
  sleep 60
  session1=$(cpu_ns "$CLOCK_PID") reference1=$(cpu_ns "$reference_pid")
  local session_cost=$((session1 - session0)) reference_cost=$((reference1 - reference0))
  echo "idle cost over a minute: $((session_cost / 1000000)) ms in the session, $((reference_cost / 1000000)) ms on X11"
  ((session_cost * 2 <= reference_cost * 3)) \
    || fail "the clock in the session costs more than 1.5 times the clock on X11 over the same minute"
}
