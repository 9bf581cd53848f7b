#!/usr/bin/env bash
# What the clock costs while it sits on the desktop: runs Tockara and
# `xclock -update 1` side by side on a virtual display and prints the CPU
# seconds and peak memory of each after SECONDS (default 60) seconds.
set -euo pipefail
source "$(dirname "$0")/virtual_display.sh"
binary=$(readlink -f "${1:-build/tockara}")
seconds=${2:-60}
work=$(mktemp -d /tmp/tockara-idle.XXXXXX)
pids=()
trap 'stop_processes "${pids[@]}"; rm -rf "$work"' EXIT

XVFB_LOG="$work/xvfb.log"
start_xvfb || { cat "$XVFB_LOG" >&2; echo "no virtual display could be started" >&2; exit 1; }
pids+=("$XVFB_PID")

mkdir -p "$work/program" "$work/runtime"
chmod 700 "$work/runtime"
cp "$binary" "$work/program/"
cp -r "$(dirname "$binary")"/Calender.ini "$work/program/"
[ -d "$(dirname "$binary")/anime" ] && cp -r "$(dirname "$binary")/anime" "$work/program/"
XDG_RUNTIME_DIR=$work/runtime "$work/program/tockara" &
clock=$!
pids+=($clock)
xclock -update 1 &
xclock=$!
pids+=($xclock)

sleep "$seconds"

report() { # name pid
  local ticks hz
  ticks=$(awk '{ print $14 + $15 }' "/proc/$2/stat")
  hz=$(getconf CLK_TCK)
  printf '%-8s CPU %6.2f s   peak memory %6.1f MB\n' "$1" \
    "$(awk -v t="$ticks" -v h="$hz" 'BEGIN { print t / h }')" \
    "$(awk '/VmHWM/ { print $2 / 1024 }' "/proc/$2/status")"
}
echo "After $seconds s on a virtual display:"
report tockara "$clock"
report xclock "$xclock"
