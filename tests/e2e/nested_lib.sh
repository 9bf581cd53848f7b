# The clock inside a Wayland compositor run nested in a virtual display
# (mutter, GNOME Shell, KWin, weston): the compositor's window there is its
# screen, and xdotool on that display moves the compositor's pointer and
# types on its keyboard. The compositor, its XWayland and the clock belong to
# an unprivileged user and share the compositor's own session bus. Source it
# after lib.sh; tests that use it end with code 77 (skipped) when the
# compositor cannot run here.
source "$(dirname "${BASH_SOURCE[0]}")/session_user_lib.sh"

# The session's screen: the compositor's 1024 x 768 window at the top left
# of the host display.
session_shot() { # name
  import -display "$HOST_DISPLAY" -window root -crop 1024x768+0+0 +repage "$WORK/$1.png" && echo "$WORK/$1.png"
}
session_key() { xdotool key --delay 40 "$@"; }
# Workspaces and "show desktop" as a pager asks for them (mutter and KWin
# follow the extended hints on their XWayland display).
session_show_desktop() { in_session wmctrl -k "$1"; }
ewmh_workspace() { # n
  in_session wmctrl -n 2 2>/dev/null || true
  in_session wmctrl -s $(($1 - 1))
  on_it() { in_session wmctrl -d | grep -q "^$(($1 - 1)) *\*"; }
  wait_until 5 on_it "$1" || fail "the session did not show workspace $1: $(in_session wmctrl -d)"
}

# The host display, 1600 pixels wide: the compositor's 1024 x 768 screen at
# its left, room on the right for a clock on the host's own X server.
start_host_display() {
  command -v Xwayland >/dev/null || skip "Xwayland is not installed"
  id "$SESSION_USER" >/dev/null 2>&1 || skip "no user $SESSION_USER to run the compositor as"
  XVFB_SCREEN=1600x900x24 start_display
  HOST_DISPLAY=$DISPLAY REFERENCE_DISPLAY=$DISPLAY
  xhost "+SI:localuser:$SESSION_USER" >/dev/null || fail "the session's user may not use the display"
  make_session_folders
  mkdir -p /tmp/.X11-unix
  # No animations: what the screen shows after a step is what the step left.
  mkdir -p "$SESSION_HOME/.config/glib-2.0/settings"
  printf '[org/gnome/desktop/interface]\nenable-animations=false\n' >"$SESSION_HOME/.config/glib-2.0/settings/keyfile"
  printf '[KDE]\nAnimationDurationFactor=0\n' >"$SESSION_HOME/.config/kdeglobals"
  chown -R "$SESSION_USER:$SESSION_GROUP" "$SESSION_HOME/.config"
}

# Runs a command inside the compositor's session: its XWayland display, its
# Wayland display, its bus, and the desktop it names. (In the background:
# "${IN_SESSION[@]}", for the pid.)
in_session() { "${IN_SESSION[@]}" "$@"; }

# Waits until the compositor (the program named $1 that the session's bus
# runner COMPOSITOR_PID started) runs XWayland, or with $2 set, offers its
# display, and takes its display and bus from it.
# Skips the test when it does not come up.
find_session() { # compositor-name [lazy]
  local name=$1 lazy=${2:-} compositor xwayland="" lock
  session_up() {
    compositor=$(pgrep -P "$COMPOSITOR_PID" -x "$name" | head -1) && [ -n "$compositor" ] || return 1
    # weston starts its XWayland only for the first X client, and names
    # its display in its log.
    if [ "$name" = weston ]; then
      SESSION_X=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/compositor.log" | head -1)
      [ -n "$SESSION_X" ]
      return
    fi
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
  wait_until 30 session_up || { cat "$WORK/compositor.log" >&2; skip "$name did not start with XWayland"; }
  SESSION_BUS=$(tr '\0' '\n' <"/proc/$compositor/environ" | sed -n 's/^DBUS_SESSION_BUS_ADDRESS=//p')
  # mutter's XWayland takes a cookie file; KWin's lets in its own user.
  SESSION_XAUTH=
  [ -z "$xwayland" ] || SESSION_XAUTH=$(tr '\0' '\n' <"/proc/$xwayland/cmdline" | grep -A1 -x -- -auth | tail -n +2 || true)
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
  NO_WORKSPACES="mutter alone keeps one workspace: GNOME Shell adds them"
  "${AS_SESSION_USER[@]}" DISPLAY="$HOST_DISPLAY" MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768 GSETTINGS_BACKEND=keyfile \
    dbus-run-session -- mutter --wayland --nested --wayland-display="$SESSION_WAYLAND" >"$WORK/compositor.log" 2>&1 &
  COMPOSITOR_PID=$!
  PIDS+=("$COMPOSITOR_PID")
  find_session mutter
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
  "${AS_SESSION_USER[@]}" DISPLAY="$HOST_DISPLAY" KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
    dbus-run-session -- "$WORK/kwin/kwin_wayland" --xwayland --socket "$SESSION_WAYLAND" \
    --width 1024 --height 768 --x11-display "$HOST_DISPLAY" >"$WORK/compositor.log" 2>&1 &
  COMPOSITOR_PID=$!
  PIDS+=("$COMPOSITOR_PID")
  # KWin 6 starts XWayland with the first X client; KWin 5 at once.
  find_session kwin_wayland lazy
  session_workspace() { ewmh_workspace "$@"; }
}

# GNOME Shell nested: the whole GNOME session's compositor, with its
# dynamic workspaces (Super+Page_Down goes to the next, empty one), its
# overview and its own shortcuts. It asks the system bus for the login
# manager: a bus of the test's own stands in for it.
start_gnome_shell_nested() {
  command -v gnome-shell >/dev/null || skip "gnome-shell is not installed"
  start_host_display
  SESSION_DESKTOP=GNOME SESSION_WAYLAND=tockara-wayland
  "${AS_SESSION_USER[@]}" dbus-daemon --session --nofork --nopidfile \
    --address="unix:path=$SESSION_RUNTIME/system_bus" >"$WORK/system_bus.log" 2>&1 &
  PIDS+=($!)
  wait_until 10 test -S "$SESSION_RUNTIME/system_bus" || skip "no bus could stand in for the system bus"
  "${AS_SESSION_USER[@]}" DISPLAY="$HOST_DISPLAY" MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768 \
    DBUS_SYSTEM_BUS_ADDRESS="unix:path=$SESSION_RUNTIME/system_bus" GSETTINGS_BACKEND=keyfile \
    dbus-run-session -- gnome-shell --nested --wayland --wayland-display="$SESSION_WAYLAND" >"$WORK/compositor.log" 2>&1 &
  COMPOSITOR_PID=$!
  PIDS+=("$COMPOSITOR_PID")
  find_session gnome-shell
  session_workspace() {
    local key=super+Page_Down
    [ "$1" = 1 ] && key=super+Page_Up
    session_key "$key"
    on_it() { in_session wmctrl -d | grep -q "^$(($1 - 1)) *\*"; }
    wait_until 5 on_it "$1" || fail "GNOME Shell did not show workspace $1: $(in_session wmctrl -d)"
    # The workspaces slide for a moment.
    sleep 0.5
  }
}

# weston nested, with its desktop shell. Its XWayland starts when the first
# X client connects: the display it serves is read from its log.
start_weston_nested() {
  command -v weston >/dev/null || skip "weston is not installed"
  start_host_display
  SESSION_DESKTOP=weston SESSION_WAYLAND=tockara-wayland
  NO_WORKSPACES="weston's desktop shell has one workspace"
  NO_SHOW_DESKTOP="weston's desktop shell offers no \"show desktop\""
  unset -f session_show_desktop
  "${AS_SESSION_USER[@]}" DISPLAY="$HOST_DISPLAY" dbus-run-session -- weston --backend=x11-backend.so --xwayland \
    --socket="$SESSION_WAYLAND" --width=1024 --height=768 >"$WORK/compositor.log" 2>&1 &
  COMPOSITOR_PID=$!
  PIDS+=("$COMPOSITOR_PID")
  find_session weston
}

