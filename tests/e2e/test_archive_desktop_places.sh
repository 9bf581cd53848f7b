#!/usr/bin/env bash
# Dropped archives never plant what the desktop runs. With 解凍先フォルダ set
# to the desktop's settings or data folder (as named, through a link, the
# runtime folder, a hidden folder of the home folder), and with the download
# folder pointed there by user-dirs.dirs, an archive holding session
# environment, D-Bus services, launchers, window manager start files, units
# and MIME defaults is extracted into ~/Downloads instead, and nothing of it
# lands where the desktop reads it.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
start_display
start_window_manager

mkdir -p "$WORK/bin"
cat > "$WORK/bin/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$@" >> "$WORK/opened.log"
SH
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"
DOWNLOADS="$HOME/Downloads"
ln -s "$XDG_CONFIG_HOME" "$HOME/cfg"

planted=(environment.d/90-x.conf dbus-1/services/x.service applications/firefox-esr.desktop
         openbox/autostart systemd/user.control/x.service mimeapps.list plasma-workspace/env/x.sh)
python3 - "$WORK/planted.zip" "${planted[@]}" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as z:
    for name in sys.argv[2:]:
        z.writestr(name, "planted\n")
PY

# round: the 解凍先フォルダ setting, the user-dirs.dirs download folder (or
# none), and the folder the desktop reads, where none of it may land.
rounds=(
  "$XDG_CONFIG_HOME/||$XDG_CONFIG_HOME"
  "$XDG_DATA_HOME/||$XDG_DATA_HOME"
  "|\$HOME/.config|$XDG_CONFIG_HOME"
  "~/cfg/||$XDG_CONFIG_HOME"
  "$XDG_RUNTIME_DIR/||$XDG_RUNTIME_DIR"
  "~/.local/||$HOME/.local"
  "$HOME/.ssh/|\$HOME/.local/share|$HOME/.ssh"
)
for round in "${rounds[@]}"; do
  IFS='|' read -r decomp named kept <<< "$round"
  rm -rf "$DOWNLOADS" "$WORK/opened.log" "$XDG_CONFIG_HOME/user-dirs.dirs"
  mkdir -p "$kept"
  [ -n "$named" ] && printf 'XDG_DOWNLOAD_DIR="%s"\n' "$named" > "$XDG_CONFIG_HOME/user-dirs.dirs"
  make_program_folder
  write_cp932 "$PROGRAM/Tockara.ini" "[ARC]
DecompFolder=$decomp
FileFold=0"
  start_clock
  drop_on_clock "$WORK/planted.zip"
  wait_until 20 test -s "$WORK/opened.log" \
    || fail "$round: the archive was not extracted ($(cat "$WORK/clock.log"))"
  [ "$(cat "$WORK/opened.log")" = "$DOWNLOADS/" ] || fail "$round: extracted into $(cat "$WORK/opened.log")"
  for name in "${planted[@]}"; do
    [ -f "$DOWNLOADS/$name" ] || fail "$round: $name is not in the download folder"
  done
  for name in "${planted[@]}"; do
    [ -e "$kept/$name" ] && fail "$round: $name landed in $kept"
  done
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" 10 || fail "$round: the clock did not end"
done
echo "archive desktop places: ok"
