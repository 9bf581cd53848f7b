#!/usr/bin/env bash
# make test-debian13 (scripts/test_debian13.sh) mounts the system's file
# systems in its Debian 13 root and leaves nothing mounted there, nor running,
# whatever ends it: a signal half-way, a command that fails; mounts left by a
# run killed outright are taken away by the next one. Run on a small root of
# its own in a temporary folder (a shell and a few programs), so no Debian
# root is made and nothing outside that folder is touched.
set -euo pipefail
script=${1:?usage: test_debian13_mounts.sh SCRIPT}
skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || skip "mounting needs root"

work=$(mktemp -d)
root=$work/root
mounted_here() { awk -v r="$root" '$5 == r || index($5, r "/") == 1 { print $5 }' /proc/self/mountinfo; }
cleanup() {
  local point
  for point in $(mounted_here | sort -r); do umount -l "$point" 2>/dev/null || true; done
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT

mkdir -p "$work/probe"
mount -t tmpfs probe "$work/probe" 2>/dev/null || skip "this machine lets no file system be mounted"
umount "$work/probe"

# The small root: a shell and the programs the commands below use, with
# their libraries, on a merged /usr as Debian lays it out.
mkdir -p "$root"/{usr/bin,usr/lib,usr/lib64,proc,sys,dev,tmp,run,etc}
ln -s usr/bin "$root/bin"; ln -s usr/lib "$root/lib"; ln -s usr/lib64 "$root/lib64"
for program in sh env sleep touch; do
  path=$(command -v "$program")
  cp -L "$path" "$root/usr/bin/$program"
  for library in $(ldd "$path" | grep -o '/[^ ]*'); do
    cp -L --parents "$library" "$root"
  done
done
touch "$root/.tockara-root-ready"

# Runs the script on the small root with COMMAND inside, in the background
# in a process group of its own (so that it takes SIGINT as from a terminal).
set -m
run_script() { # command
  bash "$script" --build "$work/build" --root "$root" --inside "$1" >"$work/out" 2>&1 &
  pid=$!
}
wait_for() { # seconds condition...
  local tries=$(($1 * 10)); shift
  while ! "$@"; do
    ((--tries > 0)) || return 1
    sleep 0.1
  done
}
started() { [ -e "$root/tmp/started" ]; }
running_in_root() {
  local p
  for p in /proc/[0-9]*; do [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && return 0; done
  return 1
}
expect_nothing_left() { # what
  [ -z "$(mounted_here)" ] || fail "$1: still mounted: $(mounted_here | tr '\n' ' ')"
  ! running_in_root || fail "$1: a process still runs in the root"
}

# A signal half-way: the script ends with the signal's code, and what it
# mounted and started is gone.
for case in INT:130 TERM:143 HUP:129; do
  signal=${case%:*} expected=${case#*:}
  run_script 'touch /tmp/started; exec sleep 617'
  wait_for 20 started || fail "$signal: the command did not start in the root: $(cat "$work/out")"
  for point in proc sys dev dev/pts dev/shm tmp run; do
    mounted_here | grep -qx "$root/$point" || fail "$signal: $point is not mounted in the root"
  done
  kill -"$signal" "$pid"
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq "$expected" ] || fail "$signal: the script ended with $status, not $expected: $(cat "$work/out")"
  expect_nothing_left "$signal"
done

# A second run while one runs waits for it, and leaves its mounts and its
# command alone meanwhile.
run_script 'touch /tmp/started; exec sleep 617'
first=$pid
wait_for 20 started || fail "the first run's command did not start in the root"
run_script 'true'
second=$pid
waiting() { grep -q "another run uses" "$work/out"; }
wait_for 20 waiting || fail "the second run did not wait for the first: $(cat "$work/out")"
mounted_here | grep -qx "$root/proc" || fail "the second run unmounted the first one's file systems"
running_in_root || fail "the second run stopped the first one's command"
kill -TERM "$first"
wait "$first" || true
status=0
wait "$second" || status=$?
[ "$status" -eq 0 ] || fail "the second run ended with $status once the first had ended: $(cat "$work/out")"
expect_nothing_left "two runs"

# A command that fails: its exit code is the script's, nothing stays.
run_script 'exit 3'
status=0
wait "$pid" || status=$?
[ "$status" -eq 3 ] || fail "a failing command: the script ended with $status, not 3"
expect_nothing_left "a failing command"

# Killed outright, the script leaves its mounts and the command inside: the
# next run stops the one and takes the others away.
run_script 'touch /tmp/started; exec sleep 617'
wait_for 20 started || fail "the command did not start in the root"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
[ -n "$(mounted_here)" ] || fail "a killed run should have left its mounts for this check"
run_script 'true'
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the run after a killed one ended with $status: $(cat "$work/out")"
grep -q "unmounting what an earlier run left" "$work/out" || fail "the next run did not say it unmounted the earlier mounts"
expect_nothing_left "after a killed run"
echo "PASS: nothing stays mounted in the root"
