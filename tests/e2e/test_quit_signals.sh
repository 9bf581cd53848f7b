#!/usr/bin/env bash
# SIGTERM (a logout), SIGINT and SIGHUP end the clock as 閉じる does: the
# process ends by itself and promptly, an archive entry being extracted is
# removed, and Tockara.ini keeps its values.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
start_display
start_window_manager
make_program_folder

out="$WORK/out"
mkdir -p "$out" "$WORK/content"
write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
TimeFormat=hh:mm
FileManger=/bin/true
[Color]
Bord=255
[ARC]
DecompFolder=$out/
FileFold=0"
# Random bytes, stored: nothing to compress, and a size that takes a while to write.
head -c 1000000000 /dev/urandom > "$WORK/content/big.bin"
bsdtar --format zip --options zip:compression=store -cf "$WORK/big.zip" -C "$WORK/content" big.bin
rm "$WORK/content/big.bin"

# The clock ended by itself (status 0), not by the signal's default action.
ends_by_itself() { # signal
  local status=0
  wait_until 10 ended "$CLOCK_PID" || fail "the clock did not end after SIG$1"
  wait "$CLOCK_PID" || status=$?
  [ "$status" = 0 ] || fail "the clock was ended by SIG$1 itself (status $status): $(cat "$WORK/clock.log")"
  [ "$(ini_value "$PROGRAM/Tockara.ini" Color Bord)" = 255 ] || fail "Tockara.ini lost its face colour after SIG$1"
  [ "$(ini_value "$PROGRAM/Tockara.ini" Setting TimeFormat)" = hh:mm ] || fail "Tockara.ini lost its time format after SIG$1"
  [ "$(ini_value "$PROGRAM/Tockara.ini" ARC DecompFolder)" = "$out/" ] || fail "Tockara.ini lost its values after SIG$1"
}

part_present() { compgen -G "$out/.tockara-*.part" >/dev/null; }

start_clock
drop_on_clock "$WORK/big.zip"
wait_until 30 part_present || fail "the extraction did not start: $(ls -a "$out"; cat "$WORK/clock.log")"
kill -TERM "$CLOCK_PID"
ends_by_itself TERM
part_present && fail "an entry being extracted was left: $(ls -a "$out")"
[ -e "$out/big.bin" ] && [ "$(stat -c %s "$out/big.bin")" != 1000000000 ] && fail "a part of the entry was left as big.bin"

for signal in INT HUP; do
  start_clock
  kill -"$signal" "$CLOCK_PID"
  ends_by_itself "$signal"
done
echo "quit signals: ok"
