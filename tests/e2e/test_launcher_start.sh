#!/usr/bin/env bash
# A script registered in the launcher is started from "ランチャー" in its work
# folder, which differs from the script's own folder; its path has a blank,
# which no shell ever sees.
source "$(dirname "$0")/lib.sh"
start_display
make_program_folder

mkdir -p "$WORK/my tools" "$WORK/place"
cat > "$WORK/my tools/report.sh" <<'SH'
#!/bin/sh
pwd > ran.txt
SH
chmod +x "$WORK/my tools/report.sh"
write_cp932 "$PROGRAM/Tockara.ini" "[Lunch]
Count=1
App01=$WORK/my tools/\`report\`sh\`報告\`0\`$WORK/place\`"
start_clock

# ランチャー is the fourth item; its first item is the entry.
xdotool mousemove 40 40 click 3
sleep 1
xdotool key Down Down Down Down Right
sleep 0.5
cp "$(screenshot launcher_menu)" "${TOCKARA_E2E_SHOTS:-$WORK}/launcher_menu.png" 2>/dev/null || true
xdotool key Return
for _ in $(seq 50); do [ -s "$WORK/place/ran.txt" ] && break; sleep 0.1; done
[ -s "$WORK/place/ran.txt" ] || fail "the registered script did not run in its work folder"
[ "$(cat "$WORK/place/ran.txt")" = "$WORK/place" ] || fail "the script ran in $(cat "$WORK/place/ran.txt")"
[ ! -e "$WORK/my tools/ran.txt" ] || fail "the script ran in its own folder"
echo "launcher start: ok"
