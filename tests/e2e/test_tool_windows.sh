#!/usr/bin/env bash
# Under a window manager: the tool windows and message boxes open beside the
# clock on its screen, not over it; a window of fixed size offers no
# maximise; the windows name the launcher entry the desktop knows them by
# and carry the icon sizes docks show.
source "$(dirname "$0")/lib.sh"
SOURCE=$(readlink -f "$(dirname "$0")/../..")
start_display
start_window_manager
make_program_folder
# The clock at (400, 300) pixels, in twips.
write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
Left=6000
Top=4500"
start_clock
clock_at() { [ "$(window_origin "$WINDOW")" = "$1 $2" ]; }
wait_until 10 clock_at 400 300 || fail "the clock stands at $(window_origin "$WINDOW"), not at 400 300"
cx=400 cy=300

# The frame of window $1 on the screen: "X Y W H"; nothing until the window
# manager has framed it.
frame_of() {
  local x y w h l r t b
  read -r l r t b <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //; s/,//gp')"
  [ -n "$b" ] || return 0
  read -r x y <<<"$(window_origin "$1")"
  read -r w h <<<"$(xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')"
  echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}

# Whether window $1 is framed and lies on the screen, beside the 80 x 80 clock.
beside_clock() { # window
  local x y w h
  read -r x y w h <<<"$(frame_of "$1")"
  [ -n "$h" ] || return 1
  ((x >= 0 && y >= 0 && x + w <= 1024 && y + h <= 768)) || return 1
  ((x >= cx + 80 || x + w <= cx || y >= cy + 80 || y + h <= cy))
}

# Window $1 (named $2) comes to lie beside the clock, on the screen (the
# window manager places it a moment after it appears), and offers no maximise.
check_beside_clock() { # window name
  wait_until 10 beside_clock "$1" \
    || fail "$2 is not beside the clock at $cx,$cy on the 1024x768 screen: its frame is \"$(frame_of "$1")\" (x y w h)"
  local actions
  actions=$(xprop -id "$1" _NET_WM_ALLOWED_ACTIONS)
  ! grep -q MAXIMIZE <<<"$actions" || fail "$2 offers to maximise: $actions"
}

# The launcher entry names the class of the clock's windows, and the windows
# carry a 64-pixel icon.
entry="$SOURCE/packaging/io.github.tockara.Tockara.desktop"
wm_class=$(grep '^StartupWMClass=' "$entry" | cut -d= -f2)
[ -n "$wm_class" ] || fail "the launcher entry names no window class"
grep -q ", \"$wm_class\"\$" <<<"$(xprop -id "$WINDOW" WM_CLASS)" \
  || fail "the clock's class is not $wm_class: $(xprop -id "$WINDOW" WM_CLASS)"
# (Read whole first: grep -q would stop reading the long icon dump, and
# pipefail would then count xprop's broken pipe as a missing icon.)
grep -q 'Icon (64 x 64)' <<<"$(xprop -id "$WINDOW" _NET_WM_ICON)" || fail "the clock's icon has no 64-pixel size"
# No task bar or pager lists the clock (fluxbox's reads the same state).
state=$(xprop -id "$WINDOW" _NET_WM_STATE)
grep -q '_NET_WM_STATE_SKIP_TASKBAR' <<<"$state" && grep -q '_NET_WM_STATE_SKIP_PAGER' <<<"$state" \
  || fail "the clock asks to be on task bars and pagers: $state"

# A settings page from the popup menu: アラーム設定.
before=$(screenshot before_menu)
xdotool mousemove $((cx + 40)) $((cy + 40)) click 3
wait_for_change menu "$before" 200x200+$((cx + 40))+$((cy + 80)) 5000 10 >/dev/null || fail "no menu opened"
for _ in $(seq 8); do xdotool key Down; done
xdotool key Return
page=$(wait_for_title 'Tockara \[設定\]') || fail "アラーム設定 opened no window"
check_beside_clock "$page" "the alarm page"
cp "$(screenshot alarm_page)" "${TOCKARA_E2E_SHOTS:-$WORK}/tool_window_beside_clock.png" 2>/dev/null || true
# The window closes on the key press; the key release then finds it gone.
xdotool key --window "$page" Escape 2>/dev/null || true
wait_until 10 no_window 'Tockara \[設定\]' || fail "the alarm page did not close"

# A message box: the fortune of a double click.
xdotool mousemove $((cx + 40)) $((cy + 40)) click --repeat 2 --delay 80 1
fortune=
find_fortune() { fortune=$(xdotool search --onlyvisible --name '^Tockara$' | grep -vx "$WINDOW" | head -1); [ -n "$fortune" ]; }
wait_until 10 find_fortune || fail "a double click showed no fortune"
check_beside_clock "$fortune" "the fortune box"
# Wide enough for the window manager to show the title "Tockara" whole.
fortune_width=$(xwininfo -id "$fortune" | awk '/Width:/ { print $2 }')
[ "$fortune_width" -ge 190 ] || fail "the fortune box is $fortune_width pixels wide: its title does not fit"
cp "$(screenshot fortune)" "${TOCKARA_E2E_SHOTS:-$WORK}/box_beside_clock.png" 2>/dev/null || true
echo "tool windows: ok"
