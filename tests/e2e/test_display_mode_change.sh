#!/usr/bin/env bash
# On the test's own virtual display, given a second mode: 画面解像度 sets
# 800×600, and afterwards 1024×768 again, each without a message. Only this
# test's Xvfb changes its mode.
source "$(dirname "$0")/lib.sh"
start_display
xrandr --newmode tockara800 40 800 840 968 1056 600 601 605 628
xrandr --addmode screen tockara800
make_program_folder
start_clock

screen_size() { xdpyinfo | awk '/dimensions:/ {print $2}'; }
screen_is() { [ "$(screen_size)" = "$1" ]; }

# 画面解像度 is the seventh item; Right opens it on its first mode, the
# screen's own 1024×768; 800×600 follows it.
choose_mode() { # downs
  xdotool mousemove 40 40 click 3
  sleep 1
  xdotool key Down Down Down Down Down Down Down Right
  sleep 0.5
  for ((i = 0; i < $1; i++)); do xdotool key Down; done
  xdotool key Return
}

choose_mode 1
wait_until 10 screen_is 800x600 || fail "800×600 was not set (the screen is $(screen_size))"
sleep 1
choose_mode 0
wait_until 10 screen_is 1024x768 || fail "1024×768 was not set again (the screen is $(screen_size))"
sleep 1
# A failure would have opened a message box beside the clock.
boxes=$(xdotool search --onlyvisible --name '^Tockara$' | grep -cvx "$WINDOW" || true)
[ "$boxes" -eq 0 ] || fail "a message was shown"
echo "display mode change: ok"
