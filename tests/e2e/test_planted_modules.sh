#!/usr/bin/env bash
# An archive that holds shared objects named like the clock's modules, dropped
# with the default settings, extracts them into the download folder, never
# beside the clock. After a restart the next archive is extracted by the
# clock's own module: the planted code never runs.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
start_display
start_window_manager
make_program_folder

# The planted code leaves a mark when it is loaded.
marker="$WORK/planted-code-ran"
mkdir -p "$WORK/planted"
cat > "$WORK/planted.c" <<C
#include <stdio.h>
__attribute__((constructor)) static void planted(void)
{
    FILE *mark = fopen("$marker", "w");
    if (mark)
        fclose(mark);
}
C
for module in libarchive cdaudio sound; do
  cc -shared -fPIC -o "$WORK/planted/libtockara_$module.so" "$WORK/planted.c" || fail "no compiler for the planted module"
done
mkdir -p "$WORK/planted/modules" "$WORK/planted/lib/tockara/modules"
cp "$WORK/planted"/*.so "$WORK/planted/modules/"
cp "$WORK/planted"/*.so "$WORK/planted/lib/tockara/modules/"
bsdtar --format zip -cf "$WORK/tools.zip" -C "$WORK/planted" libtockara_libarchive.so libtockara_cdaudio.so \
  libtockara_sound.so modules lib
mkdir -p "$WORK/second"
printf 'second\n' > "$WORK/second/readme.txt"
bsdtar --format zip -cf "$WORK/second.zip" -C "$WORK/second" readme.txt

# The file manager only records what it is asked to show.
cat > "$WORK/file-manager" <<'SH'
#!/bin/sh
printf '%s\n' "$@" >> "$(dirname "$0")/file-manager.log"
SH
chmod +x "$WORK/file-manager"
write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
FileManger=$WORK/file-manager"

DOWNLOADS="$HOME/Downloads"
start_clock
drop_on_clock "$WORK/tools.zip"
wait_for_file "$DOWNLOADS/libtockara_libarchive.so" 60 || fail "the first archive was not extracted"
wait_for_file "$DOWNLOADS/modules/libtockara_libarchive.so" || fail "the first archive was not extracted whole"
[ -e "$PROGRAM/libtockara_libarchive.so" ] || [ -e "$PROGRAM/modules" ] && fail "the archive wrote beside the clock"

# A restart, and the next archive.
kill "$CLOCK_PID"; wait "$CLOCK_PID" 2>/dev/null || true
start_clock
drop_on_clock "$WORK/second.zip"
wait_for_file "$DOWNLOADS/readme.txt" 60 || fail "the second archive was not extracted: $(cat "$WORK/clock.log"; ls "$PROGRAM"; cat "$WORK/file-manager.log")"
[ "$(cat "$DOWNLOADS/readme.txt")" = second ] || fail "the second archive was extracted wrong"
[ -e "$marker" ] && fail "the planted module was loaded"
ps -p "$CLOCK_PID" >/dev/null || fail "the clock ended"
echo "planted modules: ok"
