#!/usr/bin/env bash
# On a bare X server, the box the clock shows at start-up about a Tockara.ini
# above 4 MB shows its whole text:
# the program folder lies down a path longer than a line of the box, with
# no room for a line break in its last half, which ends in five black
# squares. The box holds its text and its button wholly inside it (as a
# screen reader finds them), lies on the 1024 x 768 screen, is no wider than
# two thirds of it, and the screen shows all five squares of the path.
source "$(dirname "$0")/lib.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
probe() { /usr/bin/python3 "$(dirname "$0")/accessibility.py" "$@"; }
MARK="■■■■■"

start_display
make_program_folder
# A name wider than the screen that offers no line break (the toolkit's own
# box widens past the screen for it and cuts it), and a Japanese one.
name=the_program_folder_of_the_clock_down_a_path_that_runs_past_a_line_of_its_box
name=${name}_$name
LONG="$WORK/長いフォルダの名前/$name$MARK"
mkdir -p "$WORK/長いフォルダの名前"
mv "$PROGRAM" "$LONG"
PROGRAM=$LONG

# Whether a shown window of the clock has the place "W H X Y"; sets FOUND.
window_at() { # w h x y
  local id
  for id in $(xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null); do
    [ "$(window_size "$id") $(window_origin "$id")" = "$*" ] && { FOUND=$id; return 0; }
  done
  return 1
}
window_size() {
  xwininfo -id "$1" 2>/dev/null | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }'
}
# Whether the screen shows all the squares of box $1; sets SHOT.
shows_squares() { # box
  SHOT=$(screenshot box)
  [ "$(squares_shown "$SHOT" "$1")" = 5 ]
}
gone() { ! xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | grep -qx "$1"; }

# Starts the clock with Tockara.ini made by command $2...; the box whose
# text holds the file's path is checked as above, closed with Return, and
# the clock then runs.
check_start_box() { # name command...
  local name=$1 place w h x y box
  shift
  rm -f "$PROGRAM/Tockara.ini"
  "$@"
  launch_clock
  place=$(probe --timeout 20 box --part "$PROGRAM/Tockara.ini") || fail "$name: no box holds its whole text"
  read -r w h x y <<<"$(sed 's/[x+]/ /g' <<<"$place")"
  FOUND=
  wait_until 10 window_at "$w" "$h" "$x" "$y" || fail "$name: no window has the box's place $place"
  box=$FOUND
  ((w <= 1024 * 2 / 3)) || fail "$name: the box is $w pixels wide"
  ((x >= 0 && y >= 0 && x + w <= 1024 && y + h <= 768)) || fail "$name: the box at $place leaves the screen"
  wait_until 10 shows_squares "$box" \
    || fail "$name: the box at $place shows $(squares_shown "$SHOT" "$box") of the 5 squares of its text"
  cp "$SHOT" "${TOCKARA_E2E_SHOTS:-$WORK}/box_start_$name.png" 2>/dev/null || true
  echo "$name: $place"
  # The box is given the keyboard, again should a try come before it takes
  # keys. (The box closes on the press: the release then finds no window.)
  for _ in 1 2 3; do
    xdotool windowfocus "$box" 2>/dev/null || true
    xdotool key --window "$box" Return 2>/dev/null || true
    wait_until 5 gone "$box" && break
  done
  gone "$box" || fail "$name: Return did not close the box"
  wait_for_window
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" || fail "$name: the clock did not end"
}

too_large() { head -c 5000000 /dev/zero | tr '\0' ';' >"$PROGRAM/Tockara.ini"; }
check_start_box too_large too_large
echo "message boxes: ok"
