#!/usr/bin/env bash
# Without a desktop of its own, a solid-colour picture typed below the home
# folder and set as tiled wallpaper from the wallpaper page turns the screen
# outside the clock that colour; the page opens again on the same file and
# 並べて表示, and applying it unchanged keeps the wallpaper. A file that is no
# picture is told and keeps the page open; 壁紙なし leaves nothing of the
# clock with the X server once it has ended.
source "$(dirname "$0")/lib.sh"
unset XDG_CURRENT_DESKTOP
start_display
make_program_folder
start_clock

convert -size 16x16 xc:'#3366CC' "$HOME/blue.png"

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
xdotool type "~/blue.png"
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
[ "$(ini_value "$PROGRAM/Wallpaper.ini" Desktop Wallpaper)" = "$HOME/blue.png" ] || fail "the page did not show the wallpaper's file"
[ "$(ini_value "$PROGRAM/Wallpaper.ini" Desktop TileWallpaper)" = 1 ] || fail "the page did not show 並べて表示"
sleep 0.5
blue=$(count_colour "$(screenshot kept)" 400x300+500+400 '#3366CC')
[ "$blue" -eq 120000 ] || fail "the wallpaper did not stay ($blue pixels)"

# A file that holds no picture: told, the page stays open, nothing changes.
echo "not a picture" > "$WORK/notes.png"
open_wallpaper_page
xdotool key ctrl+a
xdotool type "$WORK/notes.png"
click_in_page 48 91      # 中央に表示
click_in_page 48 196     # 確定
sleep 1
[ -n "$(visible_window 'Tockara \[壁紙設定\]')" ] || fail "the page closed on a file that is no picture"
boxes=$(xdotool search --onlyvisible --name '^Tockara$' | grep -cvx "$WINDOW" || true)
[ "$boxes" -ge 1 ] || fail "a file that is no picture was not told"
screenshot unreadable >/dev/null
xdotool key Return
sleep 0.5
[ "$(ini_value "$PROGRAM/Wallpaper.ini" Desktop Wallpaper)" = "$HOME/blue.png" ] || fail "a file that is no picture was kept"

# 壁紙なし: the screen turns black; the X server keeps no connection of the
# clock once the clock has ended.
click_in_page 48 143     # 壁紙なし
click_in_page 48 196
wait_until_closed
sleep 0.5
black=$(count_colour "$(screenshot none)" 400x300+500+400 '#000000')
[ "$black" -eq 120000 ] || fail "the wallpaper was not removed ($black black pixels)"
kill "$CLOCK_PID"
wait_for_exit "$CLOCK_PID" || fail "the clock did not end"
# Listed: the server itself and xrestop.
clients=$(xrestop -b -m 1 | grep -c 'res_base')
[ "$clients" -eq 2 ] || fail "the X server keeps $((clients - 2)) connection(s) of the ended clock"
echo "wallpaper: ok"
