#!/usr/bin/env bash
# On a screen scaled by 2 the clock keeps its size in logical pixels (twice as
# many screen pixels), its elliptic shape and its position in twips, and its
# face is drawn at the screen's resolution, not as a doubled small image.
source "$(dirname "$0")/lib.sh"
start_display
make_program_folder
start_window_manager
# 100 logical pixels from the top-left corner at 15 twips per pixel.
write_cp932 "$PROGRAM/Tockara.ini" "[Setting]
Left=1500
Top=1500
[Digital]
DatePattern=1
TimePattern=1"
export QT_SCALE_FACTOR=2
start_clock

read -r x y < <(window_origin "$WINDOW")
[ "$x $y" = "200 200" ] || fail "the clock stands at $x,$y, expected 200,200"
size=$(xwininfo -id "$WINDOW" \
         | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = 160x160 ] || fail "the clock is $size screen pixels, expected 160x160"

shot=$(screenshot scaled)
# The shape is the ellipse of the whole window: face colour near its left
# edge, the desktop in its corners.
[ "$(count_colour "$shot" 8x40+202+260 '#008000')" -gt 300 ] \
  || fail "no face at the window's left edge"
for corner in 10x10+200+200 10x10+350+200 10x10+200+350 10x10+350+350; do
  [ "$(count_colour "$shot" "$corner" '#008000')" = 0 ] || fail "face colour in the corner $corner"
done
# A doubled small image is made of 2 x 2 blocks of one colour; the face drawn
# at the screen's resolution is not.
convert "$shot" -crop 160x160+200+200 +repage "$WORK/face.png"
convert "$WORK/face.png" -sample 50% -sample 200% "$WORK/doubled.png"
finer=$(compare -metric AE "$WORK/face.png" "$WORK/doubled.png" null: 2>&1 || true)
[ "${finer:-0}" -gt 200 ] 2>/dev/null \
  || fail "the face is a doubled small image ($finer finer pixels)"

# A drag of (40, 30) screen pixels moves the clock by (20, 15) logical pixels,
# stored in twips of logical pixels.
xdotool mousemove 280 280 mousedown 1 mousemove 300 295 mousemove 320 310 mouseup 1
ini="$PROGRAM/Tockara.ini"
wait_for_ini "$ini" Setting Left 1800 10 \
  || fail "Left is $(ini_value "$ini" Setting Left), expected 1800"
top=$(ini_value "$ini" Setting Top)
[ "$top" = 1725 ] || fail "Top is $top, expected 1725"
echo "scaled screen: ok ($finer pixels finer than a doubled image)"
