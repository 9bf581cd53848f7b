#!/usr/bin/env bash
# A ZIP archive dragged from a file manager and dropped on the clock is
# extracted into the extraction folder, in a folder named after it, and the
# file manager opens that folder. The clock keeps ticking while the archive is
# read: it arrives through a pipe that stalls halfway.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
start_display
openbox >/dev/null 2>&1 &
PIDS+=($!)
make_program_folder

# The file manager: a script that records the folder it is asked to show.
cat > "$WORK/file-manager" <<'SH'
#!/bin/sh
printf '%s\n' "$@" > "$(dirname "$0")/file-manager.log"
SH
chmod +x "$WORK/file-manager"
target="$WORK/解凍先"
write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
FileManger=$WORK/file-manager
[ARC]
DecompFolder=$target/
FileFold=-1"

mkdir -p "$WORK/content/資料"
printf 'こんにちは\n' > "$WORK/content/資料/メモ.txt"
head -c 400000 /dev/urandom > "$WORK/content/data.bin"
bsdtar --format zip -cf "$WORK/archive.zip" -C "$WORK/content" 資料 data.bin

dropped="$WORK/slow data.zip"
mkfifo "$dropped"
half=$(( $(stat -c %s "$WORK/archive.zip") / 2 ))
{ head -c "$half" "$WORK/archive.zip"; sleep 5; tail -c +"$((half + 1))" "$WORK/archive.zip"; } > "$dropped" &
PIDS+=($!)

start_clock
drop_on_clock "$dropped"

# While the archive is still being read, the face goes on changing.
sleep 0.5
first=$(screenshot ticking1)
sleep 1.5
second=$(screenshot ticking2)
[ -e "$WORK/file-manager.log" ] && fail "the extraction ended before the pipe was complete"
changed=$(compare -metric AE -crop 80x80+0+0 "$first" "$second" null: 2>&1 || true)
[ "$changed" -gt 10 ] || fail "the clock stood still during the extraction ($changed pixels changed)"

for _ in $(seq 150); do [ -e "$WORK/file-manager.log" ] && break; sleep 0.1; done
[ -e "$WORK/file-manager.log" ] || fail "the file manager was not started"
[ "$(cat "$WORK/file-manager.log")" = "$target/slow data/" ] \
  || fail "the file manager was asked for $(cat "$WORK/file-manager.log")"
[ "$(cat "$target/slow data/資料/メモ.txt")" = こんにちは ] || fail "the Japanese file was not extracted"
cmp -s "$WORK/content/data.bin" "$target/slow data/data.bin" || fail "data.bin was not extracted whole"
ps -p "$CLOCK_PID" > /dev/null || fail "the clock ended"
echo "archive drop: ok"
