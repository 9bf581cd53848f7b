#!/usr/bin/env bash
# Run after the tests of one test run: fails when a process the run started is
# still running, names each one and stops it. The run marks everything it
# starts with TOCKARA_TEST_RUN=RUN in the environment, which every process
# started below it inherits (a clock a test started, a program the clock
# launched, a service a test's session bus started); the processes of another
# run at the same time carry another mark and are left alone.
set -euo pipefail
run=${1:?usage: test_leftovers.sh RUN}

# The pids of the running processes whose environment carries the mark.
marked() {
  grep -lzxF "TOCKARA_TEST_RUN=$run" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 || true
}

# A test's last processes may still be ending (a service whose bus just
# closed): they are given a few seconds.
for _ in $(seq 30); do
  left=$(marked)
  [ -z "$left" ] && exit 0
  sleep 0.1
done

echo "FAIL: processes started by the tests are still running:" >&2
for pid in $left; do
  ps -o pid=,args= -p "$pid" >&2 || true
done
for pid in $left; do
  kill "$pid" 2>/dev/null || true
done
sleep 1
for pid in $left; do
  kill -KILL "$pid" 2>/dev/null || true
done
exit 1
