#!/usr/bin/env bash
# The clock's places are compared by identity, never by spelling: with the
# program folder (or the folder holding it) bind-mounted elsewhere and that
# spelling chosen as 解凍先フォルダ, an archive carrying the clock's own files
# lands in ~/Downloads and nothing of it in the program folder. The clock
# runs in a mount namespace of its own (root only: skipped elsewhere).
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
unshare -m true 2>/dev/null || { echo "no mount namespace here: skipped"; exit 77; }
start_display
start_window_manager

mkdir -p "$WORK/bin" "$HOME/bound"
cat > "$WORK/bin/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$@" >> "$WORK/opened.log"
SH
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"
DOWNLOADS="$HOME/Downloads"

python3 - "$WORK/clock-files.zip" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as z:
    for name in ("Wallpaper.ini", "NIKI2026.txt", "help/x.htm", "anime/x.ini", "platforms/libx.so"):
        z.writestr(name, "planted\n")
PY

# Starts the clock with SOURCE bind-mounted on $HOME/bound in its namespace.
launch_bound_clock() { # source
  unshare -m sh -c 'mount --make-rprivate / && mount --bind "$1" "$2" && exec "$3"' sh \
    "$1" "$HOME/bound" "$PROGRAM/tockara" >"$WORK/clock.log" 2>&1 &
  CLOCK_PID=$!
  PIDS+=($CLOCK_PID)
  wait_for_window
}

# round: what is bound, and 解凍先フォルダ (through the bound folder).
rounds=(
  "program|$HOME/bound/"
  "program|$HOME/bound/help/"
  "program|$HOME/bound/anime/../"
  "work|$HOME/bound/program/"
  "work|$HOME/bound//program/help//"
)
for round in "${rounds[@]}"; do
  IFS='|' read -r bound decomp <<< "$round"
  rm -rf "$DOWNLOADS" "$WORK/opened.log"
  make_program_folder
  mkdir -p "$PROGRAM/help" "$PROGRAM/anime"
  write_cp932 "$PROGRAM/Tockara.ini" "[ARC]
DecompFolder=$decomp
FileFold=0"
  source_folder=$PROGRAM
  [ "$bound" = work ] && source_folder=$WORK
  launch_bound_clock "$source_folder"
  # The settings are written back at start: the folder as it is then.
  before=$(cd "$PROGRAM" && find . -type f | sort | xargs sha256sum)
  drop_on_clock "$WORK/clock-files.zip"
  wait_until 20 test -s "$WORK/opened.log" \
    || fail "$round: the archive was not extracted ($(cat "$WORK/clock.log"))"
  [ "$(cat "$WORK/opened.log")" = "$DOWNLOADS/" ] || fail "$round: extracted into $(cat "$WORK/opened.log")"
  [ -f "$DOWNLOADS/Wallpaper.ini" ] && [ -f "$DOWNLOADS/help/x.htm" ] \
    || fail "$round: the archive's files are not in the download folder"
  [ "$(cd "$PROGRAM" && find . -type f | sort | xargs sha256sum)" = "$before" ] \
    || fail "$round: the program folder changed: $(cd "$PROGRAM" && find . -type f | sort)"
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" 10 || fail "$round: the clock did not end"
done
echo "archive bind mount: ok"
