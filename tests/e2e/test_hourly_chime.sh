#!/usr/bin/env bash
# 時報: three clocks of three program folders, each started at 09:59:50 of a
# faked clock, the chime turned on in Tockara.ini. The clock without a quiet
# time asks the sound service for the chime once at 10:00; the clock whose
# quiet time holds 10:00 asks for nothing. The third clock, started last,
# chiming tells that the first two have passed their full hour.
source "$(dirname "$0")/lib.sh"
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1)
[ -n "$FAKETIME_LIB" ] || fail "libfaketime is not installed"
# Nothing is heard and nothing is written outside the test's folders: no
# sound server, no audio output of the media framework.
export PULSE_SERVER="unix:$WORK/no-sound-server" GST_REGISTRY_1_0="$WORK/gst-registry.bin"
export GST_PLUGIN_FEATURE_RANK="pulsesink:NONE,alsasink:NONE,pipewiresink:NONE,jackaudiosink:NONE,osssink:NONE,oss4sink:NONE,openalsink:NONE,sdlaudiosink:NONE"
# The sound service says what it is asked to play.
export QT_LOGGING_RULES="tockara.platform.debug=true"
start_display
make_program_folder

# Starts the clock of folder NAME (a copy of the program folder with
# CHIME as its "Chime" section) at 09:59:50 and waits for its window.
start_chiming_clock() { # name chime-section
  local folder="$WORK/$1"
  cp -r "$PROGRAM" "$folder"
  write_cp932 "$folder/Tockara.ini" "[Setting]
Left=$((${#STARTED[@]} * 1500))
[Chime]
$2"
  LD_PRELOAD="$FAKETIME_LIB" FAKETIME="@$(date +%F) 09:59:50" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    "$folder/tockara" >"$WORK/$1.log" 2>&1 &
  PIDS+=($!)
  STARTED+=("$1")
  local before=$(xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | wc -l)
  more_clocks() { [ "$(xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | wc -l)" -gt "$before" ]; }
  wait_until 20 more_clocks || fail "the clock of $1 did not appear: $(cat "$WORK/$1.log")"
}
chimes() { grep -c "sound started: .*/$1/sounds/chime.wav" "$WORK/$1.log" || true; }
chimed() { [ "$(chimes "$1")" -ge 1 ]; }

STARTED=()
start_chiming_clock chiming $'Enabled=1\nQuiet=0'
start_chiming_clock quiet $'Enabled=1\nQuiet=1\nQuietFrom=09:30\nQuietTo=10:30'
start_chiming_clock last $'Enabled=1\nQuiet=0'

wait_until 30 chimed last || fail "the last clock did not chime at 10:00: $(tail -5 "$WORK/last.log")"
[ "$(chimes chiming)" = 1 ] || fail "the clock chimed $(chimes chiming) times at 10:00: $(grep sound "$WORK/chiming.log")"
[ "$(chimes quiet)" = 0 ] || fail "the clock chimed in its quiet time"
[ -f "$WORK/chiming/sounds/chime.wav" ] || fail "the shipped chime is missing"
echo "hourly chime: ok"
