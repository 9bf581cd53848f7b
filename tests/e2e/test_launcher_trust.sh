#!/usr/bin/env bash
# What the launcher starts is what the user made a program. Shortcuts of
# every kind that are not marked executable (0644) run nothing, chosen from
# ランチャー > デスクトップ or dropped on the clock and chosen from ランチャー:
# each shows the untrusted-launcher warning and no marker file appears. An
# executable "notes.txt" that starts with "#!" is opened as the document it
# is named, and so is a dropped README without an extension; a trusted
# (0755) desktop launcher still runs, its program from the search path, not
# from the desktop folder; no helper comes from the program folder, even
# when it is on the search path. A launcher named with markup is named in
# its warning as it is written.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$(readlink -f "$2")
start_display
start_window_manager
make_program_folder

# The desktop's opener only records what it is asked to open.
mkdir -p "$WORK/bin" "$WORK/docs" "$HOME/Desktop"
DESK="$HOME/Desktop"
cat > "$WORK/bin/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$@" >> "$WORK/opened.log"
SH
cat > "$WORK/bin/marker-tool" <<SH
#!/bin/sh
touch "$WORK/ran-from-path"
SH
chmod +x "$WORK/bin/xdg-open" "$WORK/bin/marker-tool"
# The program folder (where archives are extracted by default) first on the
# search path, holding an opener of its own: the clock never starts it.
cat > "$PROGRAM/xdg-open" <<SH
#!/bin/sh
touch "$WORK/ran-planted-opener"
SH
chmod +x "$PROGRAM/xdg-open"
export PATH="$PROGRAM:$WORK/bin:$PATH"

# A script that leaves the marker it is named after.
marker_script() { # file marker
  printf '#!/bin/sh\ntouch "%s/%s"\n' "$WORK" "$2" > "$1"
  chmod 755 "$1"
}

# Shortcut files as Windows writes them: a shell link to a local path with
# arguments, a program information file with program and parameters.
shortcut() { # kind file target arguments
  /usr/bin/python3 - "$@" <<'PY'
import struct, sys
kind, path, target, arguments = sys.argv[1:5]
t, a = target.encode(), arguments.encode()
if kind == "lnk":
    clsid = bytes([1, 0x14, 2, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46])
    header = struct.pack("<I16sI", 0x4C, clsid, 0x02 | 0x20).ljust(0x4C, b"\0")
    base = t + b"\0"
    info = struct.pack("<IIIIIII", 0x1C + len(base) + 1, 0x1C, 1, 0, 0x1C, 0, 0x1C + len(base)) + base + b"\0"
    data = header + info + struct.pack("<H", len(a)) + a
else:
    data = bytearray(0x171)
    data[0x24:0x24 + len(t)] = t
    data[0xA5:0xA5 + len(a)] = a
open(path, "wb").write(bytes(data))
PY
}

# The untrusted shortcuts of the desktop, in the order the menu lists them,
# each with the marker its program would leave. The last one's name, read
# as markup, would be a picture of 900 x 300 pixels and hide the rest of the
# name (the squares) and of the warning.
MARKUP_NAME="f-a<img src=x width=900 height=300><!--■■■■■.desktop"
UNTRUSTED=(
  "a-invoice.pdf.lnk|ran-lnk"
  "b-game.pif|ran-pif"
  "c-notes.url|ran-url-relative"
  "d-report.url|ran-url-absolute"
  "e-invoice.pdf.desktop|ran-desktop"
  "$MARKUP_NAME|ran-markup"
)
shortcut lnk "$DESK/a-invoice.pdf.lnk" /bin/sh "-c \"touch $WORK/ran-lnk\""
shortcut pif "$DESK/b-game.pif" /bin/sh "-c \"touch $WORK/ran-pif\""
marker_script "$DESK/.payload" ran-url-relative
printf '[InternetShortcut]\r\nURL=file:.payload\r\n' > "$DESK/c-notes.url"
marker_script "$WORK/bin/payload" ran-url-absolute
printf '[InternetShortcut]\r\nURL=file://%s/bin/payload\r\n' "$WORK" > "$DESK/d-report.url"
printf '[Desktop Entry]\nType=Application\nName=invoice\nExec=sh -c "touch %s/ran-desktop"\n' "$WORK" \
  > "$DESK/e-invoice.pdf.desktop"
printf '[Desktop Entry]\nType=Application\nName=markup\nExec=sh -c "touch %s/ran-markup"\n' "$WORK" \
  > "$DESK/$MARKUP_NAME"
for item in "${UNTRUSTED[@]}"; do chmod 644 "$DESK/${item%%|*}"; done
# After them: a program planted beside the trusted launcher, and the launcher.
cat > "$DESK/marker-tool" <<SH
#!/bin/sh
touch "$WORK/ran-planted"
SH
chmod +x "$DESK/marker-tool"
printf '[Desktop Entry]\nType=Application\nName=runner\nExec=marker-tool\n' > "$DESK/runner.desktop"
chmod 755 "$DESK/runner.desktop"

marker_script "$WORK/docs/notes.txt" ran-notes
write_cp932 "$PROGRAM/Tockara.ini" "[Lunch]
Count=1
App01=$WORK/docs/\`notes\`txt\`notes\`1\`$WORK/docs\`"
start_clock

# The clock's boxes and the clock share the title "Tockara".
boxes() { xdotool search --onlyvisible --name '^Tockara$' 2>/dev/null | wc -l; }
# Opens ランチャー (the fourth item) and goes to its item $1 (1-based,
# separators not counted); with more arguments, opens that item's submenu
# and presses them there. Keys go to a menu once it is shown, and a moment
# later, when it has taken the keyboard.
menu_shown() { # count
  wait_until 30 menus_are "$1" || fail "$1 menus are not open (screen: $(screenshot menus))"
  sleep 0.3
}
choose() { # item [keys...]
  local item=$1; shift
  wait_until 30 menus_are 0 || fail "a menu is still open"
  xdotool mousemove 40 40 click 3
  menu_shown 1
  xdotool key Down Down Down Down Right
  menu_shown 2
  for _ in $(seq 2 "$item"); do xdotool key Down; done
  if [ $# -gt 0 ]; then xdotool key Right; menu_shown 3; xdotool key "$@"; fi
}
# Expects the warning box for $1, then closes it. With squares, the box shows
# that many of them (the name as written) and stays narrower than a picture
# of 900 pixels.
expect_warning() { # what [squares]
  local shot box width
  wait_until 10 test "$(boxes)" -ge 2 || fail "$1: no warning was shown (screen: $(screenshot "$1"))"
  shot=$(screenshot untrusted)
  cp "$shot" "${TOCKARA_E2E_SHOTS:-$WORK}/untrusted_${1//[^a-z.-]/_}.png" 2>/dev/null || true
  if [ -n "${2:-}" ]; then
    box=$(box_window) || fail "$1: the warning is gone"
    width=$(xwininfo -id "$box" | awk '/Width:/ { print $2 }')
    [ "$width" -lt 900 ] || fail "$1: the warning is $width pixels wide: the name was read as markup"
    [ "$(squares_shown "$shot" "$box")" = "$2" ] || fail "$1: the warning does not show the name as written ($shot)"
  fi
  xdotool key Return
  wait_until 10 test "$(boxes)" -le 1 || fail "$1: the warning did not close"
}

# ランチャー > 1. notes: opened as a document, not run.
choose 1
xdotool key Return
wait_for_file "$WORK/opened.log" 10 || fail "notes.txt did not reach the document opener"
[ "$(cat "$WORK/opened.log")" = "$WORK/docs/notes.txt" ] || fail "the opener was asked for $(cat "$WORK/opened.log")"

# ランチャー > デスクトップ (after 1. notes and the separator) > each untrusted shortcut.
position=0
for item in "${UNTRUSTED[@]}"; do
  file=${item%%|*}
  keys=()
  for _ in $(seq 1 "$position"); do keys+=(Down); done
  choose 2 "${keys[@]}" Return
  if [ "$file" = "$MARKUP_NAME" ]; then expect_warning "$file" 5; else expect_warning "$file"; fi
  position=$((position + 1))
done

# The trusted launcher after them and marker-tool: its program from the search path.
keys=()
for _ in $(seq 1 $((position + 1))); do keys+=(Down); done
choose 2 "${keys[@]}" Return
wait_for_file "$WORK/ran-from-path" 10 || fail "the trusted launcher did not run its program"
[ -e "$WORK/ran-planted" ] && fail "the program beside the launcher ran"
[ -e "$WORK/ran-planted-opener" ] && fail "the opener in the program folder ran"

# The shell link dropped on the clock becomes entry 2; chosen, it runs nothing.
drop_on_clock "$DESK/a-invoice.pdf.lnk"
wait_for_ini "$PROGRAM/Tockara.ini" Lunch Count 2 10 || fail "the dropped link was not registered"
choose 2
xdotool key Return
expect_warning dropped-link

# A dropped README (no extension, in a folder with a dot) is a document:
# chosen, it reaches the document opener, with no message.
mkdir -p "$WORK/docs/MY.DIR"
echo "Read me." > "$WORK/docs/MY.DIR/README"
drop_on_clock "$WORK/docs/MY.DIR/README"
wait_for_ini "$PROGRAM/Tockara.ini" Lunch Count 3 10 || fail "the dropped README was not registered"
choose 3
xdotool key Return
wait_until 10 test "$(wc -l < "$WORK/opened.log")" -ge 2 || fail "README did not reach the document opener"
[ "$(tail -1 "$WORK/opened.log")" = "$WORK/docs/MY.DIR/README" ] || fail "the opener was asked for $(tail -1 "$WORK/opened.log")"
[ "$(boxes)" -le 1 ] || fail "a message was shown for README (screen: $(screenshot readme))"
sed -i '$d' "$WORK/opened.log"

for item in "${UNTRUSTED[@]}" "docs/notes.txt|ran-notes"; do
  [ -e "$WORK/${item##*|}" ] && fail "${item%%|*} ran"
done
[ "$(wc -l < "$WORK/opened.log")" = 1 ] || fail "untrusted shortcuts were opened: $(cat "$WORK/opened.log")"
ps -p "$CLOCK_PID" >/dev/null || fail "the clock ended"
echo "launcher trust: ok"
