#!/usr/bin/env bash
# A bare X session, where the clock draws the root window: each start draws
# the kept picture again while the root still shows the clock's own, and
# leaves what another program set since (xsetroot) alone; after a display
# mode change made by the clock the picture is laid out for the new size.
# Only this test's Xvfb changes its mode.
source "$(dirname "$0")/lib.sh"
unset XDG_CURRENT_DESKTOP
start_display
xrandr --newmode tockara640 25.175 640 656 752 800 480 490 492 525
xrandr --addmode screen tockara640
make_program_folder
xdotool mousemove 1000 10

# A picture of two halves, stretched over the screen.
halves() { convert -size 32x32 xc:"$1" -size 32x32 xc:"$2" +append "$HOME/halves.png"; }
halves '#0000FF' '#FFFF00'
write_cp932 "$PROGRAM/Wallpaper.ini" "[Desktop]
Wallpaper=$HOME/halves.png
TileWallpaper=0
WallpaperStyle=2"

# Pixels of colour in the rectangle WxH+X+Y of the screen, waited for.
expect_colour() { # name region colour what
  local want=$(($(cut -dx -f1 <<<"$2") * $(cut -dx -f2 <<<"$2" | cut -d+ -f1)))
  local got
  got=$(wait_for_colour "$1" "$2" "$3" $((want - 1)) 10) || fail "$4 ($got of $want pixels $3 in $2)"
}
restart_clock() {
  kill "$CLOCK_PID"
  wait_for_exit "$CLOCK_PID" || fail "the clock did not end"
  start_clock
}

# A new session's root: the kept picture is drawn.
start_clock
expect_colour first 400x300+50+400 '#0000FF' "the kept picture was not drawn at the first start"
expect_colour first-right 400x200+580+500 '#FFFF00' "the kept picture was not stretched"

# The root still shows the clock's picture: a start draws the kept file anew.
halves '#00FF00' '#FFFF00'
restart_clock
expect_colour again 400x300+50+400 '#00FF00' "a start did not draw the clock's own picture again"

# 640×480 set from 画面解像度 (its third mode), kept: the picture is
# stretched over the smaller screen, its halves meeting at 320.
IFS=, read -r cx cy < <(xdotool getwindowgeometry "$WINDOW" | awk '/Position:/ {print $2}')
xdotool mousemove $((cx + 40)) $((cy + 40)) click 3
sleep 1
xdotool key Down Down Down Down Down Down Down Right
sleep 0.5
xdotool key Down Return mousemove 630 5
others() { xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | grep -cvx "$WINDOW" || true; }
asked() { [ "$(others)" -ge 1 ]; }
answered() { [ "$(others)" -eq 0 ]; }
wait_until 10 asked || fail "no question after the mode change"
xdotool key y
wait_until 10 answered || fail "the question stayed after はい"
[ "$(xdpyinfo | awk '/dimensions:/ {print $2}')" = 640x480 ] || fail "640×480 was not kept"
expect_colour relaid 200x200+360+200 '#FFFF00' "the picture was not laid out again for 640×480"
expect_colour relaid-left 200x200+60+200 '#00FF00' "the picture was not laid out again for 640×480"

# Another program's background since then survives a start of the clock.
xsetroot -solid '#FF0000'
restart_clock
sleep 1
expect_colour other 600x300+20+100 '#FF0000' "a start drew over what xsetroot had set"
echo "root wallpaper kept: ok"
