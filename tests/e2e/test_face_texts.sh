#!/usr/bin/env bash
# The default face shows the date in white with a dark-blue outline above the
# centre; a saved quick memo opens the memo window at start-up, beside the
# clock, which goes on ticking until the window is closed.
source "$(dirname "$0")/lib.sh"
start_display
make_program_folder
start_clock

shot=$(screenshot date)
white=$(count_colour "$shot" 80x20+0+5 '#FFFFFF')
outline=$(count_colour "$shot" 80x20+0+5 '#000080')
[ "$white" -gt 40 ] || fail "the date text is missing ($white white pixels)"
[ "$outline" -gt 80 ] || fail "the date has no outline ($outline outline pixels)"
[ "$(count_colour "$shot" 80x20+0+60 '#FFFFFF')" = 0 ] || fail "text below the centre"

kill "$CLOCK_PID"; wait "$CLOCK_PID" 2>/dev/null || true
write_cp932 "$PROGRAM/Tockara.ini" "[Fusen]
0=牛乳を買う
1=
2=歯医者 15時"
launch_clock
memo=$(wait_for_title 'ちょいメモ設定') || fail "the memo window did not open at start-up"
# The memo window opens beside the clock, leaving the face in sight.
read -r mx my <<<"$(window_origin "$memo")"
((mx >= 80 || my >= 80)) || fail "the memo window covers the clock at $mx,$my"
wait_for_window
first=$(screenshot ticking1)
wait_for_change ticking2 "$first" 80x80+0+0 0 10 >/dev/null \
  || fail "the clock stopped ticking while the memo window was open"
# The memo window shows the stored lines.
xdotool windowactivate --sync "$memo" 2>/dev/null || true
# The window closes on the key press; the key release then finds it gone.
xdotool key --window "$memo" Escape 2>/dev/null || true
wait_until 10 no_window 'ちょいメモ設定' || fail "the memo window did not close"
closed=$(screenshot closed)
wait_for_change ticking3 "$closed" 80x80+0+0 0 10 >/dev/null && kill -0 "$CLOCK_PID" \
  || fail "closing the memo window ended the clock"
[ "$(ini_value "$PROGRAM/Tockara.ini" Fusen 2)" = "歯医者 15時" ] || fail "the memo was changed"
echo "face texts and memo: ok"
