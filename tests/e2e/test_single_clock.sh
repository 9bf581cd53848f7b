#!/usr/bin/env bash
# One clock per program folder: a second start, whatever its DISPLAY spells
# (":N.0" for ":N"), leaves the running clock alone as the only clock and
# asks it to open its menu beside itself, then ends without a word. A second
# start whose runtime folder is another (no way to reach the clock) ends
# without a word too.
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

xdotool mousemove 600 600
before=$(screenshot before)
second_start DISPLAY="$DISPLAY.0"
# The menu of the first clock, beside it (below the clock at 0,0).
wait_for_change menu "$before" 200x300+0+80 5000 10 >/dev/null || fail "the second start opened no menu"
cp "$WORK/menu.png" "${TOCKARA_E2E_SHOTS:-$WORK}/second_start_menu.png" 2>/dev/null || true
xdotool key Escape
wait_until 10 eval '[ "$(compare -metric AE -crop 200x300+0+80 "$before" "$(screenshot closed)" null: 2>&1 || true)" -lt 200 ]' \
  || fail "Escape did not close the menu"

mkdir -p "$WORK/other-runtime" && chmod 700 "$WORK/other-runtime"
second_start XDG_RUNTIME_DIR="$WORK/other-runtime"
[ "$(clocks)" = 1 ] || fail "$(clocks) clocks on the screen"
kill -0 "$CLOCK_PID" || fail "the running clock ended"
echo "single clock: ok"
