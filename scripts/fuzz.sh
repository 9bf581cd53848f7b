#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/fuzz_<name>.cpp) with clang and libFuzzer and
# runs them: scripts/fuzz.sh [seconds] [name]
#   seconds  how long each target runs (default 60)
#   name     one target (readers, profile, mci, ...); every target in turn
#            when left out
# Each target starts from its seed corpus (fuzz/corpus/<name>, only read) and
# what earlier runs found (build-fuzz/corpus/<name>). Crashes are kept in
# build-fuzz/crashes/<name>/, each run's output in build-fuzz/logs/<name>.log.
# Ends with one line per target: executions, coverage (cov, ft), corpus
# size, crashes; fails when a target crashed.
# FUZZ_KEEP_GOING=1 fuzzes on past crashes (libFuzzer's fork mode, the inputs
# run in a child process), to see what else a target finds while a fault it
# already knows is still open.
set -euo pipefail
seconds=${1:-60}
only=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

names=()
for source in "$root"/fuzz/fuzz_*.cpp; do
  name=$(basename "$source" .cpp)
  name=${name#fuzz_}
  [ "$name" = support ] && continue
  if [ -z "$only" ] || [ "$name" = "$only" ]; then names+=("$name"); fi
done
if [ ${#names[@]} -eq 0 ]; then
  echo "fuzz.sh: no fuzz target named '$only'" >&2
  exit 2
fi

bash "$root/scripts/install-deps.sh" --fuzz
# -O1 with line tables: quick to build, fast enough to fuzz, and stack traces
# that name the line.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
  -DTOCKARA_FUZZ=ON -DTOCKARA_TESTS=OFF -DTOCKARA_BENCH=OFF >/dev/null
targets=()
for name in "${names[@]}"; do targets+=("fuzz_$name"); done
cmake --build "$build" --target "${targets[@]}"

# Leaks are reported too: a parser that leaks on hostile input runs out of
# memory in a long-running clock.
# Known leaks of other libraries are listed in fuzz/lsan.supp.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/fuzz/lsan.supp}
keep_going=()
if [ "${FUZZ_KEEP_GOING:-0}" = 1 ]; then
  keep_going=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
fi
mkdir -p "$build/logs"
summary=()
failed=0
for name in "${names[@]}"; do
  mkdir -p "$build/corpus/$name" "$build/crashes/$name"
  log="$build/logs/$name.log"
  echo "== fuzz_$name for ${seconds}s"
  touch "$build/logs/$name.start"
  status=0
  "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/crashes/$name/" -print_final_stats=1 "${keep_going[@]}" \
    "$build/corpus/$name" "$root/fuzz/corpus/$name" >"$log" 2>&1 || status=$?
  # The last status line ("#runs ... cov: ... ft: ... corp: ..."); the fork
  # mode prints no final statistics.
  status_line=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  runs=${runs:-$(echo "$status_line" | grep -oE '^#[0-9]+' | tr -d '#')}
  coverage=$(echo "$status_line" | grep -oE 'cov: [0-9]+ ft: [0-9]+' || true)
  corpus=$(echo "$status_line" | grep -oE 'corp: [0-9]+' || true)
  # The crashes of this run; earlier ones stay in the folder.
  crashes=$(find "$build/crashes/$name" -type f -newer "$build/logs/$name.start" | wc -l)
  if [ "$status" -ne 0 ]; then
    failed=1
    grep -E 'ERROR|property failed|runtime error|SUMMARY' "$log" | head -5 || true
  fi
  summary+=("$(printf '%-20s executions %-10s %-22s %-11s crashes %s (exit %s)' \
    "$name" "${runs:-?}" "${coverage:-cov: ? ft: ?}" "${corpus:-corp: ?}" "$crashes" "$status")")
done
printf '%s\n' "${summary[@]}"
exit "$failed"
