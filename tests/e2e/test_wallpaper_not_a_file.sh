#!/usr/bin/env bash
# A FIFO, a device or a socket typed as the wallpaper is refused at once with
# a message, the page stays open, and the clock goes on ticking: it never
# waits for a writer of the pipe or reads a device without end.
source "$(dirname "$0")/lib.sh"
unset XDG_CURRENT_DESKTOP
start_display
make_program_folder
start_clock
CLOCK_WINDOW=$WINDOW   # getwindowgeometry --shell below sets WINDOW too

mkfifo "$WORK/pipe.png"
ln -s /dev/zero "$WORK/zero.jpg"
python3 -c 'import socket,sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$WORK/socket.png"

# オプション (third from the bottom) > 壁紙設定 (fourth).
xdotool mousemove 40 40 click 3
sleep 1
xdotool key Up Up Up Right Down Down Down Return
PAGE=$(wait_for_title 'Tockara \[壁紙設定\]') || fail "the wallpaper page did not open"
eval "$(xdotool getwindowgeometry --shell "$PAGE")"
click_in_page() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep 0.3; }
message_boxes() { xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | grep -cvx "$CLOCK_WINDOW" || true; }
message_shown() { [ "$(message_boxes)" -gt "$baseline" ]; }

for file in "$WORK/pipe.png" "$WORK/zero.jpg" "$WORK/socket.png"; do
  click_in_page 120 27   # the file field
  xdotool key ctrl+a
  xdotool type "$file"
  click_in_page 48 91      # 中央に表示
  baseline=$(message_boxes)
  click_in_page 48 196     # 確定
  wait_until 5 message_shown || fail "$file was not refused at once"
  xdotool key Return
  wait_until 5 eval '! message_shown' || fail "the message about $file did not close"
  [ -n "$(visible_window 'Tockara \[壁紙設定\]')" ] || fail "the page closed on $file"
done
[ -e "$PROGRAM/Wallpaper.ini" ] && [ -n "$(ini_value "$PROGRAM/Wallpaper.ini" Desktop Wallpaper)" ] \
  && fail "a file that is no regular file was kept as the wallpaper"

# The clock still ticks: its second hand moves.
eval "$(xdotool getwindowgeometry --shell "$CLOCK_WINDOW")"
before=$(screenshot before)
wait_for_change ticking "$before" "${WIDTH}x${HEIGHT}+${X}+${Y}" 0 5 >/dev/null || fail "the clock stopped ticking (${WIDTH}x${HEIGHT}+${X}+${Y})"
echo "wallpaper that is no regular file: ok"
