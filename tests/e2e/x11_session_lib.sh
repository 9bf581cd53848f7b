# The rules the clock keeps on every X11 session, checked the same way on
# each: a test names its session (X11_SESSION, a row of the table below),
# sources this after lib.sh and runs run_x11_session_rules. The screen is two
# monitors side by side (a 1024 x 768 one and a 1024 x 600 one right of it),
# the clock starts at 200,150 on the first, the face green.
#
# Each rule the session allows is checked and reported on one line: "✓", or
# "—" and why the session has no such thing.

FACE='#008000' HOVER='#FFFFE1'

skip() {
  echo "SKIP: $*"
  exit 77
}

# The sessions: the window manager's command, how it is replaced by a new
# one, how it shows the desktop, and whether an active full-screen window
# covers the windows that stay on top there.
x11_session_row() {
  WM=() WM_REPLACE=() SHOW_DESKTOP=() HIDE_DESKTOP=() FULL_SCREEN_FIRST=yes
  case "$X11_SESSION" in
    bare) ;;
    openbox)
      WM=(openbox) WM_REPLACE=(openbox --replace) ;;
    fluxbox)
      # Remote actions let fluxbox-remote reach it; no background is set
      # (fluxbox would tell of a missing wallpaper tool in a window).
      mkdir -p "$HOME/.fluxbox"
      printf '%s\n' 'session.screen0.allowRemoteActions: true' 'session.screen0.rootCommand: true' \
        'session.styleOverlay: '"$HOME"'/.fluxbox/overlay' > "$HOME/.fluxbox/init"
      printf 'background: none\n' > "$HOME/.fluxbox/overlay"
      WM=(fluxbox -rc "$HOME/.fluxbox/init") WM_REPLACE=(fluxbox-remote Restart)
      SHOW_DESKTOP=(fluxbox-remote ShowDesktop) HIDE_DESKTOP=(fluxbox-remote ShowDesktop) ;;
    icewm)
      WM=(icewm) WM_REPLACE=(icewm --replace) ;;
    xfwm4)
      WM=(xfwm4 --compositor=off) WM_REPLACE=(xfwm4 --compositor=off --replace) FULL_SCREEN_FIRST=no ;;
    *) fail "no session $X11_SESSION" ;;
  esac
  if [ ${#WM[@]} -gt 0 ] && [ ${#SHOW_DESKTOP[@]} -eq 0 ]; then
    SHOW_DESKTOP=(wmctrl -k on) HIDE_DESKTOP=(wmctrl -k off)
  fi
  return 0
}

report() { # rule mark [why]
  printf '%-28s %s%s\n' "$X11_SESSION: $1" "$2" "${3:+ ($3)}"
}

# The display of two monitors, its window manager, a program folder with the
# clock at 200,150, and the clock.
start_x11_session() {
  x11_session_row
  [ ${#WM[@]} -eq 0 ] || command -v "${WM[0]}" >/dev/null || skip "${WM[0]} is not installed"
  command -v xclock >/dev/null || skip "xclock is not installed"
  XVFB_SCREEN=2048x768x24 start_display
  xrandr --setmonitor LEFT 1024/270x768/203+0+0 screen >/dev/null 2>&1 \
    && xrandr --setmonitor RIGHT 1024/270x600/159+1024+0 none >/dev/null 2>&1 \
    || fail "the screen could not be split into two monitors"
  if [ ${#WM[@]} -gt 0 ]; then
    "${WM[@]}" >"$WORK/wm.log" 2>&1 &
    PIDS+=($!)
    wait_until 20 wmctrl -m >/dev/null 2>&1 || fail "${WM[0]} did not start ($(tail -3 "$WORK/wm.log"))"
  fi
  make_program_folder
  write_cp932 "$PROGRAM/Tockara.ini" $'[Setting]\nLeft=3000\nTop=2250'
  start_clock
  CLOCK_AT="200 150"
  wait_until 10 face_at $CLOCK_AT || fail "the face is not at 200,150 at start"
}

# Whether most of the 80 x 80 face at X,Y shows on the screen; the screen
# is kept as screenshot NAME.
face_at() { # x y [name]
  local shot
  shot=$(screenshot "${3:-face}") || return 1
  [ "$(count_colour "$shot" "80x80+$1+$2" "$FACE")" -gt 2500 ]
}
face_gone() { ! face_at "$@"; }

# The clock's top-left corner on the screen, "X Y".
clock_origin() { window_origin "$WINDOW"; }

viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
hidden() { ! viewable "$1"; }

# An xclock over the clock's place, shown after the clock and given the
# keyboard; sets XCLOCK. (xfwm4 4.18 fails to take over an xlogo that was
# mapped before it started.)
open_window_over_clock() {
  # Asking for the keyboard, which an xclock does not by default.
  xclock -geometry 300x300+150+100 -xrm 'xclock.input: true' >/dev/null 2>&1 &
  PIDS+=($!)
  XCLOCK=$(wait_for_title xclock) || fail "xclock did not appear"
  focus_window "$XCLOCK"
}

# Gives WINDOW the keyboard, as a click on it would: through the window
# manager, or directly without one.
focus_window() { # window
  if [ ${#WM[@]} -gt 0 ]; then
    xdotool windowactivate "$1" 2>/dev/null || true
  else
    xdotool windowraise "$1" windowfocus "$1"
  fi
  wait_until 10 has_keyboard "$1" || fail "window $1 did not get the keyboard"
}
has_keyboard() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Rule: above every normal window opened after it.
check_later_window() {
  open_window_over_clock
  wait_until 10 face_at $CLOCK_AT later || fail "a window opened later covers the clock"
  report "above later windows" ✓
}

# Rule: the pointer rules with an X window beneath. The resting pointer
# brings up the hover window, which goes within a second of the pointer
# leaving; a drag of (100,50) stores 4500/3000; a right click opens the menu
# below the clock (it stands in the upper half).
# The clock's visible windows other than the clock itself, "X Y W H" each.
other_windows() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$CLOCK_PID" 2>/dev/null); do
    [ "$id" = "$WINDOW" ] && continue
    xdotool getwindowgeometry --shell "$id" | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
  done
}
# The hover window: a small window of the clock's, drawn in its colour.
hover_window_up() { [ -n "$(other_windows | awk '$4 < 80')" ]; }
hover_shown() {
  hover_window_up && [ "$(count_colour "$(screenshot hover)" 600x400+0+0 "$HOVER")" -gt 300 ]
}
hover_gone() { ! hover_window_up; }
check_pointer_rules() {
  xdotool mousemove 230 180 sleep 0.3 mousemove 240 190
  wait_until 10 hover_shown || fail "no hover window over the clock with xclock beneath"
  local left=$(now_ms)
  xdotool mousemove 700 500
  wait_until 5 hover_gone || fail "the hover window stayed after the pointer left"
  HOVER_GONE_MS=$(($(now_ms) - left))
  [ "$HOVER_GONE_MS" -le 1000 ] || fail "the hover window went only $HOVER_GONE_MS ms after the pointer left"

  xdotool mousemove 240 190 sleep 0.3 mousedown 1
  for step in 1 2 3 4 5; do xdotool mousemove $((240 + 20 * step)) $((190 + 10 * step)) sleep 0.1; done
  xdotool mouseup 1
  wait_for_ini "$PROGRAM/Tockara.ini" Setting Left 4500 10 && ini_is "$PROGRAM/Tockara.ini" Setting Top 3000 \
    || fail "a drag of (100,50) stored $(ini_value "$PROGRAM/Tockara.ini" Setting Left)/$(ini_value "$PROGRAM/Tockara.ini" Setting Top)"
  CLOCK_AT="300 200"
  wait_until 10 face_at $CLOCK_AT dragged || fail "after the drag the face is not at 300,200"

  local before
  before=$(screenshot before_menu)
  xdotool mousemove 340 240 click 3
  wait_for_change menu "$before" 150x200+340+285 3000 10 >/dev/null || fail "a right click opened no menu below the clock"
  xdotool key Escape
  wait_until 10 face_at $CLOCK_AT menu_closed || fail "the menu did not close"
  report "pointer, xclock beneath" ✓ "hover gone after $HOVER_GONE_MS ms"
}

# Opens the memo window (ちょいメモ設定, ten items down the menu) by
# tockara --menu and keys alone, and closes it with Escape.
memo_by_keys() {
  local before x y
  read -r x y <<<"$CLOCK_AT"
  before=$(screenshot before_keys)
  "$PROGRAM/tockara" --menu >"$WORK/menu.log" 2>&1 || fail "--menu failed: $(cat "$WORK/menu.log")"
  # Below the clock, which stands in the upper half.
  wait_for_change keys_menu "$before" "150x200+$((x + 40))+$((y + 85))" 3000 10 >/dev/null \
    || fail "--menu opened no menu below the clock ($1)"
  xdotool key Down Down Down Down Down Down Down Down Down Down Return
  wait_for_title 'ちょいメモ設定' 10 >/dev/null || fail "the keys reached no menu ($1)"
  # The window manager may give the memo window the keyboard a moment after
  # it shows (fluxbox on a loaded machine): Escape is typed again while it stays.
  escape_closes_memo() { xdotool key Escape; wait_until 1 no_window 'ちょいメモ設定'; }
  wait_until 10 escape_closes_memo || fail "Escape did not close the memo window ($1)"
}

# Rule: the keyboard route whatever has the focus, and the keyboard back to
# the window that had it once the tool window closes.
check_keyboard_with_nothing_focused() {
  memo_by_keys "nothing focused"
  report "--menu, nothing focused" ✓
}
check_keyboard_returns() {
  focus_window "$XCLOCK"
  memo_by_keys "xclock focused"
  wait_until 5 has_keyboard "$XCLOCK" || fail "the keyboard did not go back to xclock ($(xdotool getwindowfocus 2>&1))"
  report "--menu, xclock focused" ✓ "keyboard back to xclock"
}

# The window by which the running window manager tells that it runs; the
# one of a new window manager (or of one started anew) bears no mark.
wm_check() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/window id/ { print $NF }'; }
wm_replaced() {
  local check
  check=$(wm_check)
  [ -n "$check" ] && wmctrl -m >/dev/null 2>&1 && ! xprop -id "$check" _TOCKARA_TEST_MARK 2>/dev/null | grep -q '"old"'
}

current_desktop() { wmctrl -d | awk '$2 == "*" { print $1 }'; }
on_desktop() { [ "$(current_desktop)" = "$1" ]; }
switch_to() { # workspace
  wmctrl -s "$1"
  wait_until 10 on_desktop "$1" || fail "the window manager did not switch to workspace $1"
}

# Rule: on every workspace, from the first frame, after a restart of the
# clock and after the window manager is replaced.
check_workspaces() {
  if [ ${#WM[@]} -eq 0 ]; then
    report "every workspace" — "no window manager, no workspaces"
    return
  fi
  wmctrl -n 2
  switch_to 1
  wait_until 10 hidden "$XCLOCK" || fail "xclock stayed on workspace 1: no workspace switch"
  wait_until 10 face_at $CLOCK_AT workspace1 || fail "the clock stayed behind on workspace 0"
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" 10 || fail "the clock did not end"
  start_clock
  wait_until 10 face_at $CLOCK_AT restarted || fail "the restarted clock is not on workspace 1"
  switch_to 0
  wait_until 10 face_at $CLOCK_AT workspace0 || fail "the clock started on workspace 1 is not on workspace 0"
  xprop -id "$(wm_check)" -f _TOCKARA_TEST_MARK 8s -set _TOCKARA_TEST_MARK old
  "${WM_REPLACE[@]}" >>"$WORK/wm.log" 2>&1 &
  PIDS+=($!)
  wait_until 20 wm_replaced || fail "the window manager did not come back"
  wait_until 10 face_at $CLOCK_AT replaced || fail "the clock is gone after the window manager was replaced"
  switch_to 1
  wait_until 10 face_at $CLOCK_AT replaced1 || fail "after the window manager was replaced the clock is not on workspace 1"
  switch_to 0
  report "every workspace" ✓ "also restarted, and after ${WM_REPLACE[*]}"
}

# Rule: "show desktop" never hides it, and it is where it was, above, after.
check_show_desktop() {
  if [ ${#WM[@]} -eq 0 ]; then
    report "show desktop" — "no window manager shows the desktop"
    return
  fi
  wait_until 10 viewable "$XCLOCK" || fail "xclock is not shown before show desktop"
  "${SHOW_DESKTOP[@]}"
  wait_until 10 hidden "$XCLOCK" || fail "${SHOW_DESKTOP[*]} hid no window"
  wait_until 10 face_at $CLOCK_AT desktop_shown || fail "show desktop hid the clock"
  "${HIDE_DESKTOP[@]}"
  wait_until 10 viewable "$XCLOCK" || fail "xclock did not come back after show desktop"
  focus_window "$XCLOCK"
  wait_until 10 face_at $CLOCK_AT desktop_back || fail "after show desktop the clock is not above xclock at its place"
  report "show desktop" ✓ "${SHOW_DESKTOP[*]}"
}

# Whether WINDOW covers the whole first monitor.
full_screen() { # window
  xdotool getwindowgeometry --shell "$1" 2>/dev/null | grep -qx 'WIDTH=1024' \
    && xdotool getwindowgeometry --shell "$1" | grep -qx 'HEIGHT=768'
}

# The desktop's own rule for an active full-screen window: above the clock
# where the window manager puts it above the windows that stay on top.
check_full_screen() {
  if [ ${#WM[@]} -eq 0 ]; then
    report "full-screen window" — "no window manager makes a window full-screen"
    return
  fi
  focus_window "$XCLOCK"
  wmctrl -i -r "$XCLOCK" -b add,fullscreen
  if [ "$FULL_SCREEN_FIRST" = yes ]; then
    wait_until 10 face_gone $CLOCK_AT full_screen || fail "the active full-screen xclock does not cover the clock"
    report "full-screen window" ✓ "covers the clock while active"
  else
    wait_until 10 full_screen "$XCLOCK" || fail "xclock was not made full-screen"
    wait_until 10 face_at $CLOCK_AT full_screen || fail "the full-screen xclock covers the clock"
    report "full-screen window" ✓ "the clock stays above it"
  fi
  wmctrl -i -r "$XCLOCK" -b remove,fullscreen
  wait_until 10 face_at $CLOCK_AT windowed || fail "the clock did not come back above xclock out of full screen"
}

# Rule: a monitor removed brings the clock wholly onto the remaining one
# within a second; the stored position stays for the monitor's return.
clock_on_first_monitor() {
  local x y
  read -r x y < <(clock_origin)
  [ "$x" -ge 0 ] && [ $((x + 80)) -le 1024 ] && [ "$y" -ge 0 ] && [ $((y + 80)) -le 768 ] && face_at "$x" "$y" removed
}
at_origin() { [ "$(clock_origin)" = "$1 $2" ]; }
check_monitor_removed() {
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" 10 || fail "the clock did not end"
  # On the second monitor: 1500,300.
  write_cp932 "$PROGRAM/Tockara.ini" $'[Setting]\nLeft=22500\nTop=4500'
  start_clock
  wait_until 10 face_at 1500 300 second_monitor || fail "the clock is not at 1500,300 on the second monitor"
  local removed=$(now_ms)
  xrandr --delmonitor RIGHT >/dev/null
  wait_until 5 clock_on_first_monitor || fail "the clock stands at $(clock_origin) after the second monitor went"
  MONITOR_MS=$(($(now_ms) - removed))
  [ "$MONITOR_MS" -le 1000 ] || fail "the clock came onto the first monitor only after $MONITOR_MS ms"
  ini_is "$PROGRAM/Tockara.ini" Setting Left 22500 && ini_is "$PROGRAM/Tockara.ini" Setting Top 4500 \
    || fail "the stored position changed when the monitor went"
  xrandr --setmonitor RIGHT 1024/270x600/159+1024+0 none >/dev/null
  wait_until 5 at_origin 1500 300 || fail "the clock stands at $(clock_origin) after the monitor came back"
  report "monitor removed" ✓ "on the first monitor after $MONITOR_MS ms, back at its place after"
}

run_x11_session_rules() {
  start_x11_session
  check_keyboard_with_nothing_focused
  check_later_window
  check_pointer_rules
  check_keyboard_returns
  check_workspaces
  check_show_desktop
  check_full_screen
  check_monitor_removed
  echo "$X11_SESSION: ok"
}
