# Shared steps of the end-to-end tests: a virtual display, a fresh program
# folder with the real binary in it, and checks of the screen and the files.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual_display.sh"

BINARY=$(readlink -f "$1")
BUILD_DIR=$(dirname "$BINARY")
WORK=$(mktemp -d /tmp/tockara-e2e.XXXXXX)
PIDS=()

# Stops every process the test started and waits until they have ended, so
# that nothing of the test is left running when it ends. A test that ended
# on a command that failed unchecked (set -e) says which, and what it saw.
cleanup() {
  local status=$?
  # 77: the test skipped itself (what it needs cannot run here).
  if [ "$status" != 0 ] && [ "$status" != 77 ] && [ -z "${FAILED:-}" ]; then
    echo "FAIL: $(basename "$0") ended at ${LAST_ERROR:-an unknown command} (status $status)" >&2
    report_scene
  fi
  stop_processes "${PIDS[@]}"
  rm -rf "$WORK"
}
trap cleanup EXIT
# The last command that failed unchecked; functions and subshells share the trap.
set -E
trap 'LAST_ERROR="line $LINENO: $BASH_COMMAND"' ERR

# What the display showed: its visible windows (id, geometry, title), the
# screen (kept in TOCKARA_E2E_SHOTS when given) and the clock's last output.
report_scene() {
  [ -n "${DISPLAY:-}" ] || return 0
  echo "visible windows on $DISPLAY:" >&2
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null | head -20); do
    echo "  $id $(xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
      /Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h "+" x "+" y }') \"$(xdotool getwindowname "$id" 2>/dev/null)\"" >&2
  done
  if [ -n "${TOCKARA_E2E_SHOTS:-}" ] && import -window root "$TOCKARA_E2E_SHOTS/failed_$(basename "$0" .sh).png" 2>/dev/null; then
    echo "the screen: $TOCKARA_E2E_SHOTS/failed_$(basename "$0" .sh).png" >&2
  fi
  [ -s "$WORK/clock.log" ] && { echo "the clock's output:" >&2; tail -20 "$WORK/clock.log" >&2; }
  return 0
}

fail() {
  FAILED=1
  echo "FAIL: $*" >&2
  report_scene || true
  # What the display server said, for failures that come from it.
  [ -s "$WORK/xvfb.log" ] && { echo "Xvfb on ${DISPLAY:-no display}:" >&2; cat "$WORK/xvfb.log" >&2; }
  exit 1
}

# The test's own home, runtime, cache and configuration folders and its own
# session bus, so that two runs at the same time (a developer's and CI's)
# share no file, socket or bus (nor the clock's single-instance lock, which
# lies in the runtime folder). The accessibility bus, which the session bus
# starts when the clock or accessible_text asks for it, keeps its socket in
# these folders too. The bus starts before any display exists: its services
# never see the user's display.
start_private_session() {
  export HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime"
  export XDG_CACHE_HOME="$HOME/.cache" XDG_CONFIG_HOME="$HOME/.config"
  export XDG_DATA_HOME="$HOME/.local/share" XDG_STATE_HOME="$HOME/.local/state"
  mkdir -p "$HOME" "$XDG_CACHE_HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME"
  mkdir -m 700 -p "$XDG_RUNTIME_DIR"
  unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
  local fd address
  exec {fd}< <(exec dbus-daemon --session --nofork --nopidfile --address="unix:dir=$XDG_RUNTIME_DIR" \
                 --print-address=3 3>&1 >/dev/null 2>"$WORK/dbus.log")
  PIDS+=($!)
  if ! read -r -t 30 -u "$fd" address || [ -z "$address" ]; then
    exec {fd}<&-
    cat "$WORK/dbus.log" >&2
    fail "no session bus could be started"
  fi
  exec {fd}<&-
  export DBUS_SESSION_BUS_ADDRESS=$address
}
start_private_session

# Starts a virtual display of its own and exports DISPLAY.
start_display() {
  XVFB_LOG="$WORK/xvfb.log"
  start_xvfb || fail "no virtual display could be started"
  PIDS+=("$XVFB_PID")
  echo "virtual display $DISPLAY"
}

# Starts openbox and waits until it manages the display's windows.
start_window_manager() {
  openbox >"$WORK/openbox.log" 2>&1 &
  PIDS+=($!)
  wait_until 20 wmctrl -m >/dev/null 2>&1 || fail "the window manager did not start"
}

# A program folder as a new user has it: the binary and its shipped data.
make_program_folder() {
  PROGRAM="$WORK/program"
  mkdir -p "$PROGRAM"
  cp "$BINARY" "$PROGRAM/tockara"
  cp -r "$BUILD_DIR"/Calender.ini "$PROGRAM/"
  for extra in anime help sounds; do
    if [ -e "$BUILD_DIR/$extra" ]; then cp -r "$BUILD_DIR/$extra" "$PROGRAM/"; fi
  done
}

# Starts the clock without waiting for it; sets CLOCK_PID.
launch_clock() {
  "$PROGRAM/tockara" >"$WORK/clock.log" 2>&1 &
  CLOCK_PID=$!
  PIDS+=($CLOCK_PID)
}

start_clock() {
  launch_clock
  wait_for_window
}

# Waits until the clock's window is mapped and its face painted; sets WINDOW.
wait_for_window() {
  WINDOW=$(wait_for_title Tockara) && wait_for_painted "$WINDOW" && return 0
  cat "$WORK/clock.log" >&2 || true
  fail "the clock window did not appear"
}

screenshot() {
  import -window root "$WORK/$1.png"
  echo "$WORK/$1.png"
}

# Drags FILE from the drag source (the test's second argument, DRAG_SOURCE)
# onto the clock and drops it there (at X,Y on the screen, 40,40 unless
# given), as from a file manager; fails unless the clock took the drop.
# Needs a window manager (openbox).
drop_on_clock() { # file [x y]
  local x=${2:-40} y=${3:-40}
  "$DRAG_SOURCE" "$1" > "$WORK/drag.log" 2>&1 &
  PIDS+=($!)
  wait_for_title "drag source" > /dev/null || fail "the drag source did not appear"
  sleep 0.5
  xdotool mousemove 460 440 sleep 0.3 mousedown 1 sleep 0.3
  for step in 1 2 3 4 5 6; do
    xdotool mousemove $((460 + (x + 10 - 460) * step / 7)) $((440 + (y + 10 - 440) * step / 7)) sleep 0.1
  done
  # The hover window shows below the pointer once it rests on the clock: the
  # last move goes up and left, so the drop lands on the clock, not on it.
  xdotool mousemove $((x + 10)) $((y + 10)) sleep 0.3 mousemove "$x" "$y" sleep 0.3 mouseup 1
  for _ in $(seq 50); do grep -q . "$WORK/drag.log" && break; sleep 0.1; done
  grep -q "drag ended: accepted" "$WORK/drag.log" || fail "the clock did not take the drop ($(cat "$WORK/drag.log"))"
  xdotool mousemove 600 600
}

# The colour of pixel X,Y of image FILE, as #RRGGBB.
pixel() { # file x y
  convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6 | sed 's/^/#/'
}

# Number of pixels of colour $3 (#RRGGBB) in the rectangle $2 (WxH+X+Y) of image $1.
count_colour() {
  convert "$1" -crop "$2" +repage txt:- | grep -ci "$3" || true
}

ini_value() { # file section key
  iconv -f CP932 -t UTF-8 "$1" | tr -d '\r' | awk -v s="[$2]" -v k="$3" '
    $0 == s { in_s = 1; next } /^\[/ { in_s = 0 }
    in_s && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}

# Writes UTF-8 text (with LF line ends) as a CP932 file with CR LF line ends.
write_cp932() { # file text
  printf '%s\n' "$2" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$1"
}

# Whether at least COUNT of the clock's popup menus are shown: its windows
# named after the program (the clock's own is titled Tockara) that are
# viewable and not the hover window (a tooltip).
menus_open() { # count
  local id shown=0
  for id in $(xwininfo -root -tree | awk '/"tockara": \("tockara" "tockara"\)/ { print $1 }'); do
    xwininfo -id "$id" 2>/dev/null | grep -q IsViewable || continue
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q TOOLTIP || shown=$((shown + 1))
  done
  [ "$shown" -ge "$1" ]
}

# True when no visible window is titled exactly TITLE.
no_window() { [ -z "$(visible_window "$1")" ]; }

# Whether the clock is writing an entry of over a megabyte below folder: a
# file of its own being written there (".tockara-*.part"), or one without a
# name yet that the clock holds open.
entry_being_written() { # folder
  local fd folder
  folder=$(realpath "$1")
  [ -n "$(find "$1" -name '.tockara-*.part' -size +1M 2>/dev/null)" ] && return 0
  for fd in /proc/"$CLOCK_PID"/fd/*; do
    case "$(readlink "$fd" 2>/dev/null)" in
      "$folder"/*" (deleted)") [ "$(stat -L -c %s "$fd" 2>/dev/null || echo 0)" -gt 1048576 ] && return 0 ;;
    esac
  done
  return 1
}

# Waits until FILE exists.
wait_for_file() { # file [seconds]
  wait_until "${2:-20}" test -e "$1"
}

ini_is() { [ "$(ini_value "$1" "$2" "$3" 2>/dev/null)" = "$4" ]; }

# Waits until key KEY of section SECTION of the CP932 file FILE holds VALUE.
wait_for_ini() { # file section key value [seconds]
  wait_until "${5:-20}" ini_is "$1" "$2" "$3" "$4"
}

# Waits until more than MIN pixels of the rectangle REGION (WxH+X+Y) of the
# screen differ from the screenshot BEFORE; saves the screen as screenshot
# NAME and prints its path.
wait_for_change() { # name before region [min] [seconds]
  local shot="$WORK/$1.png" changed end=$(($(now_ms) + ${5:-20} * 1000))
  while :; do
    import -window root "$shot"
    changed=$(compare -metric AE -crop "$3" "$2" "$shot" null: 2>&1 || true)
    [ "${changed:-0}" -gt "${4:-0}" ] 2>/dev/null && { echo "$shot"; return 0; }
    (($(now_ms) < end)) || return 1
    sleep 0.1
  done
}

# Waits until more than MIN pixels of REGION of the screen have the colour
# COLOUR (#RRGGBB), saves the screen as screenshot NAME and prints that count,
# or the last count after SECONDS.
wait_for_colour() { # name region colour min [seconds]
  local shot="$WORK/$1.png" count end=$(($(now_ms) + ${5:-20} * 1000))
  while :; do
    import -window root "$shot"
    count=$(count_colour "$shot" "$2" "$3")
    [ "$count" -gt "$4" ] && { echo "$count"; return 0; }
    (($(now_ms) < end)) || { echo "$count"; return 1; }
    sleep 0.1
  done
}

# The accessible name of the clock's control whose accessible description is
# $1, read over the accessibility bus; with --expect TEXT waits for that name.
# The clock must be started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
accessible_text() {
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/accessible_text.py" "$@"
}

# Upper-left corner of window $1's inside on the screen: "X Y".
window_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }'
}


# The visible message box of the clock: a window titled Tockara other than
# the clock's own (WINDOW, which has the same title).
box_window() {
  xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | grep -vx "${WINDOW:-none}" | head -1 | grep .
}

# How many popup menus of the clock are open: its visible windows that
# bypass the window manager, but for its hover window (a tool tip) and the
# clock's own window (which on X11 bypasses it too).
menus_open() {
  local id n=0
  for id in $(xdotool search --onlyvisible --pid "$CLOCK_PID" 2>/dev/null); do
    [ "$id" = "${WINDOW:-}" ] && continue
    grep -q 'Override Redirect State: yes' <<<"$(xwininfo -id "$id" 2>/dev/null)" || continue
    grep -q TOOLTIP <<<"$(xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null)" && continue
    n=$((n + 1))
  done
  echo "$n"
}
menus_are() { [ "$(menus_open)" = "$1" ]; }

# How many black squares of at least 7 x 7 pixels window $2 shows in the
# screenshot $1: the marks (■) a test puts in a text (strokes of letters
# are thinner).
squares_shown() { # shot window
  local x y w h
  read -r x y <<<"$(window_origin "$2")"
  read -r w h <<<"$(xwininfo -id "$2" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')"
  convert "$1" -crop "${w}x${h}+$x+$y" +repage -colorspace Gray -threshold 30% -negate \
    -morphology Erode Square:3 -define connected-components:verbose=true -connected-components 8 null: \
    | grep -c 'gray(255)' || true
}
