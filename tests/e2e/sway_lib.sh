# The clock inside a sway session (a wlroots Wayland compositor with
# XWayland), run as an unprivileged user: sway refuses to run as root. Source
# it after lib.sh. Tests that use it end with code 77 (skipped) when sway
# cannot run here.
source "$(dirname "${BASH_SOURCE[0]}")/session_user_lib.sh"

# Runs a command as the session's user, inside the session.
as_sway_user() { as_session_user WAYLAND_DISPLAY="${SWAY_WAYLAND:-}" SWAYSOCK="${SWAYSOCK:-}" "$@"; }

swaymsg_() { as_sway_user swaymsg "$@" >/dev/null; }

# Starts sway with XWayland and CONFIG_LINES (sway commands, one a line) on
# an X11 backend: one window on a virtual display of its own per output.
# Sway's headless backend has no input devices, so its seat offers no
# pointer and no client would see the cursor commands; the X11 backend gives
# it the virtual display's pointer. Sets SWAYSOCK and SWAY_WAYLAND. Skips the
# test when sway, XWayland or grim is missing or sway does not start.
start_sway() { # outputs config_lines
  command -v sway >/dev/null && command -v Xwayland >/dev/null && command -v grim >/dev/null \
    || skip "sway, Xwayland or grim is not installed"
  id "$SESSION_USER" >/dev/null 2>&1 || skip "no user $SESSION_USER to run sway as"
  XVFB_SCREEN=2048x1536x24 start_display
  xhost "+SI:localuser:$SESSION_USER" >/dev/null || fail "the session's user may not use the display"
  make_session_folders
  printf '%s\n' "xwayland enable" "default_border none" "$2" > "$WORK/sway.config"
  chmod 644 "$WORK/sway.config"
  "${AS_SESSION_USER[@]}" DISPLAY="$DISPLAY" WLR_BACKENDS=x11 WLR_X11_OUTPUTS="$1" WLR_RENDERER=pixman \
    sway -c "$WORK/sway.config" >"$WORK/sway.log" 2>&1 &
  SWAY_PID=$!
  PIDS+=("$SWAY_PID")
  wait_for_sway
}

# Waits until the sway just started offers its socket and answers; sets
# SWAYSOCK and SWAY_WAYLAND. Skips the test when sway does not start.
wait_for_sway() {
  sway_socket() { compgen -G "$SESSION_RUNTIME/sway-ipc.*.sock" >/dev/null; }
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
# Also sets SWAY_X_DISPLAY, the session's XWayland display, which the clock
# was given.
sway_start_clock() {
  CLOCK_PID=$(sway_exec clock "$PROGRAM/tockara >$SESSION/clock.log 2>&1") || exit 1
  PIDS+=("$CLOCK_PID")
  SWAY_X_DISPLAY=$(tr '\0' '\n' < "/proc/$CLOCK_PID/environ" | sed -n 's/^DISPLAY=//p')
}

# Runs a command on the session's XWayland display, as the session's user.
in_session() { as_sway_user DISPLAY="${SWAY_X_DISPLAY:-}" "$@"; }

# A screenshot of the whole session, as file $SESSION/NAME.png; prints the path.
sway_screenshot() { # name
  rm -f "$SESSION/$1.png"
  as_sway_user grim "$SESSION/$1.png" && echo "$SESSION/$1.png"
}


# Whether a menu now shows below a clock whose face was at 300,200 in the
# screenshot $1 (taken before the right click): the part below the face
# differs from it. REGION: another part to look at.
sway_menu_below() { # reference-screenshot [region]
  local shot
  shot=$(sway_screenshot menu) || return 1
  [ "$(compare -metric AE -crop "${2:-150x200+340+281}" "$1" "$shot" null: 2>&1)" -gt 3000 ] 2>/dev/null
}

# Moves the window of sway's second output on the virtual display to X,Y,
# so that the virtual display's pointer reaches the first output where the
# two windows stood one over the other (the X11 backend opens each at 0,0).
# The second output's window is the one made last.
sway_place_second_output() { # x y
  local second
  second=$(xwininfo -root -children | awk '$1 ~ /^0x/ { print $1 }' | sort | tail -1)
  [ -n "$second" ] || fail "no window of sway's second output"
  xdotool windowmove "$second" "$1" "$2"
  placed() { xwininfo -id "$second" | grep -q "Absolute upper-left X: *$1\$"; }
  wait_until 5 placed "$1" || fail "the second output's window did not move"
}

# One line for a rule a test checks on sway: ✓, or — and why sway has no
# such thing; then what was seen.
sway_report() { printf '%-40s %s%s\n' "${SWAY_REPORT_AS:-sway}: $1" "$2" "${3:+ ($3)}"; }

# Starts sway with XWayland and CONFIG_LINES on its headless backend, with
# OUTPUTS outputs (HEADLESS-1, HEADLESS-2, ...), and wayvnc inside the
# session, serving HEADLESS-1: wayvnc's virtual pointer and keyboard are the
# seat's, and from then on `pointer` drives them, in the coordinates of
# HEADLESS-1, through one VNC client (vnc_input.py) that keeps the buttons
# held from one call to the next. Sets SWAYSOCK and SWAY_WAYLAND. Skips the
# test when sway, XWayland, grim or wayvnc is missing or does not start.
start_sway_headless() { # outputs config_lines
  local port answer
  command -v sway >/dev/null && command -v Xwayland >/dev/null && command -v grim >/dev/null \
    && command -v wayvnc >/dev/null || skip "sway, Xwayland, grim or wayvnc is not installed"
  id "$SESSION_USER" >/dev/null 2>&1 || skip "no user $SESSION_USER to run sway as"
  make_session_folders
  # wayvnc's pointer moves in the coordinates of the output it serves; sway
  # maps it there as it comes, and, without this line, onto the whole layout
  # once it reloads its configuration.
  printf '%s\n' "xwayland enable" "default_border none" "input type:pointer map_to_output HEADLESS-1" "$2" \
    > "$WORK/sway.config"
  chmod 644 "$WORK/sway.config"
  "${AS_SESSION_USER[@]}" WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS="$1" WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c "$WORK/sway.config" >"$WORK/sway.log" 2>&1 &
  SWAY_PID=$!
  PIDS+=("$SWAY_PID")
  wait_for_sway

  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  "${AS_SESSION_USER[@]}" WAYLAND_DISPLAY="$SWAY_WAYLAND" wayvnc -o HEADLESS-1 127.0.0.1 "$port" \
    >"$WORK/wayvnc.log" 2>&1 &
  PIDS+=($!)
  mkfifo "$WORK/vnc.in" "$WORK/vnc.out"
  python3 "$(dirname "${BASH_SOURCE[0]}")/vnc_input.py" 127.0.0.1 "$port" 10 <"$WORK/vnc.in" >"$WORK/vnc.out" &
  PIDS+=($!)
  exec {VNC_IN}>"$WORK/vnc.in" {VNC_OUT}<"$WORK/vnc.out"
  read -r -t 15 answer <&"$VNC_OUT" || answer="no answer"
  case $answer in
    ready*) ;;
    *) cat "$WORK/wayvnc.log" >&2; skip "wayvnc does not serve HEADLESS-1 ($answer)" ;;
  esac
  pointer() { vnc_pointer "$@"; }
  SWAY_BACKEND=headless SWAY_REPORT_AS="sway headless"
}

# Sends an xdotool command chain (mousemove X Y, mousedown N, key NAME...)
# through the VNC client start_sway_headless started; returns once it is sent.
vnc_pointer() {
  local answer
  printf '%q ' "$@" >&"$VNC_IN"
  echo >&"$VNC_IN"
  read -r -t 20 answer <&"$VNC_OUT" || answer="no answer"
  [ "$answer" = ok ] || fail "the VNC client did not send \"$*\": $answer"
}
