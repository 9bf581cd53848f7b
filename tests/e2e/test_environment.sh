#!/usr/bin/env bash
# A shipped sample environment dresses the clock: its size, its background
# and its walking figure appear on the screen.
source "$(dirname "$0")/lib.sh"
start_display
make_program_folder
[ -f "$PROGRAM/anime/walker.dat" ] || fail "the sample environment is not shipped"
write_cp932 "$PROGRAM/Tockara.ini" "[Anime]
Enabled=1
File=$PROGRAM/anime/walker.dat"
start_clock

geometry=$(xdotool getwindowgeometry "$WINDOW" | grep Geometry)
echo "$geometry" | grep -q "120x80" || fail "the environment's size was not applied: $geometry"
wait_for_ini "$PROGRAM/Tockara.ini" Setting Width 120 10 || fail "Width was not saved"

chick=$(wait_for_colour walker 120x80+0+0 '#FFE63C' 20 10) \
  || fail "the walking figure is not on the face ($chick pixels)"
shot="$WORK/walker.png"
green=$(count_colour "$shot" 120x80+0+0 '#008000')
[ "$green" -lt 500 ] || fail "the background picture is not shown ($green plain face pixels)"
wait_for_change walker2 "$shot" 120x80+0+0 0 10 >/dev/null || fail "the figure does not move"
echo "environment: ok"
