#!/usr/bin/env bash
# The tree `make install` puts under its prefix: every file where the desktop
# looks for it, entries that its validators accept, and a program that runs
# from there alone and seeds a new user's program folder from the installed
# data, not from the build tree.
set -euo pipefail
source "$(dirname "$0")/../../scripts/virtual_display.sh"
build=$(readlink -f "$1")
WORK=$(mktemp -d /tmp/tockara-install.XXXXXX)
PIDS=()
trap 'stop_processes "${PIDS[@]}"; rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$WORK/root" cmake --install "$build" --prefix /usr/local >/dev/null
prefix="$WORK/root/usr/local"
id=io.github.tockara.Tockara

for file in bin/tockara share/tockara/Calender.ini share/tockara/help/help.htm \
            share/tockara/anime/walker.dat share/tockara/sounds/chime.wav share/man/man1/tockara.1.gz \
            share/doc/tockara/copyright share/doc/tockara/changelog.gz \
            share/icons/hicolor/scalable/apps/tockara.svg; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  [ "$(identify -format %wx%h "$prefix/share/icons/hicolor/${size}x${size}/apps/tockara.png")" = "${size}x${size}" ] \
    || fail "no ${size}x${size} icon"
done
[ -x "$prefix/bin/tockara" ] || fail "the program is not executable"
# The on-demand modules lie where the program looks for them (bin/../lib/tockara/modules),
# with every library they need found.
for module in libarchive cdaudio sound; do
  so="$prefix/lib/tockara/modules/libtockara_$module.so"
  [ -f "$so" ] || fail "the module $module is not installed"
  ! ldd "$so" | grep -q 'not found' || fail "the module $module misses a library"
done

# The launcher entry starts the installed program and shows the installed icon;
# the metainfo names that entry.
entry="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$metainfo" >"$WORK/appstream" || { cat "$WORK/appstream" >&2; fail "the metainfo is not valid"; }
grep -qx 'Exec=tockara' "$entry" && grep -qx 'Icon=tockara' "$entry" || fail "the entry names another program or icon"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metainfo names another entry"

# Nothing of the build tree is looked for at run time, nor named in the
# installed files: an installed program never loads a module from the folder
# it was built in (world-writable when built under /tmp).
sources=$(cd "$(dirname "$0")/../.." && pwd)
for file in "$prefix/bin/tockara" "$prefix"/lib/tockara/modules/*.so; do
  if readelf -d "$file" | grep -qE 'RPATH|RUNPATH'; then fail "$file keeps a library path"; fi
  # (grep reads all of the text: an early end would fail strings in the pipe)
  for folder in "$build" "$sources"; do
    if strings -a "$file" | grep -F "$folder" >/dev/null; then fail "$file names the build's folder $folder"; fi
  done
done
# The build's own program names its module folder (the check above sees it).
strings -a "$build/tockara" | grep -F "$build/modules" >/dev/null || fail "the check above would not see a build path"

# The Debian package's relations (make package writes them into its control
# file): without Recommends a Japanese desktop still reads every text.
relations() { # field
  sed -n "s/^set(CPACK_DEBIAN_PACKAGE_$1 \"\(.*\)\")$/\1/p" "$build/CPackConfig.cmake" | sed 's/, /\n/g'
}
for need in "fonts-ipafont-gothic | fonts-japanese-gothic" qt6-translations-l10n xdg-utils; do
  relations DEPENDS | grep -qxF "$need" || fail "the package does not depend on $need ($(relations DEPENDS | paste -sd,))"
done
relations RECOMMENDS | grep -qxF "fcitx5-frontend-qt6 | ibus" \
  || fail "the package does not recommend an input method's Qt 6 module ($(relations RECOMMENDS | paste -sd,))"

# A look at the holidays reads the installed rules and creates nothing in the
# user's folders; a new user's first start of the clock seeds the program
# folder from the installed data (marked here, to tell it from the build
# tree's copy).
printf '; installed\r\n' >>"$prefix/share/tockara/Calender.ini"
mkdir -p "$WORK/home" "$WORK/runtime"
chmod 700 "$WORK/runtime"
# The installed program's command in a new user's environment: env execs the
# program, so a start in the background leaves the program's own pid in $!.
installed=(env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME -u XDG_CONFIG_HOME
           HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=offscreen
           "$prefix/bin/tockara")
holidays=$("${installed[@]}" --holidays 2026) || fail "the installed program did not run"
grep -q $'^2026-01-01\t元日$' <<<"$holidays" || fail "the installed program listed no holidays"
[ -z "$(ls -A "$WORK/home")" ] || fail "--holidays wrote into the home folder: $(cd "$WORK/home" && find .)"

user="$WORK/home/.local/share/tockara"
"${installed[@]}" >/dev/null 2>&1 &
PIDS+=($!)
wait_until 10 test -e "$user/Tockara.ini" || fail "the installed program wrote no Tockara.ini"
stop_processes "${PIDS[@]}"
PIDS=()
cmp -s "$user/Calender.ini" "$prefix/share/tockara/Calender.ini" || fail "Calender.ini was not seeded from the installed data"
cmp -s "$user/help/help.htm" "$prefix/share/tockara/help/help.htm" || fail "the help page was not seeded"
cmp -s "$user/anime/walker.dat" "$prefix/share/tockara/anime/walker.dat" || fail "the sample environments were not seeded"
cmp -s "$user/sounds/chime.wav" "$prefix/share/tockara/sounds/chime.wav" || fail "the chime was not seeded"
echo "installed tree: ok"
