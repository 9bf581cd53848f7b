#!/usr/bin/env bash
# Without a desktop of its own, a solid-colour picture set as tiled wallpaper
# from the wallpaper page turns the screen outside the clock that colour; the
# page opens again on the same file and 並べて表示, and applying it unchanged
# keeps the wallpaper.
source "$(dirname "$0")/lib.sh"
unset XDG_CURRENT_DESKTOP
start_display
make_program_folder
start_clock

convert -size 16x16 xc:'#3366CC' "$WORK/blue.png"

# オプション (third from the bottom) > 壁紙設定 (fourth).
open_wallpaper_page() {
  xdotool mousemove 40 40 click 3
  sleep 1
  xdotool key Up Up Up Right Down Down Down Return
  PAGE=$(wait_for_title 'Tockara \[壁紙設定\]') || fail "the wallpaper page did not open"
  eval "$(xdotool getwindowgeometry --shell "$PAGE")"
  PAGE_X=$X PAGE_Y=$Y
  sleep 0.5
}
# Clicks at (x, y) of the window's inside (the page frame stands at 8, 0).
click_in_page() { xdotool mousemove $((PAGE_X + $1)) $((PAGE_Y + $2)) click 1; sleep 0.3; }
wait_until_closed() {
  for _ in $(seq 50); do xdotool search --onlyvisible --name 'Tockara \[壁紙設定\]' >/dev/null 2>&1 || return 0; sleep 0.1; done
  fail "the wallpaper page did not close"
}

open_wallpaper_page
# The file field has the focus when the page opens.
xdotool type "$WORK/blue.png"
click_in_page 48 65      # 並べて表示
click_in_page 48 196     # 確定
wait_until_closed
xdotool mousemove 600 600
sleep 0.5
shot=$(screenshot tiled)
blue=$(count_colour "$shot" 400x300+500+400 '#3366CC')
[ "$blue" -eq 120000 ] || fail "the screen outside the clock did not turn blue ($blue of 120000 pixels)"
[ "$(ini_value "$PROGRAM/Wallpaper.ini" Desktop TileWallpaper)" = 1 ] || fail "the tiled placement was not kept"

# Reopened, the page shows the tiled wallpaper: applying it unchanged keeps it.
open_wallpaper_page
click_in_page 48 196
wait_until_closed
[ "$(ini_value "$PROGRAM/Wallpaper.ini" Desktop Wallpaper)" = "$WORK/blue.png" ] || fail "the page did not show the wallpaper's file"
[ "$(ini_value "$PROGRAM/Wallpaper.ini" Desktop TileWallpaper)" = 1 ] || fail "the page did not show 並べて表示"
sleep 0.5
blue=$(count_colour "$(screenshot kept)" 400x300+500+400 '#3366CC')
[ "$blue" -eq 120000 ] || fail "the wallpaper did not stay ($blue pixels)"
echo "wallpaper: ok"
