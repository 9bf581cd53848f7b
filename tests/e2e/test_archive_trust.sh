#!/usr/bin/env bash
# Dropped archives never write where the clock keeps its state or code. With
# the default settings, and again with the extraction folder set by hand to
# the program folder, an archive carrying the clock's own files (settings
# that name a planted file manager and the autostart folder, a diary, the
# holidays, a program named like the clock, a toolkit plugin and qt.conf)
# is extracted into the download folder and changes none of them; after a
# restart a second archive (an executable autostart entry) lands there too,
# not executable, and nothing planted ever runs. Last, an archive's
# executable launcher extracted into the desktop folder runs nothing from
# ランチャー > デスクトップ.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
start_display
start_window_manager

# The desktop's opener (the default file manager) records the folders shown.
mkdir -p "$WORK/bin" "$HOME/Desktop"
cat > "$WORK/bin/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$@" >> "$WORK/opened.log"
SH
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"
DOWNLOADS="$HOME/Downloads"
AUTOSTART="$XDG_CONFIG_HOME/autostart"

# zip_of ARCHIVE NAME=MODE:CONTENT... (content "@file" copies a file)
zip_of() {
  python3 - "$@" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as z:
    for spec in sys.argv[2:]:
        name, rest = spec.split("=", 1)
        mode, content = rest.split(":", 1)
        data = open(content[1:], "rb").read() if content.startswith("@") else content.encode()
        info = zipfile.ZipInfo(name)
        info.create_system = 3
        info.external_attr = int(mode, 8) << 16
        z.writestr(info, data)
PY
}

planted_ini=$(printf '[Setting]\r\nFileManger=/bin/sh -c "touch %s/planted-file-manager"\r\n[ARC]\r\nDecompFolder=%s/\r\n' \
  "$WORK" "$AUTOSTART")
zip_of "$WORK/first.zip" \
  "Tockara.ini=644:$planted_ini" \
  "NIKI2026.txt=644:planted diary" \
  "Calender.ini=644:planted holidays" \
  "tockara=755:#!/bin/sh
touch $WORK/planted-program" \
  "platformthemes/libx.so=755:not a plugin" \
  "qt.conf=644:[Paths]
Plugins=/nonexistent"
zip_of "$WORK/second.zip" "autostart-me.desktop=755:[Desktop Entry]
Type=Application
Name=planted
Exec=touch $WORK/planted-autostart"

# The count is read anew at each try.
shown_at_least() { # count
  [ -f "$WORK/opened.log" ] && [ "$(wc -l < "$WORK/opened.log")" -ge "$1" ]
}
wait_for_shown() { # count
  wait_until 20 shown_at_least "$1"
}

# Ends the clock as the desktop does at logout, and waits for it alone (the
# session's other processes go on).
stop_clock() {
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" 10 || fail "the clock did not end"
}
restart_clock() {
  stop_clock
  start_clock
}

for round in default program-folder; do
  rm -rf "$DOWNLOADS" "$WORK/opened.log"
  make_program_folder
  printf 'the diary\r\n' > "$PROGRAM/NIKI2026.txt"
  [ "$round" = program-folder ] && write_cp932 "$PROGRAM/Tockara.ini" "[ARC]
DecompFolder=$PROGRAM/"
  start_clock
  before=$(cd "$PROGRAM" && sha256sum NIKI2026.txt Calender.ini tockara)

  drop_on_clock "$WORK/first.zip"
  wait_for_shown 1 || fail "$round: the first archive was not extracted ($(cat "$WORK/clock.log"); $(ls -laR "$DOWNLOADS" 2>&1))"
  [ "$(sed -n 1p "$WORK/opened.log")" = "$DOWNLOADS/" ] || fail "$round: extracted into $(cat "$WORK/opened.log")"
  [ -f "$DOWNLOADS/platformthemes/libx.so" ] || fail "$round: the archive's files are not in the download folder"
  restart_clock

  drop_on_clock "$WORK/second.zip"
  wait_for_shown 2 || fail "$round: the second archive was not extracted"
  [ "$(sed -n 2p "$WORK/opened.log")" = "$DOWNLOADS/" ] || fail "$round: the second archive went to $(sed -n 2p "$WORK/opened.log")"
  [ -f "$DOWNLOADS/autostart-me.desktop" ] || fail "$round: the autostart entry was not extracted"
  [ -x "$DOWNLOADS/autostart-me.desktop" ] && fail "$round: an extracted file is executable"
  [ -x "$DOWNLOADS/tockara" ] && fail "$round: the extracted program is executable"
  restart_clock

  [ "$(cd "$PROGRAM" && sha256sum NIKI2026.txt Calender.ini tockara)" = "$before" ] \
    || fail "$round: the clock's files changed"
  for planted in qt.conf platformthemes; do
    [ -e "$PROGRAM/$planted" ] && fail "$round: $planted landed beside the clock"
  done
  ini_is "$PROGRAM/Tockara.ini" Setting FileManger xdg-open || fail "$round: the file manager setting changed"
  ini_value "$PROGRAM/Tockara.ini" ARC DecompFolder | grep -q autostart && fail "$round: the extraction folder became the autostart folder"
  [ -z "$(ls -A "$AUTOSTART" 2>/dev/null)" ] || fail "$round: something landed in the autostart folder: $(ls -A "$AUTOSTART")"
  stop_clock
done
for marker in planted-file-manager planted-program planted-autostart; do
  [ -e "$WORK/$marker" ] && fail "planted code ran ($marker)"
done

# An executable launcher from an archive, extracted into the desktop folder,
# is not executable and runs nothing from ランチャー > デスクトップ.
# (The opener's log goes too: the rounds above left lines in it that would
# answer the wait below before the extraction ended.)
rm -rf "$DOWNLOADS" "$WORK/opened.log"
zip_of "$WORK/launcher.zip" "invoice.pdf.desktop=755:[Desktop Entry]
Type=Application
Name=invoice
Exec=touch $WORK/planted-launcher"
write_cp932 "$PROGRAM/Tockara.ini" "[ARC]
DecompFolder=$HOME/Desktop/"
start_clock
drop_on_clock "$WORK/launcher.zip"
wait_for_shown 1 || fail "the launcher archive was not extracted"
[ -f "$HOME/Desktop/invoice.pdf.desktop" ] || fail "the launcher is not in the desktop folder"
[ -x "$HOME/Desktop/invoice.pdf.desktop" ] && fail "the extracted launcher is executable"
xdotool mousemove 40 40 click 3
sleep 1
xdotool key Down Down Down Down Right
sleep 0.5
# ランチャー has no entries of its own: デスクトップ is its first item, and
# the launcher the first item there.
xdotool key Right
sleep 0.5
xdotool key Return
# The clock's boxes and the clock share the title "Tockara".
boxes() { xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | wc -l; }
# Asked anew at each try of wait_until.
boxes_at_least() { [ "$(boxes)" -ge "$1" ]; }
boxes_at_most() { [ "$(boxes)" -le "$1" ]; }
wait_until 10 boxes_at_least 2 || fail "no untrusted-launcher warning was shown (screen: $(screenshot launcher))"
xdotool key Return
wait_until 10 boxes_at_most 1 || fail "the warning did not close"
[ -e "$WORK/planted-launcher" ] && fail "the extracted launcher ran"
ps -p "$CLOCK_PID" >/dev/null || fail "the clock ended"
echo "archive trust: ok"
