#!/usr/bin/env bash
# What the clock costs while it sits on the desktop. On one virtual display,
# side by side for SECONDS (default 60) after a settling time, it runs
#   - the clock with its figure still (an environment whose one pattern
#     draws nothing: the face changes once a second, with the hands),
#   - the clock as it starts by default (the built-in figure, alternating
#     its poses),
#   - the still clock with its options on: 時報 (no quiet time), クリック透過
#     and 50% 透明度 (the window's opacity, which no one draws here),
#   - `xclock -update 1`, the yardstick,
# and prints each one's CPU time over that span and its peak memory, then the
# two figures the clock is held to: the still clock against xclock, and the
# figure's clock as a share of one processor core.
set -euo pipefail
source "$(dirname "$0")/virtual_display.sh"
binary=$(readlink -f "${1:-build/tockara}")
seconds=${2:-60}
settle=10
work=$(mktemp -d /tmp/tockara-idle.XXXXXX)
pids=()
trap 'stop_processes "${pids[@]}"; rm -rf "$work"' EXIT

XVFB_LOG="$work/xvfb.log"
start_xvfb || { cat "$XVFB_LOG" >&2; echo "no virtual display could be started" >&2; exit 1; }
pids+=("$XVFB_PID")

# A program folder of its own for a clock, with its own runtime folder so
# that both clocks may run on the one display. Prints the clock's pid.
start_clock() { # name [environment file text] [more of Tockara.ini]
  local folder="$work/$1"
  mkdir -p "$folder/runtime"
  chmod 700 "$folder/runtime"
  cp "$binary" "$folder/"
  cp -r "$(dirname "$binary")"/Calender.ini "$(dirname "$binary")"/anime "$folder/"
  if [ -n "${2:-}" ]; then
    printf '%s' "$2" > "$folder/still.dat"
    printf '[Anime]\r\nEnabled=-1\r\nFile=%s\r\n%s' "$folder/still.dat" "${3:-}" > "$folder/Tockara.ini"
  fi
  XDG_RUNTIME_DIR=$folder/runtime "$folder/tockara" >/dev/null 2>&1 &
  echo $!
}

still_environment=$'[Setting]\r\nFile=anime/builtin.gif\r\nPattern=1\r\n[Pattern]\r\nPat1=0,0,0,0,0,0,0,0,30000\r\n'
still=$(start_clock still "$still_environment")
pids+=("$still")
options=$(start_clock options "$still_environment" \
  $'[Window]\r\nOpacity=50\r\nClickThrough=1\r\n[Chime]\r\nEnabled=1\r\nQuiet=0\r\n')
pids+=("$options")
figure=$(start_clock figure)
pids+=("$figure")
xclock -update 1 >/dev/null 2>&1 &
xclock=$!
pids+=("$xclock")

# Nanoseconds the process has run, all its threads together, from the
# scheduler's own accounting (the classic CPU times count in hundredths of a
# second, too coarse for a clock that needs a few milliseconds a second).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%d", s }'; }
sleep "$settle"
declare -A before
for pid in "$still" "$options" "$figure" "$xclock"; do before[$pid]=$(cpu_ns "$pid"); done
sleep "$seconds"

cpu_seconds() { awk -v a="${before[$1]}" -v b="$(cpu_ns "$1")" 'BEGIN { printf "%.3f", (b - a) / 1e9 }'; }
peak_mb() { awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
still_cpu=$(cpu_seconds "$still")
options_cpu=$(cpu_seconds "$options")
figure_cpu=$(cpu_seconds "$figure")
xclock_cpu=$(cpu_seconds "$xclock")

echo "CPU over $seconds s, after $settle s of settling, on a virtual display:"
printf '%-26s CPU %6.3f s   peak memory %5.1f MB\n' "tockara, figure still" "$still_cpu" "$(peak_mb "$still")"
printf '%-26s CPU %6.3f s   peak memory %5.1f MB\n' "tockara, still, options on" "$options_cpu" "$(peak_mb "$options")"
printf '%-26s CPU %6.3f s   peak memory %5.1f MB\n' "tockara, built-in figure" "$figure_cpu" "$(peak_mb "$figure")"
printf '%-26s CPU %6.3f s   peak memory %5.1f MB\n' "xclock -update 1" "$xclock_cpu" "$(peak_mb "$xclock")"
awk -v s="$still_cpu" -v f="$figure_cpu" -v x="$xclock_cpu" -v t="$seconds" 'BEGIN {
  yard = x > 0.001 ? x : 0.001
  printf "figure still:     %.1f x xclock (target at most 1.5 x)\n", s / yard
  printf "built-in figure:  %.3f %% of one core (target at most 0.15 %%)\n", 100 * f / t
}'
echo "peak memory target: at most 32 MB"
