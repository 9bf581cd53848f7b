#!/usr/bin/env bash
# `tockara --holidays YEAR`, `--version` and `--help` answer on a machine
# without a display, and leave Tockara.ini and the single-instance lock alone;
# an argument the program does not know prints the usage, exits 2 and starts
# no clock.
set -euo pipefail

BINARY=$(readlink -f "$1")
WORK=$(mktemp -d /tmp/tockara-cli.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$WORK/program" "$WORK/runtime" "$WORK/home"
chmod 700 "$WORK/runtime"
cp "$BINARY" "$WORK/program/tockara"
cp "$(dirname "$BINARY")/Calender.ini" "$WORK/program/"

tockara() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    XDG_RUNTIME_DIR="$WORK/runtime" HOME="$WORK/home" "$WORK/program/tockara" "$@"
}

# The days off of 2026 as the Cabinet Office published them.
expected=$'2026-01-01\t元日
2026-01-12\t成人の日
2026-02-11\t建国記念の日
2026-02-23\t天皇誕生日
2026-03-20\t春分の日
2026-04-29\t昭和の日
2026-05-03\t憲法記念日
2026-05-04\tみどりの日
2026-05-05\tこどもの日
2026-05-06\t振替休日
2026-07-20\t海の日
2026-08-11\t山の日
2026-09-21\t敬老の日
2026-09-22\t国民の休日
2026-09-23\t秋分の日
2026-10-12\tスポーツの日
2026-11-03\t文化の日
2026-11-23\t勤労感謝の日'
actual=$(tockara --holidays 2026) || fail "--holidays 2026 failed"
[ "$actual" = "$expected" ] || { diff <(echo "$expected") <(echo "$actual") >&2 || true; fail "wrong holidays for 2026"; }

tockara --help | grep -q -- '--holidays' || fail "--help does not list --holidays"

set +e
tockara --holidays 20x6 >/dev/null 2>"$WORK/err"; code=$?
set -e
[ "$code" = 2 ] || fail "a bad year gave exit code $code"
[ -s "$WORK/err" ] || fail "a bad year gave no message"

# The version of the package's change log, the one the manual page names.
sources=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n '1s/^tockara (\([^)]*\)).*/\1/p' "$sources/packaging/changelog")
actual=$(tockara --version) || fail "--version failed"
[ "$actual" = "tockara $version" ] || fail "--version printed '$actual', not 'tockara $version'"
grep -q "\"Tockara $version\"" "$sources/packaging/tockara.1" || fail "the manual page names another version"

# The manual page names every option --help names, and reads without warnings.
for option in $(tockara --help | grep -oE -- '(^| )--?[a-z]+' | sort -u); do
  grep -qF -- "$(sed 's/-/\\-/g' <<<"$option")" "$sources/packaging/tockara.1" \
    || fail "the manual page does not name $option"
done
groff -man -Tutf8 -K utf8 -ww -z "$sources/packaging/tockara.1" 2>"$WORK/groff" && [ ! -s "$WORK/groff" ] \
  || { cat "$WORK/groff" >&2; fail "the manual page has warnings"; }

for args in "--frobnicate" "-x" "stray" "--menu stray" "--version=1" "-session" "-reverse=1" "--holidays2026"; do
  set +e
  # shellcheck disable=SC2086 # each case is words
  tockara $args >"$WORK/out" 2>"$WORK/err"; code=$?
  set -e
  [ "$code" = 2 ] || fail "'$args' gave exit code $code"
  [ ! -s "$WORK/out" ] && grep -q -- '--holidays' "$WORK/err" || fail "'$args' printed no usage on the error output"
done

[ ! -e "$WORK/program/Tockara.ini" ] || fail "Tockara.ini was written"
[ -z "$(ls -A "$WORK/runtime")" ] || fail "the runtime folder was touched: $(ls -A "$WORK/runtime")"

# Without Calender.ini the program says so instead of printing an empty year.
rm "$WORK/program/Calender.ini"
set +e
tockara --holidays 2026 >"$WORK/out" 2>"$WORK/err"; code=$?
set -e
[ "$code" = 1 ] && grep -q 'Calender.ini' "$WORK/err" || fail "a missing Calender.ini was not reported ($code)"
echo "holidays option: ok"
