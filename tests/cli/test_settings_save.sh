#!/usr/bin/env bash
# The clock's start writes Tockara.ini as a new file renamed over the old one
# and then syncs the folder, so a power cut keeps the new file; the next
# start removes a new file that a killed save left behind, and nothing else.
set -euo pipefail

BINARY=$(readlink -f "$1")
WORK=$(mktemp -d /tmp/tockara-save.XXXXXX)
tracer=
# The clock runs under strace, which ends once the clock has ended (strace
# itself does not stop on a signal while it traces a program it started).
stop_clock() {
  [ -n "$tracer" ] || return 0
  local clock
  clock=$(pgrep -P "$tracer" -x tockara || true)
  [ -n "$clock" ] && kill "$clock" 2>/dev/null
  wait "$tracer" 2>/dev/null || true
  tracer=
}
cleanup() {
  stop_clock
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

program="$WORK/program"
mkdir -p "$program" "$WORK/runtime" "$WORK/home"
chmod 700 "$WORK/runtime"
cp "$BINARY" "$program/tockara"
cp "$(dirname "$BINARY")/Calender.ini" "$program/"

# Starts the clock without a display under strace, waits until it has saved
# Tockara.ini and ends it.
run_clock() { # trace
  rm -f "$program/Tockara.ini"
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR="$WORK/runtime" HOME="$WORK/home" \
    strace -f -y -qq -e trace=openat,rename,renameat,renameat2,fsync,fdatasync -o "$1" \
    "$program/tockara" >/dev/null 2>&1 &
  tracer=$!
  for _ in $(seq 200); do [ -s "$program/Tockara.ini" ] && break; sleep 0.1; done
  sleep 0.5
  stop_clock
  [ -s "$program/Tockara.ini" ] || fail "the clock did not save Tockara.ini"
}

run_clock "$WORK/first.trace"
# The rename of the new file over Tockara.ini, then a sync of the folder.
rename_line=$(grep -n "rename.*\"$program/Tockara.ini\"" "$WORK/first.trace" | head -1 | cut -d: -f1)
[ -n "$rename_line" ] || fail "Tockara.ini was not renamed into place"
temporary=$(sed -n "${rename_line}p" "$WORK/first.trace" | grep -o "\"$program/Tockara.ini[^\"]*\"" | head -1 | tr -d '"')
[ "$temporary" != "$program/Tockara.ini" ] || fail "no new file was renamed"
# grep -c reads to the end: grep -q ends at the first match, and tail, still
# writing, then died of the closed pipe, which pipefail took for no match.
[ "$(tail -n +"$rename_line" "$WORK/first.trace" | grep -c "fsync([0-9]*<$program>)")" -gt 0 ] \
  || fail "the folder was not synced after the rename"

# What a save killed before its rename leaves (the same kind of name), beside
# files of the user's that only look alike.
printf 'half' > "$temporary"
for kept in Tockara.ini.bak Tockara.ini.saving- Tockara.ini~; do printf 'mine' > "$program/$kept"; done
run_clock "$WORK/second.trace"
[ -e "$temporary" ] && fail "the unfinished save $(basename "$temporary") was left"
for kept in Tockara.ini.bak Tockara.ini.saving- Tockara.ini~; do
  [ "$(cat "$program/$kept")" = mine ] || fail "$kept was removed"
done
echo "settings save: ok"
