# Shared steps of the end-to-end tests: a virtual display, a fresh program
# folder with the real binary in it, and checks of the screen and the files.
set -euo pipefail

BINARY=$(readlink -f "$1")
BUILD_DIR=$(dirname "$BINARY")
WORK=$(mktemp -d /tmp/tockara-e2e.XXXXXX)
PIDS=()

cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb on a free display and exports DISPLAY.
start_display() {
  local n
  for n in $(seq 120 180); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1024x768x24 -br -nolisten tcp >/dev/null 2>&1 &
    PIDS+=($!)
    export DISPLAY=:$n
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  done
  fail "no virtual display could be started"
}

# A program folder as a new user has it: the binary and its shipped data.
make_program_folder() {
  PROGRAM="$WORK/program"
  mkdir -p "$PROGRAM"
  cp "$BINARY" "$PROGRAM/tockara"
  cp -r "$BUILD_DIR"/Calender.ini "$PROGRAM/"
  for extra in anime help; do
    [ -e "$BUILD_DIR/$extra" ] && cp -r "$BUILD_DIR/$extra" "$PROGRAM/"
  done
  # A private runtime folder keeps the single-instance lock of this test apart.
  export XDG_RUNTIME_DIR="$WORK/runtime"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  export HOME="$WORK/home"
  mkdir -p "$HOME"
}

start_clock() {
  "$PROGRAM/tockara" >"$WORK/clock.log" 2>&1 &
  CLOCK_PID=$!
  PIDS+=($CLOCK_PID)
  wait_for_window
}

# Waits until the clock's window is mapped and prints its id.
wait_for_window() {
  for _ in $(seq 100); do
    WINDOW=$(xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | head -1 || true)
    [ -n "$WINDOW" ] && { sleep 0.5; return 0; }
    sleep 0.1
  done
  cat "$WORK/clock.log" >&2 || true
  fail "the clock window did not appear"
}

screenshot() {
  import -window root "$WORK/$1.png"
  echo "$WORK/$1.png"
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

# Waits until a visible window titled $1 exists and prints its id.
wait_for_title() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
