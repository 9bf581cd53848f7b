#!/usr/bin/env bash
# Under a window manager: the tool windows, choosers and message boxes open
# beside the clock on its screen, not over it, every time: the settings
# window, the colour chooser, the choosers of アニメ変更 and イメージ設定
# (too large for any side of a clock in the middle of the screen: made
# smaller), the box of a help page nothing opens, the box of a missing
# archiver, the fortune. A window of fixed size offers no maximise and is
# not maximised by a double click on its title bar or a pager; the
# windows name the launcher entry the desktop knows them by and carry the
# icon sizes docks show. Each step waits for what it looks at, and looks
# again at a window the toolkit made anew meanwhile.
source "$(dirname "$0")/lib.sh"
SOURCE=$(readlink -f "$(dirname "$0")/../..")
DRAG_SOURCE=$(readlink -f "$2")
start_display
start_window_manager
make_program_folder
# No program opens documents and no 7-Zip: the help page and an ARJ
# archive end in their boxes.
mkdir -p "$WORK/no-programs"
launch_clock() {
  PATH="$WORK/no-programs" "$PROGRAM/tockara" >"$WORK/clock.log" 2>&1 &
  CLOCK_PID=$!
  PIDS+=($CLOCK_PID)
}
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

# The visible dialog of the clock other than the settings window titled $1
# (a pattern), if any.
dialog_titled() { # title
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    grep -q _NET_WM_WINDOW_TYPE_DIALOG <<<"$(xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null)" \
      && { echo "$id"; return 0; }
  done
  return 1
}

# Whether the window that finder $1 finds (found anew each time: the toolkit
# may make a window anew) lies beside the clock; sets FOUND.
found_beside_clock() { # finder
  FOUND=$("$@") && beside_clock "$FOUND"
}

# The window finder $2... finds (named $1) comes to lie beside the clock, on
# the screen (the window manager places it a moment after it appears); with
# "fixed", it offers no maximise. Sets FOUND to it.
check_beside_clock() { # name [fixed] finder...
  local name=$1 fixed= actions
  shift
  [ "$1" = fixed ] && { fixed=1; shift; }
  FOUND=
  wait_until 30 found_beside_clock "$@" \
    || fail "$name is not beside the clock at $cx,$cy on the 1024x768 screen: its frame is \"$(frame_of "${FOUND:-0}" 2>/dev/null)\" (x y w h)"
  [ -n "$fixed" ] || return 0
  # Neither the window manager's actions nor the Motif hints (functions:
  # resize 0x2, maximise 0x10; decorations: resize handles 0x4, maximise
  # button 0x40) offer to resize or maximise it.
  offers_no_maximise() {
    local functions decorations
    actions=$(xprop -id "$FOUND" _NET_WM_ALLOWED_ACTIONS _MOTIF_WM_HINTS 2>/dev/null) || return 1
    ! grep -q 'MAXIMIZE\|_NET_WM_ACTION_RESIZE' <<<"$actions" || return 1
    read -r functions decorations <<<"$(sed -n 's/^_MOTIF_WM_HINTS.* = [^,]*, \([^,]*\), \([^,]*\),.*/\1 \2/p' <<<"$actions")"
    [ -n "$decorations" ] && ((!(functions & 0x12) && !(decorations & 0x44)))
  }
  wait_until 10 offers_no_maximise || fail "$name offers to resize or maximise: $actions"
  # Nor does it grow when a user tries: a double click on its title bar (a
  # maximise in openbox) or a pager's request. Openbox still draws a greyed
  # maximise button beside its minimise button in the default title layout.
  local size x y w h l r t b
  size=$(window_size "$FOUND")
  read -r x y w h <<<"$(frame_of "$FOUND")"
  read -r l r t b <<<"$(xprop -id "$FOUND" _NET_FRAME_EXTENTS | sed -n 's/.*= //; s/,//gp')"
  xdotool mousemove $((x + w / 2)) $((y + t / 2)) click --repeat 2 --delay 80 1 mousemove 5 760
  wmctrl -i -r "$FOUND" -b add,maximized_vert,maximized_horz
  grown() { [ "$(window_size "$FOUND")" != "$size" ]; }
  ! wait_until 2 grown || fail "$name was maximised from $size to $(window_size "$FOUND")"
}
# The size of window $1's inside: "W H".
window_size() {
  xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }'
}

# Opens the popup menu and presses keys $@ in it once it is open.
menu_keys() { # keys...
  wait_until 30 menus_are 0 || fail "a menu is still open"
  # The pointer leaves the clock then: no hover window comes up meanwhile.
  xdotool mousemove $((cx + 40)) $((cy + 40)) click 3 mousemove 5 760
  wait_until 30 menus_are 1 || fail "no menu opened"
  xdotool key "$@"
}
# True when finder $@ finds no window.
finds_none() { ! "$@" >/dev/null; }
# Closes window $1 with Escape and waits until finder $2... finds none.
close_with_escape() { # window finder...
  local window=$1
  shift
  # Escape goes to the window with the focus: the window is given it first,
  # and again should the desktop have given it elsewhere meanwhile.
  for _ in 1 2 3; do
    xdotool windowactivate "$window" 2>/dev/null || true
    wait_until 5 eval '[ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]' || continue
    xdotool key Escape
    wait_until 10 finds_none "$@" && return 0
  done
  fail "$window did not close"
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
settings_page() { dialog_titled 'Tockara \[設定\]'; }
menu_keys Down Down Down Down Down Down Down Down Return
check_beside_clock "the alarm page" fixed settings_page
cp "$(screenshot alarm_page)" "${TOCKARA_E2E_SHOTS:-$WORK}/tool_window_beside_clock.png" 2>/dev/null || true
close_with_escape "$FOUND" settings_page

# The choosers: 時計の設定 > 色の設定 > 背景の色, アニメ変更 and 背景設定 >
# イメージ設定; a chooser is any dialog of the clock but its boxes.
chooser() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$CLOCK_PID" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = Tockara ] && continue
    grep -q _NET_WM_WINDOW_TYPE_DIALOG <<<"$(xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null)" \
      && { echo "$id"; return 0; }
  done
  return 1
}
for opening in "colour:Down Right Right Return" "animation:Down Down Return" "image:Down Down Down Right Down Return"; do
  read -ra keys <<<"${opening#*:}"
  menu_keys "${keys[@]}"
  check_beside_clock "the ${opening%%:*} chooser" chooser
  cp "$(screenshot "${opening%%:*}")" "${TOCKARA_E2E_SHOTS:-$WORK}/chooser_${opening%%:*}_beside_clock.png" 2>/dev/null || true
  close_with_escape "$FOUND" chooser
done

# The box of a help page nothing can open: ヘルプ > ヘルプ.
menu_keys Up Up Right Return
check_beside_clock "the box of the help page" fixed box_window
close_with_escape "$FOUND" box_window

# The box of a missing archiver: an ARJ archive dropped on the clock.
printf 'not really an archive' > "$WORK/dropped.arj"
drop_on_clock "$WORK/dropped.arj" $((cx + 40)) $((cy + 40))
check_beside_clock "the box of the missing archiver" fixed box_window
cp "$(screenshot missing_archiver)" "${TOCKARA_E2E_SHOTS:-$WORK}/box_missing_archiver.png" 2>/dev/null || true
close_with_escape "$FOUND" box_window

# A message box: the fortune of a double click.
xdotool mousemove $((cx + 40)) $((cy + 40)) click --repeat 2 --delay 80 1
wait_until 30 box_window >/dev/null || fail "a double click showed no fortune"
check_beside_clock "the fortune box" fixed box_window
# Wide enough for the window manager to show the title "Tockara" whole.
fortune_width=$(xwininfo -id "$FOUND" | awk '/Width:/ { print $2 }')
[ "$fortune_width" -ge 190 ] || fail "the fortune box is $fortune_width pixels wide: its title does not fit"
cp "$(screenshot fortune)" "${TOCKARA_E2E_SHOTS:-$WORK}/box_beside_clock.png" 2>/dev/null || true
echo "tool windows: ok"
