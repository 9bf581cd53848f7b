#!/usr/bin/env bash
# What the launcher starts is what the user made a program: an executable
# "notes.txt" that starts with "#!" is opened as the document it is named,
# a desktop launcher without its executable bit runs nothing, and a trusted
# launcher's program comes from the search path, not from the desktop folder.
source "$(dirname "$0")/lib.sh"
start_display
start_window_manager
make_program_folder

# The desktop's opener only records what it is asked to open.
mkdir -p "$WORK/bin" "$WORK/docs" "$HOME/Desktop"
cat > "$WORK/bin/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$@" >> "$WORK/opened.log"
SH
cat > "$WORK/bin/marker-tool" <<SH
#!/bin/sh
touch "$WORK/ran-from-path"
SH
chmod +x "$WORK/bin/xdg-open" "$WORK/bin/marker-tool"
export PATH="$WORK/bin:$PATH"

cat > "$WORK/docs/notes.txt" <<SH
#!/bin/sh
touch "$WORK/ran-notes"
SH
chmod +x "$WORK/docs/notes.txt"
printf '[Desktop Entry]\nType=Application\nName=invoice\nExec=sh -c "touch %s/ran-untrusted"\n' "$WORK" \
  > "$HOME/Desktop/invoice.pdf.desktop"
chmod 644 "$HOME/Desktop/invoice.pdf.desktop"
printf '[Desktop Entry]\nType=Application\nName=runner\nExec=marker-tool\n' > "$HOME/Desktop/runner.desktop"
chmod 755 "$HOME/Desktop/runner.desktop"
cat > "$HOME/Desktop/marker-tool" <<SH
#!/bin/sh
touch "$WORK/ran-planted"
SH
chmod +x "$HOME/Desktop/marker-tool"

write_cp932 "$PROGRAM/Tockara.ini" "[Lunch]
Count=1
App01=$WORK/docs/\`notes\`txt\`notes\`1\`$WORK/docs\`"
start_clock

# ランチャー (the fourth item) > 1. notes
xdotool mousemove 40 40 click 3
sleep 1
xdotool key Down Down Down Down Right
sleep 0.5
xdotool key Return
wait_for_file "$WORK/opened.log" 10 || fail "notes.txt did not reach the document opener"
[ "$(cat "$WORK/opened.log")" = "$WORK/docs/notes.txt" ] || fail "the opener was asked for $(cat "$WORK/opened.log")"
sleep 0.5
[ -e "$WORK/ran-notes" ] && fail "notes.txt was run"

# ランチャー > デスクトップ > invoice.pdf: a message, nothing runs.
xdotool mousemove 40 40 click 3
sleep 1
xdotool key Down Down Down Down Right
sleep 0.5
xdotool key Down Right
sleep 0.5
xdotool key Return
sleep 1.5
shot=$(screenshot untrusted)
cp "$shot" "${TOCKARA_E2E_SHOTS:-$WORK}/untrusted_launcher.png" 2>/dev/null || true
xdotool key Return
sleep 0.5
[ -e "$WORK/ran-untrusted" ] && fail "the untrusted launcher ran (screen: $shot)"
[ "$(wc -l < "$WORK/opened.log")" = 1 ] || fail "the untrusted launcher was opened: $(cat "$WORK/opened.log")"

# ランチャー > デスクトップ > runner (after invoice.pdf and marker-tool): its
# program from the search path.
xdotool mousemove 40 40 click 3
sleep 1
xdotool key Down Down Down Down Right
sleep 0.5
xdotool key Down Right
sleep 0.5
xdotool key Down Down Return
wait_for_file "$WORK/ran-from-path" 10 || fail "the trusted launcher did not run its program"
[ -e "$WORK/ran-planted" ] && fail "the program beside the launcher ran"
ps -p "$CLOCK_PID" >/dev/null || fail "the clock ended"
echo "launcher trust: ok"
