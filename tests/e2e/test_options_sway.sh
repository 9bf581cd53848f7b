#!/usr/bin/env bash
# 透明度 and クリック透過 on a Wayland compositor of the wlroots family (sway,
# on a virtual display), over an X11 window (xev, black) that fills the output: at
# 50% the window shows through the face; with クリック透過 on, a click at the
# clock's centre reaches the window; `tockara --menu` opens the clock's menu,
# where クリック透過 is turned off again, and a right click then opens the
# menu while the window gets nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sway_lib.sh"
source "$(dirname "$0")/options_lib.sh"
start_sway 1 "output X11-1 resolution 1024x768 position 0 0"
make_session_program_folder
write_cp932 "$PROGRAM/Tockara.ini" $'[Setting]\nLeft=3000\nTop=2250\n[Window]\nOpacity=50\nClickThrough=1'
chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"

XEV_LOG=$SESSION/xev.log
beneath=$(sway_exec beneath "xev -rv -name beneath >$XEV_LOG 2>&1") || fail "no window beneath"
PIDS+=("$beneath")
sway_start_clock
half_over_xev() { local shot; shot=$(sway_screenshot "$1") && face_half_over "$shot" 200 150 600 500; }
wait_until 20 half_over_xev half || fail "xev does not show through the face at 50% (see $SESSION/half.png)"
cp "$SESSION/half.png" "${TOCKARA_E2E_SHOTS:-$WORK}/opacity_50_sway.png" 2>/dev/null || true

before=$(clicks_beneath)
pointer mousemove 240 190 sleep 0.2 mousemove 241 191 sleep 0.2 click 1
wait_until 5 clicks_reached $((before + 1)) || fail "the click at the clock's centre did not reach xev beneath"

# The menu opens below the clock: what lies there changes.
menu_below() { # reference-screenshot
  local shot
  shot=$(sway_screenshot menu) || return 1
  [ "$(compare -metric AE -crop 150x200+220+240 "$1" "$shot" null: 2>&1)" -gt 3000 ] 2>/dev/null
}
as_sway_user "$PROGRAM/tockara" --menu >"$WORK/menu.log" 2>&1 || fail "--menu failed: $(cat "$WORK/menu.log")"
wait_until 10 menu_below "$SESSION/half.png" || fail "--menu opened no menu (see $SESSION/menu.png)"
for _ in $(seq 11); do pointer key Down; done
pointer key Right
sleep 0.3
for _ in $(seq 7); do pointer key Down; done
pointer key Return
wait_for_ini "$PROGRAM/Tockara.ini" Window ClickThrough 0 10 || fail "クリック透過 was not turned off from the menu of --menu"
before=$(clicks_beneath)
pointer mousemove 240 190 sleep 0.2 mousemove 241 191 sleep 0.2 click 3
wait_until 10 menu_below "$SESSION/half.png" || fail "with クリック透過 off a right click opened no menu (see $SESSION/menu.png)"
[ "$(clicks_beneath)" = "$before" ] || fail "with クリック透過 off a click at the clock's centre reached xev"
pointer key Escape
echo "options on sway: ok"
