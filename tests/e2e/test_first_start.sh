#!/usr/bin/env bash
# A new user's first start: Tockara.ini appears with every key, the green
# 80 x 80 circle stands at the top-left corner, a second start leaves one clock.
source "$(dirname "$0")/lib.sh"
start_display
make_program_folder
start_clock

ini="$PROGRAM/Tockara.ini"
wait_for_file "$ini" 10 || fail "Tockara.ini was not created"
for key in "Setting Left 0" "Setting Top 0" "Setting Width 80" "Setting Height 80" \
           "Color Bord 32768" "Thick SLine 1" "Image TilePattern 1" "Alarm Time 00:00" \
           "Alarm Comment2 時間です" "Anime Enabled 1" "ARC FileFold 0"; do
  set -- $key
  [ "$(ini_value "$ini" "$1" "$2")" = "$3" ] || fail "$1/$2 is not $3"
done
keys=$(iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r' | awk '
  /^\[/ { s = $0 } /=/ && s ~ /^\[(Setting|Color|Thick|Image|Digital|Alarm|Anime|ARC)\]$/ { n++ } END { print n }')
[ "$keys" = 43 ] || fail "Tockara.ini holds $keys settings keys, not 43"

shot=$(screenshot first)
green=$(count_colour "$shot" 80x80+0+0 '#008000')
outside=$(count_colour "$shot" 80x80+80+0 '#008000')
corner=$(count_colour "$shot" 6x6+0+0 '#008000')
# A circle of diameter 80 covers about 5,000 pixels; hands and texts take some.
[ "$green" -gt 3800 ] && [ "$green" -lt 5100 ] || fail "green face pixels: $green"
[ "$outside" = 0 ] || fail "green outside the clock: $outside"
[ "$corner" = 0 ] || fail "the corner is green: the window is not elliptic"

# A second start exits silently and leaves one clock.
timeout 10 "$PROGRAM/tockara" || fail "the second start did not exit cleanly"
count=$(xdotool search --onlyvisible --name '^Tockara$' | wc -l)
[ "$count" = 1 ] || fail "$count clocks are running"
kill -0 "$CLOCK_PID" || fail "the first clock ended"
echo "first start: ok"
