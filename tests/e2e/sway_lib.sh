# The clock inside a sway session (a wlroots Wayland compositor with
# XWayland), run as an unprivileged user: sway refuses to run as root. Source
# it after lib.sh. Tests that use it end with code 77 (skipped) when sway
# cannot run here.
source "$(dirname "${BASH_SOURCE[0]}")/session_user_lib.sh"

# Runs a command as the session's user, inside the session.
as_sway_user() { as_session_user WAYLAND_DISPLAY="${SWAY_WAYLAND:-}" SWAYSOCK="${SWAYSOCK:-}" "$@"; }

swaymsg_() { as_sway_user swaymsg "$@" >/dev/null; }

# Starts sway with XWayland and CONFIG_LINES (sway commands, one a line) on
# an X11 backend: one window on a virtual display of its own per output, and
# the virtual display's pointer for sway's seat. Sets SWAYSOCK and
# SWAY_WAYLAND. Skips the test when sway, XWayland or grim is missing or
# sway does not start.
start_sway() { # outputs config_lines
  need_sway
  XVFB_SCREEN=2048x1536x24 start_display
  xhost "+SI:localuser:$SESSION_USER" >/dev/null || fail "the session's user may not use the display"
  make_session_folders
  run_sway "$2" DISPLAY="$DISPLAY" WLR_BACKENDS=x11 WLR_X11_OUTPUTS="$1"
}

# Starts sway on its headless backend, one 1024 x 768 output HEADLESS-1, as
# a Wayland session runs on a machine with no display at all, and wayvnc
# inside it: its virtual pointer and keyboard are sway's seat's devices
# (the headless backend has none), driven through `pointer` and
# `session_key` as xdotool drives a nested compositor. A virtual display of
# the test's own holds the same clock on X11 for the idle comparison. Skips
# the test when wayvnc or the test's VNC client is missing.
start_sway_headless() { # config_lines
  need_sway
  command -v wayvnc >/dev/null || skip "wayvnc is not installed"
  VNC_INPUT="$(dirname "$BINARY")/tests/tockara_vnc_input"
  [ -x "$VNC_INPUT" ] || skip "the test's VNC client was not built (libvncserver-dev is missing)"
  XVFB_SCREEN=1600x900x24 start_display
  REFERENCE_DISPLAY=$DISPLAY
  make_session_folders
  run_sway "xwayland force
output HEADLESS-1 resolution 1024x768 position 0 0
$1" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1
  VNC_SOCKET="$SESSION_RUNTIME/vnc"
  "${AS_SESSION_USER[@]}" WAYLAND_DISPLAY="$SWAY_WAYLAND" wayvnc --unix-socket -o HEADLESS-1 "$VNC_SOCKET" \
    >"$WORK/wayvnc.log" 2>&1 &
  PIDS+=($!)
  pointer_ready() { [ -S "$VNC_SOCKET" ] && as_sway_user swaymsg -t get_seats | grep -q '"pointer"'; }
  wait_until 20 pointer_ready || { cat "$WORK/wayvnc.log" >&2; skip "wayvnc gave sway no pointer"; }
  pointer() { "$VNC_INPUT" "$VNC_SOCKET" "$@"; }
  session_key() {
    local words=() key
    for key in "$@"; do words+=(key "$key" sleep 0.04); done
    pointer "${words[@]}"
  }
  session_shot() { sway_screenshot "$1"; }
  session_workspace() { swaymsg_ workspace "$1"; }
  NO_SHOW_DESKTOP="sway has no \"show desktop\": a workspace of its own stands for it"
  # sway's XWayland, started with sway: the display it gives its programs.
  local shell
  shell=$(sway_exec display "sh -c 'echo \$DISPLAY >$SESSION/display'") || skip "sway runs no programs"
  PIDS+=("$shell")
  display_known() { SESSION_X=$(cat "$SESSION/display" 2>/dev/null) && [ -n "$SESSION_X" ]; }
  wait_until 20 display_known || { cat "$WORK/sway.log" >&2; skip "sway did not start XWayland"; }
  IN_SESSION=("${AS_SESSION_USER[@]}" DISPLAY="$SESSION_X" WAYLAND_DISPLAY="$SWAY_WAYLAND" SWAYSOCK="$SWAYSOCK")
  in_session() { "${IN_SESSION[@]}" "$@"; }
  x_answers() { in_session xdotool getdisplaygeometry >/dev/null 2>&1; }
  wait_until 20 x_answers || skip "sway's XWayland does not answer"
}

need_sway() {
  command -v sway >/dev/null && command -v Xwayland >/dev/null && command -v grim >/dev/null \
    || skip "sway, Xwayland or grim is not installed"
  id "$SESSION_USER" >/dev/null 2>&1 || skip "no user $SESSION_USER to run sway as"
}

# Starts sway as the session's user with CONFIG_LINES and the environment
# ASSIGNMENTS, and waits for its IPC socket and Wayland display.
run_sway() { # config_lines assignments...
  printf '%s\n' "xwayland enable" "default_border none" "$1" > "$WORK/sway.config"
  chmod 644 "$WORK/sway.config"
  shift
  "${AS_SESSION_USER[@]}" "$@" WLR_RENDERER=pixman sway -c "$WORK/sway.config" >"$WORK/sway.log" 2>&1 &
  SWAY_PID=$!
  PIDS+=("$SWAY_PID")
  sway_socket() { compgen -G "$SESSION_RUNTIME/sway-ipc.*.sock" >/dev/null && compgen -G "$SESSION_RUNTIME/wayland-*.lock" >/dev/null; }
  wait_until 20 sway_socket || { cat "$WORK/sway.log" >&2; skip "sway did not start"; }
  SWAYSOCK=$(compgen -G "$SESSION_RUNTIME/sway-ipc.*.sock" | head -1)
  SWAY_WAYLAND=$(cd "$SESSION_RUNTIME" && compgen -G 'wayland-*' | grep -v lock | head -1)
  wait_until 10 swaymsg_ -t get_version || skip "sway does not answer"
}

# Starts COMMAND inside the session (with its DISPLAY for XWayland) through
# a script $SESSION/NAME.sh that writes its pid to $SESSION/NAME.pid and
# prints that pid once it is known. Sway would take "$" for its variables
# and split its commands at ";" and ",": the command goes through a file.
sway_exec() { # name command
  printf '#!/bin/sh\necho $$ > %s\nexec %s\n' "$SESSION/$1.pid" "$2" > "$SESSION/$1.sh"
  chmod 755 "$SESSION/$1.sh"
  rm -f "$SESSION/$1.pid"
  swaymsg_ exec "$SESSION/$1.sh" || fail "sway did not start $1"
  pid_known() { [ -s "$SESSION/$1.pid" ]; }
  wait_until 20 pid_known "$1" || fail "$1 did not start"
  cat "$SESSION/$1.pid"
}

# Starts the clock inside the session; sets CLOCK_PID.
sway_start_clock() {
  CLOCK_PID=$(sway_exec clock "$PROGRAM/tockara >$SESSION/clock.log 2>&1") || exit 1
  PIDS+=("$CLOCK_PID")
}

# A screenshot of the whole session, as file $SESSION/NAME.png; prints the path.
sway_screenshot() { # name
  rm -f "$SESSION/$1.png"
  as_sway_user grim "$SESSION/$1.png" && echo "$SESSION/$1.png"
}


# Whether a menu now shows below a clock whose face was at 300,200 in the
# screenshot $1 (taken before the right click): the part below the face
# differs from it.
sway_menu_below() { # reference-screenshot
  local shot
  shot=$(sway_screenshot menu) || return 1
  [ "$(compare -metric AE -crop 150x200+340+281 "$1" "$shot" null: 2>&1)" -gt 3000 ] 2>/dev/null
}
