#!/usr/bin/env bash
# A ZIP archive dragged from a file manager and dropped on the clock is
# extracted into the extraction folder, in a folder named after it, and the
# file manager opens that folder, also right after a pipe named like an
# archive was dropped and refused.
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

# A pipe named like an archive is refused at once (never opened, so nothing
# waits for a writer), and the real archive dropped next is extracted.
mkfifo "$WORK/pipe.zip"
start_clock
drop_on_clock "$WORK/pipe.zip"
dropped="$WORK/slow data.zip"
cp "$WORK/archive.zip" "$dropped"
sleep 1
xdotool key Return  # the message about the pipe
drop_on_clock "$dropped"

for _ in $(seq 150); do [ -e "$WORK/file-manager.log" ] && break; sleep 0.1; done
[ -e "$WORK/file-manager.log" ] || fail "the file manager was not started after the pipe"
[ "$(cat "$WORK/file-manager.log")" = "$target/slow data/" ] \
  || fail "the file manager was asked for $(cat "$WORK/file-manager.log")"
[ "$(cat "$target/slow data/資料/メモ.txt")" = こんにちは ] || fail "the Japanese file was not extracted"
cmp -s "$WORK/content/data.bin" "$target/slow data/data.bin" || fail "data.bin was not extracted whole"
ps -p "$CLOCK_PID" > /dev/null || fail "the clock ended"
echo "archive drop: ok"
