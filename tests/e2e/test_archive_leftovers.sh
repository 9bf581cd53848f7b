#!/usr/bin/env bash
# A clock killed (SIGKILL: no quit path runs) while it extracts leaves
# nothing of its own behind once the next archive is extracted into the same
# extraction folder: not the entry it was writing, not the folder it made
# for the archive (圧縮ﾌｧｲﾙ名をﾌｫﾙﾀﾞとする), not 7-Zip's work folder of an
# ARJ archive; and 7-Zip does not go on unpacking once the clock is gone.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
command -v 7zz >/dev/null || command -v 7z >/dev/null || { echo "SKIP: 7-Zip is not installed"; exit 77; }
for program in arj bsdtar; do
  command -v "$program" >/dev/null || { echo "SKIP: $program is not installed"; exit 77; }
done
start_display
start_window_manager
make_program_folder

out="$WORK/解凍先"
mkdir -p "$out" "$WORK/content" "$WORK/small"
cat > "$WORK/file-manager" <<'SH'
#!/bin/sh
printf '%s\n' "$@" >> "$(dirname "$0")/file-manager.log"
SH
chmod +x "$WORK/file-manager"
settings() { # FileFold
  write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
FileManger=$WORK/file-manager
[ARC]
DecompFolder=$out/
FileFold=$1"
}

# Random bytes, stored: a size that takes a while to write (7-Zip copies a
# gigabyte in a second or two).
head -c 1000000000 /dev/urandom > "$WORK/content/big.bin"
bsdtar --format zip --options zip:compression=store -cf "$WORK/big.zip" -C "$WORK/content" big.bin
(cd "$WORK/content" && arj a -m0 -y "$WORK/big.arj" big.bin >/dev/null)
rm "$WORK/content/big.bin"
echo small > "$WORK/small/small.txt"
bsdtar --format zip -cf "$WORK/small.zip" -C "$WORK/small" small.txt
(cd "$WORK/small" && arj a -y "$WORK/small.arj" small.txt >/dev/null)

own_leftovers() { find "$out" -name '.tockara-*' | sort; }
# The 7-Zip running in a work folder below the extraction folder.
sevenzip_pids() {
  local proc
  for proc in /proc/[0-9]*; do
    case "$(readlink "$proc/cwd" 2>/dev/null)" in "$out"/*) echo "${proc#/proc/}" ;; esac
  done
}
# Sets unpacking to the 7-Zip that is writing the archive's file.
sevenzip_unpacking() {
  [ -n "$(find "$out" -path '*/.tockara-*.work/out/big.bin' -size +1M)" ] || return 1
  unpacking=$(sevenzip_pids)
  [ -n "$unpacking" ]
}
all_ended() { local pid; for pid in "$@"; do ended "$pid" || return 1; done; }
killed_clock() {
  kill -KILL "$CLOCK_PID"
  wait_until 10 ended "$CLOCK_PID" || fail "the clock did not end after SIGKILL"
  wait "$CLOCK_PID" 2>/dev/null || true
}
extract_small() { # archive
  rm -f "$WORK/file-manager.log"
  start_clock
  drop_on_clock "$1"
  wait_until 30 test -s "$WORK/file-manager.log" || fail "$(basename "$1") was not extracted: $(cat "$WORK/clock.log")"
  kill -TERM "$CLOCK_PID"
  wait_until 10 ended "$CLOCK_PID" || fail "the clock did not end"
  wait "$CLOCK_PID" 2>/dev/null || true
}

# ZIP, in a folder made for the archive.
settings -1
start_clock
drop_on_clock "$WORK/big.zip"
wait_until 60 entry_being_written "$out" || fail "the extraction did not start: $(ls -aR "$out"; cat "$WORK/clock.log")"
killed_clock
[ -n "$(own_leftovers)" ] || fail "the kill left nothing to clean up"
extract_small "$WORK/small.zip"
[ -z "$(own_leftovers)" ] || fail "left after the next extraction: $(own_leftovers)"
[ ! -e "$out/big" ] || fail "the folder made for the killed archive stayed: $(ls -aR "$out/big")"
[ "$(cat "$out/small/small.txt")" = small ] || fail "the next archive was not extracted whole"

# ARJ, in the extraction folder itself: 7-Zip ends with the clock.
settings 0
start_clock
drop_on_clock "$WORK/big.arj"
wait_until 60 sevenzip_unpacking || fail "7-Zip was not seen unpacking: $(ls -aR "$out"; cat "$WORK/clock.log")"
killed_clock
# shellcheck disable=SC2086
wait_until 10 all_ended $unpacking || fail "7-Zip ran on after the clock was killed: $(ps -o pid,args -p "$unpacking")"
[ -n "$(own_leftovers)" ] || fail "the kill left nothing to clean up"
extract_small "$WORK/small.arj"
[ -z "$(own_leftovers)" ] || fail "left after the next extraction: $(own_leftovers)"
[ "$(cat "$out/small.txt")" = small ] || fail "the next ARJ archive was not extracted whole"
[ ! -e "$out/big.bin" ] || fail "the killed entry came out"
echo "archive leftovers: ok"
