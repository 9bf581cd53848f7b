#!/usr/bin/env bash
# A ZIP archive larger than the disk of the extraction folder, dropped on the
# clock: a message tells that the disk is too full, the file manager is not
# started, and nothing is left on that disk. The disk is a 16 MB tmpfs, which
# needs root; elsewhere the test is skipped.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
disk="$WORK/disk"
mkdir -p "$disk"
if ! mount -t tmpfs -o size=16m tmpfs "$disk" 2>/dev/null; then
  echo "archive disk full: skipped (no tmpfs can be mounted here)"
  exit 0
fi
trap 'stop_processes "${PIDS[@]}"; umount "$disk" || true; cleanup' EXIT
start_display
openbox >/dev/null 2>&1 &
PIDS+=($!)
make_program_folder

cat > "$WORK/file-manager" <<'SH'
#!/bin/sh
printf '%s\n' "$@" > "$(dirname "$0")/file-manager.log"
SH
chmod +x "$WORK/file-manager"
write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
FileManger=$WORK/file-manager
[ARC]
DecompFolder=$disk/
FileFold=0"
mkdir -p "$WORK/content"
head -c 40000000 /dev/urandom > "$WORK/content/big.bin"
bsdtar --format zip -cf "$WORK/big.zip" -C "$WORK/content" big.bin

start_clock
drop_on_clock "$WORK/big.zip"
# The message is a second window titled Tockara.
message_shown() { [ "$(xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | wc -l)" -ge 2 ]; }
wait_until 30 message_shown || fail "no message followed the drop"
screenshot disk-full > /dev/null
sleep 1
[ -e "$WORK/file-manager.log" ] && fail "the file manager was started after a failure"
[ -z "$(ls -A "$disk")" ] || fail "left on the full disk: $(ls -A "$disk")"
ps -p "$CLOCK_PID" > /dev/null || fail "the clock ended"
echo "archive disk full: ok"
