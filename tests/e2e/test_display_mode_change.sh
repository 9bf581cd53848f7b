#!/usr/bin/env bash
# On the test's own virtual display, given two more modes: 画面解像度 sets a
# mode and asks whether to keep it. Unanswered, or answered いいえ, the old
# mode comes back and the clock stands where it stood; はい keeps it. A clock
# dragged to 850,620 is brought wholly onto the 640×480 screen, its stored
# position with it. Only this test's Xvfb changes its mode.
source "$(dirname "$0")/lib.sh"
start_display
xrandr --newmode tockara800 40 800 840 968 1056 600 601 605 628
xrandr --addmode screen tockara800
xrandr --newmode tockara640 25.175 640 656 752 800 480 490 492 525
xrandr --addmode screen tockara640
make_program_folder
start_clock

screen_size() { xdpyinfo | awk '/dimensions:/ {print $2}'; }
screen_is() { [ "$(screen_size)" = "$1" ]; }
position() { xdotool getwindowgeometry "$WINDOW" | awk '/Position:/ {print $2}'; }
window_at() { [ "$(position)" = "$1" ]; }
stored() { echo "$(ini_value "$PROGRAM/Tockara.ini" Setting Left),$(ini_value "$PROGRAM/Tockara.ini" Setting Top)"; }
stored_is() { [ "$(stored)" = "$1" ]; }
# The question is the one other window titled Tockara while the pointer is
# off the clock.
question() { xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | grep -vx "$WINDOW" | head -1 || true; }
asked() { [ -n "$(question)" ]; }
not_asked() { [ -z "$(question)" ]; }
# What the screen and the clock are like now.
state() { echo "screen $(screen_size), clock at $(position), stored $(stored), question ${QUESTION:-none}"; }

# 画面解像度 is the seventh item; Right opens it on its first mode, the
# screen's own 1024×768; 800×600 and 640×480 follow it.
choose_mode() { # downs
  local x y
  IFS=, read -r x y < <(position)
  xdotool mousemove $((x + 40)) $((y + 40)) click 3
  sleep 1
  xdotool key Down Down Down Down Down Down Down Right
  sleep 0.5
  for ((i = 0; i < $1; i++)); do xdotool key Down; done
  # Off the clock, so that its hover window (titled Tockara too) goes.
  xdotool key Return mousemove 630 5
  wait_until 10 asked || fail "no question after the change ($(state))"
  QUESTION=$(question)
}

# Dragged to 850,620 (grabbed at its middle, 40,40).
xdotool mousemove 40 40 mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((40 + step * 170)) $((40 + step * 124)) sleep 0.1; done
xdotool mouseup 1
wait_until 10 window_at 850,620 || fail "the drag did not reach 850,620 ($(state))"
wait_until 10 stored_is 12750,9300 || fail "the drag was not stored ($(state))"

# 640×480, unanswered: the clock stands wholly on the smaller screen until
# the old mode comes back by itself.
choose_mode 2
screen_is 640x480 || fail "640×480 was not set ($(state))"
wait_until 10 window_at 560,400 || fail "the clock is not wholly on the 640×480 screen ($(state))"
wait_until 10 stored_is 8400,6000 || fail "the clock's new place was not stored ($(state))"
cp "$(screenshot asked)" "${TOCKARA_E2E_SHOTS:-$WORK}/display_mode_question.png" 2>/dev/null || true
read -r qx qy qw qh < <(xwininfo -id "$QUESTION" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                                                        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
((qx >= 0 && qy >= 0 && qx + qw <= 640 && qy + qh <= 480)) || fail "the question is off the screen at $qx,$qy ${qw}x$qh"
sleep 2
screen_is 640x480 && asked || fail "the question did not wait for an answer ($(state))"
wait_until 30 screen_is 1024x768 || fail "without an answer the old mode did not come back ($(state))"
wait_until 10 not_asked || fail "the question stayed after the old mode came back ($(state))"
wait_until 10 window_at 850,620 || fail "the clock did not go back to where it stood ($(state))"
wait_until 10 stored_is 12750,9300 || fail "the clock's place was not stored back ($(state))"

# 800×600 answered いいえ: the old mode at once.
choose_mode 1
screen_is 800x600 || fail "800×600 was not set ($(state))"
xdotool key n
wait_until 10 screen_is 1024x768 || fail "いいえ did not bring the old mode back ($(state))"
wait_until 10 not_asked || fail "the question stayed after いいえ ($(state))"

# 640×480 answered はい: kept, the clock where the smaller screen shows it.
choose_mode 2
xdotool key y
wait_until 10 not_asked || fail "the question stayed after はい ($(state))"
sleep 1
screen_is 640x480 || fail "はい did not keep 640×480 ($(state))"
window_at 560,400 && stored_is 8400,6000 || fail "the clock did not stay on the smaller screen ($(state))"

# And back to 1024×768, kept.
choose_mode 0
xdotool key y
wait_until 10 not_asked || fail "the question stayed after はい ($(state))"
screen_is 1024x768 || fail "1024×768 was not set again ($(state))"
# A failure would have opened a message box beside the clock.
sleep 1
not_asked || fail "a message was shown ($(state))"
echo "display mode change: ok"
