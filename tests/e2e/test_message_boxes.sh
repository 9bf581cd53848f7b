#!/usr/bin/env bash
# Message boxes of several kinds with long texts show their whole text, on a
# bare X server and under openbox: the start-up boxes about a Tockara.ini
# above 4 MB and one that is a pipe (the program folder lies down a path
# longer than a line of the box, with no room for a line break in its last
# half), the question about names an archive dropped on the clock shares
# with files already in the extraction folder (names longer than a line),
# and an alarm's box with a comment of 50 Japanese characters. Each long
# text ends in five black squares. Each box holds its text and its buttons
# wholly inside it (as a screen reader finds them), lies on the 1024 x 768
# screen with its title bar, is no wider than two thirds of it, and the
# screen shows all five squares; a key closes it.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1)
[ -n "$FAKETIME_LIB" ] || fail "libfaketime is not installed"
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
SESSION=bare

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
# The borders the window manager draws around window $1: "LEFT RIGHT TOP BOTTOM".
frame_of() {
  xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d , | grep . || echo 0 0 0 0
}
# Whether the screen shows all the squares of box $1; sets SHOT.
shows_squares() { # box
  SHOT=$(screenshot box)
  [ "$(squares_shown "$SHOT" "$1")" = 5 ]
}
gone() { ! xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | grep -qx "$1"; }
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Checks the box of case NAME whose text holds TEXT as above and closes it
# with KEY. The key goes to the focused box through the keyboard, press and
# release alike: a key sent to a named window is released by a message to
# it, and when the press has closed the box by then the key stays down on
# the server, whose repeat then answers the next box.
check_box() { # name text key
  local name="$SESSION: $1" place w h x y box left right top bottom
  place=$(probe --timeout 20 box --part "$2") || fail "$name: no box holds its whole text"
  # A window manager may map the box late on a loaded machine, or move it
  # after it was first told where it stands: its place is asked again until
  # a window stands there.
  box_in_place() { # text
    place=$(probe --timeout 5 box --part "$1") || return 1
    read -r w h x y <<<"$(sed 's/[x+]/ /g' <<<"$place")"
    window_at "$w" "$h" "$x" "$y"
  }
  FOUND=
  wait_until 20 box_in_place "$2" || fail "$name: no window has the box's place $place"
  box=$FOUND
  ((w <= 1024 * 2 / 3)) || fail "$name: the box is $w pixels wide"
  read -r left right top bottom <<<"$(frame_of "$box")"
  ((x - left >= 0 && y - top >= 0 && x + w + right <= 1024 && y + h + bottom <= 768)) \
    || fail "$name: the box at $place with its frame ($left $right $top $bottom) leaves the screen"
  wait_until 10 shows_squares "$box" \
    || fail "$name: the box at $place shows $(squares_shown "$SHOT" "$box") of the 5 squares of its text"
  cp "$SHOT" "${TOCKARA_E2E_SHOTS:-$WORK}/box_${SESSION}_$1.png" 2>/dev/null || true
  echo "$name: $place (${SECONDS}s)"
  close_box "$name" "$box" "$3"
}

close_box() { # name box key
  for _ in 1 2 3; do
    xdotool windowfocus "$2" 2>/dev/null || true
    wait_until 5 focused "$2" && xdotool key "$3"
    wait_until 5 gone "$2" && return 0
  done
  fail "$1: $3 did not close the box"
}

end_clock() { # name
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" || fail "$1: the clock did not end"
}

# The start-up boxes: Tockara.ini made by command $2...; its path is the
# long text. Return closes the box, and the clock then runs.
check_start_box() { # name command...
  local name=$1
  shift
  rm -f "$PROGRAM/Tockara.ini"
  "$@"
  launch_clock
  check_box "$name" "$PROGRAM/Tockara.ini" Return
  wait_for_window
  end_clock "$name"
}
too_large() { head -c 5000000 /dev/zero | tr '\0' ';' >"$PROGRAM/Tockara.ini"; }
case_too_large() { check_start_box too_large too_large; }
case_pipe() { check_start_box pipe mkfifo "$PROGRAM/Tockara.ini"; }

# An archive whose three files, of names near the longest a file may have,
# are already in its extraction folder: Escape on the question cancels the
# extraction, and the box that says so closes with Return.
long_file=a_file_of_the_archive_whose_name_is_longer_than_a_line_of_the_box
long_file=${long_file}_${long_file}_$long_file
files=("1_$long_file" "2_$long_file" "3_$long_file$MARK")
mkdir -p "$WORK/content"
for file in "${files[@]}"; do echo new >"$WORK/content/$file"; done
bsdtar --format zip -cf "$WORK/names.zip" -C "$WORK/content" "${files[@]}"
case_names_taken() {
  local target="$WORK/解凍先_$SESSION" file cancelled
  mkdir -p "$target"
  for file in "${files[@]}"; do echo old >"$target/$file"; done
  rm -f "$PROGRAM/Tockara.ini"
  write_cp932 "$PROGRAM/Tockara.ini" "[ARC]
DecompFolder=$target/
FileFold=0"
  start_clock
  drop_on_clock "$WORK/names.zip"
  # The drag source would stand where the boxes of the next cases come.
  kill "${PIDS[-1]}"
  wait_for_exit "${PIDS[-1]}" || fail "$SESSION: the drag source did not end"
  check_box names_taken 解凍先に同じ名前のファイルがあります Escape
  probe --timeout 20 box --part 解凍を取り消しました >/dev/null || fail "$SESSION: no box said the extraction was cancelled"
  cancelled=$(box_window) || fail "$SESSION: the box that said the extraction was cancelled is not shown"
  close_box "$SESSION: cancelled" "$cancelled" Return
  [ "$(cat "$target/${files[2]}")" = old ] || fail "$SESSION: the cancelled extraction replaced a file"
  end_clock names_taken
}

# An alarm whose comment, 50 Japanese characters, goes on with the link of
# the meeting: a token wider than the screen that offers no line break. The
# clock starts eight seconds before the alarm's minute.
token=NjQ2ZmY5YjMtYzE4Ny00ZDk1LWE3ZTAtMmM1ZjQ4ZDNiOTA3_thread_v2_context_tid_72f988bf_86f1_41af_91ab_2d7cd011db47
comment="会議室Ａで週次の進捗会議があります。資料は共有フォルダの最新版を印刷して持参してください。接続先: https://meet.example.com/join/${token}_$token$MARK"
case_alarm() {
  write_cp932 "$PROGRAM/Tockara.ini" "[Alarm]
Enabled=1
Time=10:00
Comment=$comment"
  LD_PRELOAD="$FAKETIME_LIB" FAKETIME="@$(date +%F) 09:59:52" FAKETIME_DONT_FAKE_MONOTONIC=1 launch_clock
  wait_for_window
  check_box alarm "$comment" Return
  end_clock alarm
}

CASES=(too_large pipe names_taken alarm)
for case in "${CASES[@]}"; do "case_$case"; done
# Openbox on the display the bare cases used often framed no window at all
# (not even one of its own, in 20 seconds): it gets a display of its own.
SESSION=openbox
start_display
start_window_manager
for case in "${CASES[@]}"; do "case_$case"; done
echo "message boxes: ok"
