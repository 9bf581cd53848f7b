#!/usr/bin/env bash
# A file dragged from another program and dropped on the clock becomes a
# launcher entry: it is written to Tockara.ini at once and its menu item
# starts it.
source "$(dirname "$0")/lib.sh"
start_display
make_program_folder
start_clock

mkdir -p "$WORK/drop"
cat > "$WORK/drop/hello.sh" <<'SH'
#!/bin/sh
pwd > ran.txt
SH
chmod +x "$WORK/drop/hello.sh"
"$(readlink -f "$2")" "$WORK/drop/hello.sh" >"$WORK/source.log" 2>&1 &
PIDS+=($!)
wait_for_title "drag source" >/dev/null || fail "the drag source did not appear"

# Press on the source, move onto the clock in steps, release over it.
xdotool mousemove 460 440 mousedown 1
for step in 420 360 280 200 120 60 45 40; do xdotool mousemove "$step" "$step"; sleep 0.1; done
sleep 0.3
xdotool mouseup 1
for _ in $(seq 50); do [ "$(ini_value "$PROGRAM/Tockara.ini" Lunch Count)" = 1 ] && break; sleep 0.1; done
[ "$(ini_value "$PROGRAM/Tockara.ini" Lunch Count)" = 1 ] || fail "the dropped file was not registered"
[ "$(ini_value "$PROGRAM/Tockara.ini" Lunch App01)" = "$WORK/drop/\`hello\`sh\`hello\`0\`$WORK/drop/\`" ] ||
  fail "entry 1 is $(ini_value "$PROGRAM/Tockara.ini" Lunch App01)"

xdotool mousemove 40 40 click 3
sleep 1
xdotool key Down Down Down Down Right Return
for _ in $(seq 50); do [ -s "$WORK/drop/ran.txt" ] && break; sleep 0.1; done
[ "$(cat "$WORK/drop/ran.txt" 2>/dev/null)" = "$WORK/drop" ] || fail "the menu item of the dropped file did not start it"
echo "drop on clock: ok"
