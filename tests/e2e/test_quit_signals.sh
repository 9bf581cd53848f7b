#!/usr/bin/env bash
# Every signal that would end the clock ends it as 閉じる does, whatever is
# open: the process ends by itself (status 0) and promptly, an archive entry
# being extracted is removed, and Tockara.ini keeps its values. SIGPIPE and
# SIGXFSZ are ignored. A signal ends the clock while a start-up box is shown
# (a Tockara.ini above 4 MB, one that is a FIFO), while the popup menu, a
# settings page, the memo at start-up or the question about taken names is
# open; that question then extracts nothing.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
start_display
start_window_manager
make_program_folder

out="$WORK/out"
mkdir -p "$out" "$WORK/content"
settings="[Setting]
TimeFormat=hh:mm
FileManger=/bin/true
[Color]
Bord=255
[ARC]
DecompFolder=$out/
FileFold=0"
write_cp932 "$PROGRAM/Tockara.ini" "$settings"
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
}
settings_kept() { # signal
  [ "$(ini_value "$PROGRAM/Tockara.ini" Color Bord)" = 255 ] || fail "Tockara.ini lost its face colour after SIG$1"
  [ "$(ini_value "$PROGRAM/Tockara.ini" Setting TimeFormat)" = hh:mm ] || fail "Tockara.ini lost its time format after SIG$1"
  [ "$(ini_value "$PROGRAM/Tockara.ini" ARC DecompFolder)" = "$out/" ] || fail "Tockara.ini lost its values after SIG$1"
}
# Whether one of the clock's message boxes (a dialog titled Tockara) is shown.
box_shown() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG && return 0
  done
  return 1
}

# During an extraction: the entry being written goes.
start_clock
drop_on_clock "$WORK/big.zip"
wait_until 30 entry_being_written "$out" || fail "the extraction did not start: $(ls -a "$out"; cat "$WORK/clock.log")"
kill -TERM "$CLOCK_PID"
ends_by_itself TERM
settings_kept TERM
compgen -G "$out/.tockara-*" >/dev/null && fail "the extraction left files of its own: $(ls -a "$out")"
[ -e "$out/big.bin" ] && [ "$(stat -c %s "$out/big.bin")" != 1000000000 ] && fail "a part of the entry was left as big.bin"
rm -f "$out/big.bin"

# Every other signal that would end a program.
for signal in INT HUP QUIT USR1 USR2 ALRM VTALRM PROF IO PWR STKFLT XCPU RTMIN RTMIN+7 RTMAX; do
  start_clock
  kill -s "$signal" "$CLOCK_PID"
  ends_by_itself "$signal"
  settings_kept "$signal"
done

# Ignored: the clock is still there to end by SIGTERM.
start_clock
kill -s PIPE "$CLOCK_PID"
kill -s XFSZ "$CLOCK_PID"
kill -s TERM "$CLOCK_PID"
ends_by_itself "PIPE, SIGXFSZ and SIGTERM"

# A start-up box about Tockara.ini: above 4 MB, then a FIFO (not written).
{ printf '[Color]\r\nBord=255\r\n'; head -c 5000000 /dev/zero | tr '\0' ';'; } > "$PROGRAM/Tockara.ini"
large=$(sha256sum < "$PROGRAM/Tockara.ini")
launch_clock
wait_until 20 box_shown || fail "no box about the large Tockara.ini"
kill -s TERM "$CLOCK_PID"
ends_by_itself "TERM at the box about a large Tockara.ini"
[ "$(sha256sum < "$PROGRAM/Tockara.ini")" = "$large" ] || fail "the large Tockara.ini was changed"
rm "$PROGRAM/Tockara.ini"
mkfifo "$PROGRAM/Tockara.ini"
launch_clock
wait_until 20 box_shown || fail "no box about the Tockara.ini that is a FIFO"
kill -s USR1 "$CLOCK_PID"
ends_by_itself "USR1 at the box about a FIFO Tockara.ini"
[ -p "$PROGRAM/Tockara.ini" ] || fail "the FIFO Tockara.ini was replaced"
rm "$PROGRAM/Tockara.ini"
write_cp932 "$PROGRAM/Tockara.ini" "$settings"

# The popup menu, then a settings page (アラーム設定, eight items down).
start_clock
xdotool mousemove 40 40 click 3 mousemove 700 600
wait_until 10 menus_open 1 || fail "no popup menu"
kill -s QUIT "$CLOCK_PID"
ends_by_itself "QUIT with the popup menu open"
start_clock
"$PROGRAM/tockara" --menu >"$WORK/menu.log" 2>&1 || fail "--menu failed: $(cat "$WORK/menu.log")"
wait_until 10 menus_open 1 || fail "--menu opened no menu"
xdotool key Down Down Down Down Down Down Down Down Return
wait_for_title 'Tockara \[設定\]' 10 >/dev/null || fail "no settings page"
kill -s USR2 "$CLOCK_PID"
ends_by_itself "USR2 with a settings page open"
settings_kept USR2

# The memo shown at start-up.
write_cp932 "$PROGRAM/Tockara.ini" "$settings
[Fusen]
0=歯医者"
launch_clock
wait_for_title 'ちょいメモ設定' 20 >/dev/null || fail "the memo was not shown at start-up"
kill -s ALRM "$CLOCK_PID"
ends_by_itself "ALRM with the memo open at start-up"
[ "$(ini_value "$PROGRAM/Tockara.ini" Fusen 0)" = 歯医者 ] || fail "the memo was lost"
write_cp932 "$PROGRAM/Tockara.ini" "$settings"

# The question about a name already taken: closed by the end, it extracts nothing.
printf 'mine\n' > "$out/a.txt"
printf 'theirs\n' > "$WORK/content/a.txt"
bsdtar --format zip -cf "$WORK/taken.zip" -C "$WORK/content" a.txt
start_clock
drop_on_clock "$WORK/taken.zip"
wait_until 20 box_shown || fail "no question about the taken name"
kill -s HUP "$CLOCK_PID"
ends_by_itself "HUP with the question about a taken name open"
[ "$(cat "$out/a.txt")" = mine ] || fail "the taken name was replaced"
[ "$(ls -A "$out")" = a.txt ] || fail "the question closed by the end extracted: $(ls -A "$out")"
echo "quit signals: ok"
