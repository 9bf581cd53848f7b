#!/usr/bin/env bash
# One clock per program folder: a second start ends silently, whatever its
# DISPLAY spells (":N.0" for ":N") or its runtime folder says, and leaves the
# running clock alone.
source "$(dirname "$0")/lib.sh"
start_display
make_program_folder
start_clock

clocks() { xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | wc -l; }
second_start() { # environment assignments...
  env "$@" "$PROGRAM/tockara" >"$WORK/second.log" 2>&1 &
  local pid=$!
  PIDS+=("$pid")
  wait_for_exit "$pid" 10 || fail "a second clock kept running ($*)"
  wait "$pid" || fail "the second start failed ($*): $(cat "$WORK/second.log")"
  [ ! -s "$WORK/second.log" ] || fail "the second start spoke ($*): $(cat "$WORK/second.log")"
}

mkdir -p "$WORK/other-runtime" && chmod 700 "$WORK/other-runtime"
second_start DISPLAY="$DISPLAY.0"
second_start XDG_RUNTIME_DIR="$WORK/other-runtime"
sleep 1
[ "$(clocks)" = 1 ] || fail "$(clocks) clocks on the screen"
kill -0 "$CLOCK_PID" || fail "the running clock ended"
echo "single clock: ok"
