# A virtual display and waits for what appears on it, shared by the
# end-to-end tests and the scripts that run the clock without a display.
# Source it: it only defines functions.

# Milliseconds since the epoch.
now_ms() {
  local t=${EPOCHREALTIME//[.,]/}
  echo $((t / 1000))
}

# Runs COMMAND every tenth of a second until it succeeds; returns 1 when it
# still fails after SECONDS.
wait_until() { # seconds command...
  local end=$(($(now_ms) + $1 * 1000))
  shift
  until "$@"; do
    (($(now_ms) < end)) || return 1
    sleep 0.1
  done
}

# True when the process PID has ended: gone, or a zombie its parent has not
# reaped yet.
ended() { ! kill -0 "$1" 2>/dev/null || [ "$(ps -o stat= -p "$1" 2>/dev/null | cut -c1)" = Z ]; }

# Waits until the process PID has ended.
wait_for_exit() { # pid [seconds]
  wait_until "${2:-20}" ended "$1"
}

# The process PID and every process below it, parents first.
process_tree() { # pid
  local child
  echo "$1"
  for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do
    process_tree "$child"
  done
}

# Stops the process PID, then what it started itself (a program the clock
# launched, the sleep of a subshell, the services a session bus started):
# those still running once their parent has ended are ended by their own
# pids, listed before the parent went. Each is waited for until it has ended.
stop_process_tree() { # pid
  local pid rest
  rest=$(process_tree "$1" | tail -n +2)
  kill "$1" 2>/dev/null || true
  wait_for_exit "$1" 10 || kill -KILL "$1" 2>/dev/null || true
  for pid in $rest; do
    kill "$pid" 2>/dev/null || true
    wait_for_exit "$pid" 5 || kill -KILL "$pid" 2>/dev/null || true
  done
}

# Stops the processes PIDS and what each started, the last started first
# (the clients before their display server).
stop_processes() { # pids...
  local i
  for ((i = $#; i > 0; i--)); do
    stop_process_tree "${!i}"
  done
  wait 2>/dev/null || true
}

# Starts Xvfb (a screen of XVFB_SCREEN, default 1024x768x24) on a display
# number the server picks itself, so that servers started at the same time
# never share one, and exports DISPLAY once it accepts clients. Sets XVFB_PID; the server's messages go to XVFB_LOG.
# Without -noreset the server resets whenever its last client leaves, and
# drops the clients that connect meanwhile (a clock started right after
# another one ended, or after an xdotool call).
start_xvfb() {
  local fd number
  exec {fd}< <(exec Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -br -noreset -nolisten tcp \
                 3>&1 >/dev/null 2>"${XVFB_LOG:-/dev/null}")
  XVFB_PID=$!
  # The server writes its display number once it is ready, or ends.
  if ! read -r -t 30 -u "$fd" number || [ -z "$number" ]; then
    exec {fd}<&-
    kill "$XVFB_PID" 2>/dev/null || true
    return 1
  fi
  exec {fd}<&-
  export DISPLAY=:$number
}

# Prints the id of a visible window titled exactly TITLE, if there is one.
visible_window() { # title
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true
}

# Waits until a visible window titled exactly TITLE exists and prints its id.
wait_for_title() { # title [seconds]
  local id end=$(($(now_ms) + ${2:-20} * 1000))
  while :; do
    id=$(visible_window "$1")
    [ -n "$id" ] && { echo "$id"; return 0; }
    (($(now_ms) < end)) || return 1
    sleep 0.1
  done
}

# True when WINDOW shows more than two colours on the screen: until its first
# frame is painted, a mapped window shows its background colour and, around a
# shaped window, the screen behind it.
window_painted() { # window
  local colours
  colours=$(import -window "$1" miff:- 2>/dev/null | convert - -format %k info: 2>/dev/null) || return 1
  [ "${colours:-0}" -gt 2 ]
}

# Waits until WINDOW's first frame is on the screen.
wait_for_painted() { # window [seconds]
  wait_until "${2:-20}" window_painted "$1"
}
