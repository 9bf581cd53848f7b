# 透明度 and クリック透過 as the end-to-end tests see them: the face's colour
# blended with what lies beneath, and the clicks that a window beneath the
# clock (xev) is told of. check_options_in_session runs them in a Wayland
# session nested in a virtual display (mutter, KWin), where the clock is an
# X11 client through XWayland: source nested_lib.sh first for it.

# How many button presses xev (the window beneath the clock, writing to
# XEV_LOG) was told of.
clicks_beneath() { grep -c '^ButtonPress' "$XEV_LOG" || true; }
# Whether xev was told of at least COUNT button presses (for wait_until).
clicks_reached() { [ "$(clicks_beneath)" -ge "$1" ]; }

# True when, in the screenshot FILE, the face (#008000) lies half over what
# lies beneath the 80 x 80 clock at X,Y, whose colour shows at BX,BY beside
# it, in most of the face's square.
face_half_over() { # file x y bx by
  local beneath
  beneath=$(pixel "$1" "$4" "$5")
  local r=$((16#${beneath:1:2} / 2)) g=$(((16#${beneath:3:2} + 128) / 2)) b=$((16#${beneath:5:2} / 2))
  [ "$(convert "$1" -crop "80x80+$2+$3" +repage -depth 8 txt:- | awk -v r=$r -v g=$g -v b=$b -F'[(),]' '
    NR > 1 { d = ($3 - r) ^ 2 + ($4 - g) ^ 2 + ($5 - b) ^ 2; if (d <= 12) n++ } END { print n + 0 }')" -gt 2000 ]
}
# The same on the host's screenshot NAME.
half_through() { # name x y bx by
  face_half_over "$(screenshot "$1")" "$2" "$3" "$4" "$5"
}

# The clock at 200,150 set to 50% and クリック透過, as a user left it, over
# xev (an X11 window of the session, white):
# - xev's white shows through the face;
# - a click at the clock's centre reaches xev;
# - `tockara --menu` opens the clock's menu beside it, where クリック透過 is
#   turned off with the keys; then a right click at the centre opens the
#   clock's menu, and xev gets nothing.
check_options_in_session() {
  make_session_program_folder
  write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
Left=3000
Top=2250
[Window]
Opacity=50
ClickThrough=1"
  chown "$SESSION_USER:$SESSION_GROUP" "$PROGRAM/Tockara.ini"
  XEV_LOG=$SESSION/xev.log
  "${IN_SESSION[@]}" sh -c "exec xev -geometry 400x300+100+80 -name beneath >'$XEV_LOG' 2>&1" &
  PIDS+=($!)
  beneath_shown() { [ -n "$(in_session xdotool search --onlyvisible --name '^beneath$' 2>/dev/null)" ]; }
  wait_until 20 beneath_shown || fail "xev did not open in the session"
  session_start_clock

  wait_until 20 half_through half 200 150 450 300 \
    || fail "xev does not show through the face at 50% (see $WORK/half.png: $(pixel "$WORK/half.png" 220 190) on the face)"
  cp "$WORK/half.png" "${TOCKARA_E2E_SHOTS:-$WORK}/opacity_50_$SESSION_DESKTOP.png" 2>/dev/null || true

  local before
  before=$(clicks_beneath)
  pointer mousemove 240 190 sleep 0.2 mousemove 241 191 sleep 0.2 click 1
  wait_until 5 clicks_reached $((before + 1)) || fail "the click at the clock's centre did not reach xev beneath"

  in_session "$PROGRAM/tockara" --menu >"$WORK/menu.log" 2>&1 || fail "--menu failed: $(cat "$WORK/menu.log")"
  wait_until 10 menu_beside 200 150 || fail "--menu opened no menu beside the clock: $(other_clock_windows)"
  # オプション (11 down), its submenu, クリック透過 (7 below its first item).
  local _
  for _ in $(seq 11); do pointer key Down; done
  pointer key Right
  sleep 0.3
  for _ in $(seq 7); do pointer key Down; done
  pointer key Return
  wait_for_ini "$PROGRAM/Tockara.ini" Window ClickThrough 0 10 \
    || fail "クリック透過 was not turned off from the menu of --menu"
  before=$(clicks_beneath)
  wait_until 10 eval '! menu_beside 200 150' || fail "the menu stayed open"
  pointer mousemove 240 190 sleep 0.2 mousemove 241 191 sleep 0.2 click 3
  wait_until 10 menu_beside 200 150 || fail "with クリック透過 off a right click opened no menu: $(other_clock_windows)"
  [ "$(clicks_beneath)" = "$before" ] || fail "with クリック透過 off a click at the clock's centre reached xev"
  pointer key Escape
}
