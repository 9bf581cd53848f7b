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
[ "$(ini_value "$PROGRAM/Tockara.ini" Setting Width)" = 120 ] || fail "Width was not saved"

shot=$(screenshot walker)
chick=$(count_colour "$shot" 120x80+0+0 '#FFE63C')
green=$(count_colour "$shot" 120x80+0+0 '#008000')
[ "$chick" -gt 20 ] || fail "the walking figure is not on the face ($chick pixels)"
[ "$green" -lt 500 ] || fail "the background picture is not shown ($green plain face pixels)"
sleep 1
later=$(screenshot walker2)
[ "$(compare -metric AE -crop 120x80+0+0 "$shot" "$later" null: 2>&1)" != 0 ] || fail "the figure does not move"
echo "environment: ok"
