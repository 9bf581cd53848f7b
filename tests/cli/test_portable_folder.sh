#!/usr/bin/env bash
# A portable copy of the clock (the executable with its files beside it) is
# its own program folder when Tockara.ini or Calender.ini lies there: a copy
# whose Calender.ini is missing keeps its position, memo and alarms, and
# nothing is written into the user's data folder. A copy with neither is an
# installed program: its settings go to the user's data folder.
set -euo pipefail

BINARY=$(readlink -f "$1")
WORK=$(mktemp -d /tmp/tockara-portable.XXXXXX)
clock=
cleanup() {
  [ -n "$clock" ] && kill "$clock" 2>/dev/null && wait "$clock" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

ini_value() { # file section key
  tr -d '\r' < "$1" | awk -v s="[$2]" -v k="$3" '
    $0 == s { in_s = 1; next } /^\[/ { in_s = 0 }
    in_s && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}

# Starts the copy in FOLDER without a display until it has written SETTINGS
# (its Tockara.ini, wherever it keeps it) with every key, then ends it.
run_copy() { # folder settings
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$WORK/runtime" \
    HOME="$WORK/home" XDG_DATA_HOME="$WORK/home/data" "$1/tockara" >"$WORK/clock.log" 2>&1 &
  clock=$!
  for _ in $(seq 100); do grep -q '^FileFold=' "$2" 2>/dev/null && break; sleep 0.1; done
  kill "$clock"; wait "$clock" 2>/dev/null || true
  clock=
  grep -q '^FileFold=' "$2" 2>/dev/null || fail "$2 was not written: $(cat "$WORK/clock.log")"
}

# What lies beside the executable, and where its settings live then.
for beside in "Tockara.ini" "Tockara.ini Calender.ini" "Calender.ini" ""; do
  rm -rf "$WORK/copy" "$WORK/home" "$WORK/runtime"
  mkdir -p "$WORK/copy" "$WORK/home" "$WORK/runtime"
  chmod 700 "$WORK/runtime"
  cp "$BINARY" "$WORK/copy/tockara"
  for name in $beside; do
    case $name in
      Tockara.ini) printf '[Setting]\r\nLeft=1500\r\n[Alarm]\r\nEnabled1=-1\r\nTime1=07:30\r\n[Fusen]\r\n0=buy milk\r\n' > "$WORK/copy/$name" ;;
      Calender.ini) cp "$(dirname "$BINARY")/Calender.ini" "$WORK/copy/" ;;
    esac
  done
  if [ -n "$beside" ]; then
    settings="$WORK/copy/Tockara.ini"
    run_copy "$WORK/copy" "$settings"
    [ -e "$WORK/home/data/tockara" ] && fail "with $beside the copy moved to the user's data folder"
  else
    settings="$WORK/home/data/tockara/Tockara.ini"
    run_copy "$WORK/copy" "$settings"
    [ -e "$WORK/copy/Tockara.ini" ] && fail "a bare executable wrote its settings beside itself"
  fi
  if [[ $beside == *Tockara.ini* ]]; then
    [ "$(ini_value "$settings" Setting Left)" = 1500 ] || fail "with $beside the position was lost"
    [ "$(ini_value "$settings" Alarm Time1)" = 07:30 ] || fail "with $beside the alarm was lost"
    [ "$(ini_value "$settings" Fusen 0)" = "buy milk" ] || fail "with $beside the memo was lost"
  fi
done
echo "portable folder: ok"
