#!/usr/bin/env bash
# The desktop's own files are read only as regular files within a limit: a
# FIFO user-dirs.dirs neither keeps the clock from showing its window nor an
# archive from being extracted into ~/Downloads, and a FIFO or a link to
# /dev/zero as recently-used.xbel leaves ランチャー > 最近使ったファイル opening
# at once. After each, the clock still answers: a SIGTERM ends it by itself.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
start_display
start_window_manager
make_program_folder

mkdir -p "$WORK/bin"
cat > "$WORK/bin/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$@" >> "$WORK/opened.log"
SH
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"
python3 - "$WORK/a.zip" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as z:
    z.writestr("a.txt", "a\n")
PY


# The clock ended by itself (status 0) once told to, so its event loop ran.
answers_and_ends() { # what
  local status=0
  kill -TERM "$CLOCK_PID"
  wait_until 10 ended "$CLOCK_PID" || fail "$1: the clock no longer answers"
  wait "$CLOCK_PID" || status=$?
  [ "$status" = 0 ] || fail "$1: the clock ended with status $status"
}

# A FIFO and a link to one as user-dirs.dirs: the window shows, an archive
# goes to ~/Downloads.
mkfifo "$WORK/fifo"
for kind in fifo link; do
  rm -rf "$XDG_CONFIG_HOME/user-dirs.dirs" "$WORK/opened.log" "$HOME/Downloads"
  if [ "$kind" = fifo ]; then mkfifo "$XDG_CONFIG_HOME/user-dirs.dirs"; else ln -s "$WORK/fifo" "$XDG_CONFIG_HOME/user-dirs.dirs"; fi
  start_clock
  drop_on_clock "$WORK/a.zip"
  wait_until 20 test -s "$WORK/opened.log" || fail "user-dirs.dirs $kind: the archive was not extracted"
  [ "$(cat "$WORK/opened.log")" = "$HOME/Downloads/" ] || fail "user-dirs.dirs $kind: extracted into $(cat "$WORK/opened.log")"
  answers_and_ends "user-dirs.dirs $kind"
done
rm -f "$XDG_CONFIG_HOME/user-dirs.dirs"

# The recently-used list as a FIFO and as a link to a device without end.
recent="$XDG_DATA_HOME/recently-used.xbel"
for kind in fifo zero; do
  rm -f "$recent"
  if [ "$kind" = fifo ]; then mkfifo "$recent"; else ln -s /dev/zero "$recent"; fi
  start_clock
  xdotool mousemove 40 40 click 3 mousemove 700 600
  wait_until 10 menus_open 1 || fail "recent $kind: no menu"
  # ランチャー, then 最近使ったファイル (its second item).
  xdotool key Down Down Down Down Right
  wait_until 10 menus_open 2 || fail "recent $kind: ランチャー did not open"
  xdotool key Down Right
  wait_until 10 menus_open 3 || fail "recent $kind: 最近使ったファイル did not open (screen: $(screenshot "stuck_$kind"))"
  rss=$(awk '/VmRSS/ { print $2 }' "/proc/$CLOCK_PID/status")
  [ "$rss" -lt 400000 ] || fail "recent $kind: the clock grew to $rss kB"
  answers_and_ends "recently-used.xbel $kind"
done
echo "desktop files not regular: ok"
