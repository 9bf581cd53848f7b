#!/usr/bin/env bash
# Message boxes show their whole text, without and with a window manager:
# the start-up warning about a settings file over 4 MB, whose folder path is
# longer than a line, and an alarm whose comment takes two lines. Each text
# carries a row of five black squares (the end of the comment, inside the
# path); each box shows all five on the screen, is no wider than two thirds
# of the screen, lies on it and (the alarm) beside the clock, not over it.
source "$(dirname "$0")/lib.sh"
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1)
[ -n "$FAKETIME_LIB" ] || fail "libfaketime is not installed"
MARK="■■■■■"

start_display
make_program_folder
# The program folder deep down a path that runs past a line of the box.
LONG="$WORK/長いフォルダの名前長いフォルダの名前長いフォルダの名前/$MARK 長いフォルダの名前長いフォルダの名前長いフォルダの名前"
mkdir -p "$(dirname "$LONG")"
mv "$PROGRAM" "$LONG"
PROGRAM=$LONG

# Window $1 shows the five squares whole, within two thirds of the 1024 x
# 768 screen's width and on it; its screenshot is kept as $2.
check_box() { # window name
  local shot x y w h squares
  wait_for_painted "$1" || fail "$2: the box was not drawn"
  shot=$(screenshot "$2")
  cp "$shot" "${TOCKARA_E2E_SHOTS:-$WORK}/box_$2.png" 2>/dev/null || true
  squares=$(squares_shown "$shot" "$1")
  [ "$squares" = 5 ] || fail "$2: the box shows $squares of the 5 squares of its text (screen: $shot)"
  read -r x y <<<"$(window_origin "$1")"
  read -r w h <<<"$(xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')"
  ((w <= 1024 * 2 / 3)) || fail "$2: the box is $w pixels wide"
  ((x >= 0 && y >= 0 && x + w <= 1024 && y + h <= 768)) || fail "$2: the box at ${w}x$h+$x+$y leaves the screen"
  echo "$2: ${w}x$h+$x+$y"
}

# Starts the clock at 09:59:55 of today's date, an alarm at 10:00.
launch_clock_before_ten() {
  LD_PRELOAD="$FAKETIME_LIB" FAKETIME="@$(date +%F) 09:59:55" FAKETIME_DONT_FAKE_MONOTONIC=1 launch_clock
}

for session in bare openbox; do
  [ "$session" = openbox ] && start_window_manager

  # A settings file over 4 MB: the warning names it, path and all.
  head -c 5000000 /dev/zero | tr '\0' a > "$PROGRAM/Tockara.ini"
  launch_clock
  wait_until 20 box_window >/dev/null || fail "$session: no warning about the large settings file"
  box=$(box_window)
  check_box "$box" "large_settings_$session"
  xdotool key --window "$box" Return 2>/dev/null || true
  wait_until 10 eval '! box_window >/dev/null' || fail "$session: Return did not close the warning"
  wait_for_window
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" || fail "the clock did not end"

  # An alarm whose comment takes two lines, at 10:00, the clock at (400, 300).
  write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
Left=6000
Top=4500
[Alarm]
Enabled=1
Time=10:00
Comment=$(printf '会議室Ａで週次の進捗会議があります。%.0s' 1 2 3 4)$MARK"
  launch_clock_before_ten
  wait_for_window
  wait_until 30 box_window >/dev/null || fail "$session: the alarm box did not appear"
  box=$(box_window)
  check_box "$box" "alarm_$session"
  read -r x y <<<"$(window_origin "$box")"
  read -r w h <<<"$(xwininfo -id "$box" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')"
  ((x >= 480 || x + w <= 400 || y >= 380 || y + h <= 300)) || fail "$session: the alarm box ${w}x$h+$x+$y covers the clock"
  xdotool key --window "$box" Return 2>/dev/null || true
  wait_until 10 eval '! box_window >/dev/null' || fail "$session: Return did not close the alarm box"
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" || fail "the clock did not end"
done
echo "message boxes: ok"
