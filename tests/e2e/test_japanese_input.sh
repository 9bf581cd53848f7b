#!/usr/bin/env bash
# Japanese typed through a real input method, fcitx5 with Mozc reached through
# its Qt 6 front end (QT_IM_MODULE=fcitx), reaches the quick memo and a diary
# day, and both files hold it as CP932 text. Mozc does not run as root: the
# input method, its session bus and the clock run as an unprivileged user on
# the test's own display. Skipped (77) when fcitx5, Mozc or the front end is
# not installed or the input method does not start.
source "$(dirname "$0")/lib.sh"
IM_USER=nobody
IM_GROUP=nogroup

skip() {
  echo "SKIP: $*"
  exit 77
}
command -v fcitx5 >/dev/null && command -v fcitx5-remote >/dev/null || skip "fcitx5 is not installed"
compgen -G "/usr/lib/*/fcitx5/fcitx5-mozc.so" >/dev/null || skip "fcitx5-mozc is not installed"
compgen -G "/usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so" >/dev/null \
  || skip "fcitx5-frontend-qt6 is not installed"
id "$IM_USER" >/dev/null 2>&1 || skip "no user $IM_USER to run the input method as"

start_display
xhost "+SI:localuser:$IM_USER" >/dev/null || fail "the input method's user may not use the display"

# The user's own home, runtime folder and program folder.
chmod 755 "$WORK"
IM_HOME="$WORK/im-home"
IM_RUNTIME="$WORK/im-runtime"
mkdir -p "$IM_HOME/.config/fcitx5" "$IM_RUNTIME"
chmod 700 "$IM_RUNTIME"
# One group: the keyboard when inactive, Mozc when active, and every new
# window starts active.
cat > "$IM_HOME/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE
printf '[Behavior]\nActiveByDefault=True\n' > "$IM_HOME/.config/fcitx5/config"
make_program_folder
# A memo, so that the memo window opens at start.
write_cp932 "$PROGRAM/Tockara.ini" "[Fusen]
0=memo"
chown -R "$IM_USER:$IM_GROUP" "$IM_HOME" "$IM_RUNTIME" "$PROGRAM"

# Mozc's server can leave the input method's process tree (a client that
# finds no server starts one of its own): whatever still runs as the user
# with the test's home is stopped too, each by its pid.
im_leftovers() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(stat -c %U "$p" 2>/dev/null)" = "$IM_USER" ] || continue
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qxF "HOME=$IM_HOME" && echo "${p#/proc/}"
  done
  return 0
}
trap 'stop_processes "${PIDS[@]}"; stop_processes $(im_leftovers); cleanup' EXIT

as_im_user() {
  setpriv --reuid="$IM_USER" --regid="$IM_GROUP" --clear-groups \
    env -i PATH=/usr/bin:/bin HOME="$IM_HOME" XDG_RUNTIME_DIR="$IM_RUNTIME" DISPLAY="$DISPLAY" \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$IM_RUNTIME/bus" LANG=C.UTF-8 "$@"
}
as_im_user dbus-daemon --session --nofork --nopidfile --address="unix:path=$IM_RUNTIME/bus" \
  >"$WORK/im-bus.log" 2>&1 &
PIDS+=($!)
bus_ready() { [ -S "$IM_RUNTIME/bus" ]; }
wait_until 20 bus_ready || skip "the input method's session bus did not start"
as_im_user fcitx5 >"$WORK/fcitx5.log" 2>&1 &
PIDS+=($!)
wait_until 30 as_im_user fcitx5-remote >/dev/null 2>&1 || { cat "$WORK/fcitx5.log" >&2; skip "fcitx5 did not start"; }

as_im_user env QT_IM_MODULE=fcitx "$PROGRAM/tockara" >"$WORK/clock.log" 2>&1 &
CLOCK_PID=$!
PIDS+=($CLOCK_PID)

# The note window's text box (FLD0 at 8,40 on the panel at 8,8).
text_box() { # window
  local x y
  read -r x y <<<"$(window_origin "$1")"
  echo "225x129+$((x + 16))+$((y + 48))"
}
# Presses keys and waits until the text box shows what the input method made
# of them.
keys_shown() { # name window keys...
  local name=$1 window=$2 before
  shift 2
  before=$(screenshot "$name-before")
  xdotool "$@"
  wait_for_change "$name" "$before" "$(text_box "$window")" 0 20 >/dev/null \
    || { tail -20 "$WORK/fcitx5.log" >&2; fail "the text box did not change after: $* ($name)"; }
}
# Nothing typed went past the input method as plain letters.
no_romaji() { # file
  ! iconv -f CP932 -t UTF-8 "$1" | grep -q nihongo
}

# The quick memo: "nihongo" committed as it reads, in hiragana.
memo=$(wait_for_title 'ちょいメモ設定' 30) || { cat "$WORK/clock.log" >&2; fail "the memo window did not open at start-up"; }
wait_for_painted "$memo"
# The first key goes to the input method only once it has taken the memo's
# text box as its own (active there: state 2); before that it lands as a
# plain letter.
im_active() { [ "$(as_im_user fcitx5-remote 2>/dev/null)" = 2 ]; }
wait_until 10 im_active || fail "the input method did not become active in the memo window"
xdotool key ctrl+a
keys_shown memo-typed "$memo" type --delay 80 nihongo
keys_shown memo-committed "$memo" key Return
xdotool mousemove --window "$memo" 40 204 click 1   # 登録
# 登録します: はい is the box's default button.
sleep 0.5
xdotool key Return
wait_until 10 no_window 'ちょいメモ設定' || fail "登録 did not close the memo window"
memo_line=$(ini_value "$PROGRAM/Tockara.ini" Fusen 0)
[ "$memo_line" = "にほんご" ] || fail "the memo holds '$memo_line', not にほんご"
no_romaji "$PROGRAM/Tockara.ini" || fail "romaji reached the memo"

# A diary day: "nihongo" converted to kanji with the space bar.
wait_for_window
xdotool mousemove 40 40 click 3
sleep 1
for _ in $(seq 9); do xdotool key Down; done   # カレンダー
xdotool key Return
calendar=$(wait_for_title 'Tockara カレンダー') || fail "カレンダー opened no window"
first=$(date +%Y-%m-01)
cell=$(($(date -d "$first" +%w) + 14))   # the 15th
xdotool mousemove --window "$calendar" $((8 + 10 + 36 * (cell % 7) + 18)) $((8 + 26 + 20 * (cell / 7) + 10)) click 1
day="$(date +%Y)/$(date +%-m)/15"
diary=$(wait_for_title "$day") || fail "a click on the 15th opened no diary"
wait_for_painted "$diary"
keys_shown diary-typed "$diary" type --delay 80 nihongo
keys_shown diary-converted "$diary" key space
keys_shown diary-committed "$diary" key Return
cp "$WORK/diary-committed.png" "${TOCKARA_E2E_SHOTS:-$WORK}/japanese_input.png" 2>/dev/null || true
xdotool mousemove --window "$diary" 40 204 click 1   # 登録
wait_until 10 no_window "$day" || fail "登録 did not close the diary"
niki="$PROGRAM/NIKI$(date +%Y).txt"
diary_line=$(ini_value "$niki" "$(date +%-m)月15日" 0)
[ "$diary_line" = "日本語" ] || fail "the diary holds '$diary_line', not 日本語"
no_romaji "$niki" || fail "romaji reached the diary"
# CP932 on disk: the bytes of the words themselves.
grep -qF "$(printf '日本語' | iconv -f UTF-8 -t CP932)" "$niki" || fail "the diary is not CP932 text"
grep -qF "$(printf 'にほんご' | iconv -f UTF-8 -t CP932)" "$PROGRAM/Tockara.ini" || fail "the memo is not CP932 text"
echo "japanese input: ok"
