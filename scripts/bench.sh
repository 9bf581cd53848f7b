#!/usr/bin/env bash
# Runs every benchmark program of the build, then the idle-process comparison.
set -euo pipefail
build=${1:-build}
for bench in "$build"/bench/bench_*; do
  [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  QT_QPA_PLATFORM=offscreen "$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
bash "$(dirname "$0")/idle_cpu.sh" "$build/tockara"
