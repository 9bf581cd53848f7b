#!/usr/bin/env bash
# 透明度 and クリック透過 on an X server, set from the clock's menu as a user
# sets them:
# - on a bare X server 透明度 cannot be used and says why; once a compositing
#   manager (xcompmgr) runs it can, and at 50% the desktop's colour shows
#   through the face;
# - with クリック透過 on, a click at the clock's centre reaches the window
#   beneath it (xev, which tells the clicks it gets), and not while it is off;
# - both are kept across a restart, and `tockara --menu` is the way back.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/options_lib.sh"
start_display
make_program_folder
start_clock

# The clock's open menus (its windows taller than the clock and its hover
# window) as "x width", leftmost first.
menu_windows() {
  local id
  for id in $(xdotool search --onlyvisible --classname '^tockara$' 2>/dev/null); do
    xwininfo -id "$id" | awk '/Absolute upper-left X/ { x = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 }
      END { if (h >= 100) print x, w }'
  done | sort -n
}
menus_open() { [ "$(menu_windows | wc -l)" -ge "$1" ]; }
# Opens the menu by --menu and goes into オプション's submenu (its first item).
open_options() {
  "$PROGRAM/tockara" --menu >"$WORK/menu.log" 2>&1 || fail "--menu failed: $(cat "$WORK/menu.log")"
  wait_until 10 menus_open 1 || fail "--menu opened no menu"
  for _ in $(seq 11); do xdotool key Down; done
  xdotool key Right
  wait_until 10 menus_open 2 || fail "オプション did not open"
}
# The width of the rightmost menu: the submenu open last.
submenu_width() { menu_windows | tail -1 | cut -d' ' -f2; }
# Chooses the item DOWNS items below オプション's first one.
choose_option() { # downs
  open_options
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
  wait_until 10 eval '! menus_open 1' || fail "the menu stayed open"
}
close_menu() {
  xdotool key Escape Escape
  wait_until 10 eval '! menus_open 1' || fail "Escape did not close the menu"
}

# No compositing manager: 透明度 says why it cannot be used, in a caption
# that makes オプション's submenu far wider than its own.
open_options
bare_width=$(submenu_width)
screenshot options_bare >/dev/null
cp "$WORK/options_bare.png" "${TOCKARA_E2E_SHOTS:-$WORK}/opacity_unusable.png" 2>/dev/null || true
close_menu

xcompmgr >"$WORK/xcompmgr.log" 2>&1 &
PIDS+=($!)
# xcompmgr names the window that holds the compositing manager's selection.
cm_runs() { [ -n "$(xdotool search --name '^xcompmgr$' 2>/dev/null)" ]; }
wait_until 10 cm_runs || fail "xcompmgr did not start: $(cat "$WORK/xcompmgr.log")"
open_options
(($(submenu_width) + 100 < bare_width)) || fail "透明度 still says it cannot be used ($(submenu_width) and $bare_width pixels wide)"
# 透明度 (6 below the first item), its submenu, 50% (5 below 100%).
for _ in $(seq 6); do xdotool key Down; done
xdotool key Right
sleep 0.3
for _ in $(seq 5); do xdotool key Down; done
xdotool key Return
wait_for_ini "$PROGRAM/Tockara.ini" Window Opacity 50 || fail "50% was not saved"

through() { face_half_over "$(screenshot "$1")" 0 0 "$2" "$3"; }
wait_until 10 through half 500 500 || fail "the desktop does not show through the face at 50% (see $WORK/half.png: \
$(pixel "$WORK/half.png" 20 40) on the face, $(pixel "$WORK/half.png" 500 500) beside it)"
cp "$WORK/half.png" "${TOCKARA_E2E_SHOTS:-$WORK}/opacity_50.png" 2>/dev/null || true

# A window beneath the clock that tells the clicks it gets; the clock,
# started after it, lies above it.
XEV_LOG=$WORK/xev.log
xev -geometry 300x300+0+0 -name beneath >"$XEV_LOG" 2>&1 &
PIDS+=($!)
wait_for_title beneath >/dev/null || fail "xev did not open"
kill "$CLOCK_PID"; wait "$CLOCK_PID" 2>/dev/null || true
start_clock
click_centre() { xdotool mousemove 40 40 sleep 0.2 click 1; }
# While clicks stay with the clock: a right click at its centre opens its
# menu, and the window beneath has had COUNT clicks.
clock_takes_clicks() { # count
  xdotool mousemove 40 40 sleep 0.2 click 3
  wait_until 10 menus_open 1 || fail "a right click on the clock opened no menu"
  [ "$(clicks_beneath)" = "$1" ] || fail "a click on the clock reached the window beneath"
  close_menu
}

clock_takes_clicks 0
choose_option 7   # クリック透過
wait_for_ini "$PROGRAM/Tockara.ini" Window ClickThrough 1 || fail "クリック透過 was not saved"
click_centre
wait_until 5 clicks_reached 1 || fail "the click at the clock's centre did not reach the window beneath"

# Kept across a restart, both of them.
kill "$CLOCK_PID"; wait "$CLOCK_PID" 2>/dev/null || true
start_clock
wait_until 10 through restarted 200 200 || fail "the opacity was not kept across a restart (see $WORK/restarted.png)"
click_centre
wait_until 5 clicks_reached 2 || fail "clicks did not pass through the restarted clock"

# The way back, without the mouse on the clock.
choose_option 7
wait_for_ini "$PROGRAM/Tockara.ini" Window ClickThrough 0 || fail "クリック透過 was not turned off"
clock_takes_clicks 2
echo "opacity and click-through: ok"
