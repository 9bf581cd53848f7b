#!/usr/bin/env bash
# Runs every benchmark program of the build, then the idle-process comparison
# on a bare X server, then the idle clock on each Wayland session against X11.
set -euo pipefail
build=${1:-build}
for bench in "$build"/bench/bench_*; do
  # Programs only: the build also keeps bench_*_autogen folders here.
  [ -f "$bench" ] && [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  # The offscreen platform warns at each raise and window mask of the clocks
  # the start-up benchmark creates; those thousands of lines are left out.
  QT_QPA_PLATFORM=offscreen "$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    2> >(grep -v '^This plugin does not support' >&2)
done
bash "$(dirname "$0")/idle_cpu.sh" "$build/tockara"
bash "$(dirname "$0")/idle_sessions.sh" "$build/tockara"
