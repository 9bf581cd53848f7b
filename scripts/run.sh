#!/usr/bin/env bash
# Starts the clock. On a machine without a display it starts a virtual one
# (Xvfb), lets the clock run for a few seconds, saves a screenshot to
# build/screenshot.png and stops again.
set -euo pipefail
binary=${1:-build/tockara}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$binary"
fi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $clock $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

DISPLAY=$display "$binary" &
clock=$!
sleep "${TOCKARA_RUN_SECONDS:-3}"
shot="$(dirname "$binary")/screenshot.png"
DISPLAY=$display import -window root "$shot"
echo "No display: the clock ran on virtual display $display; screenshot saved to $shot"
