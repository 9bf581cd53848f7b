#!/usr/bin/env bash
# Starts the clock. On a machine without a display it starts a virtual one
# (Xvfb), waits until the clock's face is on the screen, saves a screenshot
# to build/screenshot.png and stops again.
set -euo pipefail
source "$(dirname "$0")/virtual_display.sh"
binary=${1:-build/tockara}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$binary"
fi

work=$(mktemp -d /tmp/tockara-run.XXXXXX)
pids=()
trap 'stop_processes "${pids[@]}"; rm -rf "$work"' EXIT
XVFB_LOG="$work/xvfb.log"
if ! start_xvfb; then
  cat "$XVFB_LOG" >&2
  echo "No display, and no virtual display could be started" >&2
  exit 1
fi
pids+=("$XVFB_PID")

# A runtime folder of its own: the clock on the virtual display is not kept
# from starting by a clock that already runs on the user's desktop.
mkdir -m 700 "$work/runtime"
XDG_RUNTIME_DIR=$work/runtime "$binary" &
clock=$!
pids+=("$clock")
if ! window=$(wait_for_title Tockara 30) || ! wait_for_painted "$window" 30; then
  echo "The clock's window did not appear on virtual display $DISPLAY" >&2
  exit 1
fi
shot="$(dirname "$binary")/screenshot.png"
import -window root "$shot"
echo "No display: the clock ran on virtual display $DISPLAY; screenshot saved to $shot"
