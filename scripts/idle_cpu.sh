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
# The span is ROUNDS (default 3) rounds of SECONDS each, one after the other,
# every program measured in each: a few milliseconds a minute vary from one
# minute to the next (the machine's other work, where a wake-up falls), so
# each figure is given for every round and as the median of the rounds.
# With a third argument, another build's program (next to its anime folder
# and Calender.ini), its still clock and its figure's clock run in the same
# span, and their figures follow: before and after a change, side by side.
set -euo pipefail
source "$(dirname "$0")/virtual_display.sh"
binary=$(readlink -f "${1:-build/tockara}")
seconds=${2:-40}
baseline=${3:+$(readlink -f "$3")}
rounds=${ROUNDS:-3}
settle=10
work=$(mktemp -d /tmp/tockara-idle.XXXXXX)
pids=()
trap 'stop_processes "${pids[@]}"; rm -rf "$work"' EXIT

XVFB_LOG="$work/xvfb.log"
start_xvfb || { cat "$XVFB_LOG" >&2; echo "no virtual display could be started" >&2; exit 1; }
pids+=("$XVFB_PID")

# A program folder of its own for a clock, with its own runtime folder so
# that both clocks may run on the one display. Prints the clock's pid.
start_clock() { # name [environment file text] [more of Tockara.ini] [program]
  local folder="$work/$1" program=${4:-$binary}
  mkdir -p "$folder/runtime"
  chmod 700 "$folder/runtime"
  cp "$program" "$folder/tockara"
  cp -r "$(dirname "$program")"/Calender.ini "$(dirname "$program")"/anime "$folder/"
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
measured=("$still" "$options" "$figure")
if [ -n "$baseline" ]; then
  base_still=$(start_clock base-still "$still_environment" "" "$baseline")
  pids+=("$base_still")
  base_figure=$(start_clock base-figure "" "" "$baseline")
  pids+=("$base_figure")
  measured+=("$base_still" "$base_figure")
fi
xclock -update 1 >/dev/null 2>&1 &
xclock=$!
pids+=("$xclock")
measured+=("$xclock")

# Nanoseconds the process has run, all its threads together, from the
# scheduler's own accounting (the classic CPU times count in hundredths of a
# second, too coarse for a clock that needs a few milliseconds a second).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%d", s }'; }
sleep "$settle"
# cpu[pid,round]: nanoseconds the program ran in that round.
declare -A cpu
for ((round = 1; round <= rounds; round++)); do
  declare -A before=()
  for pid in "${measured[@]}"; do before[$pid]=$(cpu_ns "$pid"); done
  sleep "$seconds"
  for pid in "${measured[@]}"; do cpu[$pid,$round]=$(($(cpu_ns "$pid") - before[$pid])); done
done

# Milliseconds a minute in each round, then their median: "r1 r2 r3 | median".
per_minute() { # pid
  local round values=()
  for ((round = 1; round <= rounds; round++)); do values+=("${cpu[$1,$round]}"); done
  printf '%s\n' "${values[@]}" | sort -g | awk -v t="$seconds" '{ v[NR] = $1 * 60 / t / 1e6 }
    END { n = NR; for (i = 1; i <= n; i++) printf "%5.1f ", v[i]
          printf "| %5.1f", n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2 }'
}
# The program's figure against xclock's in each round, and their median.
ratios() { # pid
  local round values=()
  for ((round = 1; round <= rounds; round++)); do
    values+=("$(awk -v a="${cpu[$1,$round]}" -v x="${cpu[$xclock,$round]}" 'BEGIN { printf "%.4f", a / (x > 1e6 ? x : 1e6) }')")
  done
  printf '%s\n' "${values[@]}" | sort -g | awk '{ v[NR] = $1 }
    END { n = NR; for (i = 1; i <= n; i++) printf "%.2f ", v[i]
          printf "| %.2f", n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2 }'
}
median_of() { awk '{ print $NF }' <<<"$1"; }
peak_mb() { awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
row() { # label pid
  printf '%-26s %s   peak memory %5.1f MB\n' "$1" "$(per_minute "$2")" "$(peak_mb "$2")"
}

echo "CPU in ms a minute, $rounds rounds of $seconds s (each round's figure, sorted | median),"
echo "after $settle s of settling, on a virtual display:"
row "tockara, figure still" "$still"
row "tockara, still, options on" "$options"
row "tockara, built-in figure" "$figure"
row "xclock -update 1" "$xclock"
still_ratios=$(ratios "$still")
figure_share=$(median_of "$(per_minute "$figure")")
echo "figure still:     $still_ratios x xclock (median: target at most 1.5 x)"
awk -v f="$figure_share" 'BEGIN { printf "built-in figure:  %.3f %% of one core (median; target at most 0.15 %%)\n", f / 600 }'
echo "peak memory target: at most 32 MB"
if [ -n "$baseline" ]; then
  echo "the other build ($baseline), in the same rounds:"
  row "tockara, figure still" "$base_still"
  row "tockara, built-in figure" "$base_figure"
  echo "figure still:     $(ratios "$base_still") x xclock"
  awk -v f="$(median_of "$(per_minute "$base_figure")")" 'BEGIN { printf "built-in figure:  %.3f %% of one core (median)\n", f / 600 }'
fi
