#!/usr/bin/env bash
# Toolkit plugins (a platform theme, a platform, a picture format, an input
# method) and a qt.conf that sends the toolkit's plugins and translations
# elsewhere, all beside the executable as an archive extracted into a
# portable program folder leaves them: the clock starts and shows its face,
# whatever the session names as theme or input method, and loads none of them.
source "$(dirname "$0")/lib.sh"
PLANTED="$BUILD_DIR/tests/planted_plugins"
[ -d "$PLANTED/platformthemes" ] || fail "the planted plugins were not built ($PLANTED)"
start_display
start_window_manager
make_program_folder

export PLANTED_PLUGIN_MARKER="$WORK/planted-plugin-loaded"
cp -r "$PLANTED"/* "$PROGRAM/"
# Where the planted qt.conf points: the same plugins again.
mkdir -p "$WORK/elsewhere/plugins" "$WORK/elsewhere/translations"
cp -r "$PLANTED"/* "$WORK/elsewhere/plugins/"
for conf in qt.conf qt6.conf; do
  printf '[Paths]\nPrefix=%s\nPlugins=plugins\nTranslations=translations\n' "$WORK/elsewhere" > "$PROGRAM/$conf"
done
# A face picture in a format the toolkit reads through a plugin.
write_cp932 "$PROGRAM/Tockara.ini" "[Image]
Enabled=-1
File=$PROGRAM/anime/bird.gif"

# What the session asks of the toolkit, one start each.
variants=(
  "QT_QPA_PLATFORMTHEME=tockaratest"
  "QT_QPA_PLATFORMTHEME=gtk3 QT_IM_MODULE=tockaratest"
  "QT_QPA_PLATFORMTHEME=xdgdesktopportal QT_IM_MODULE=xim"
  "XDG_CURRENT_DESKTOP=GNOME"
)
for variant in "${variants[@]}"; do
  # shellcheck disable=SC2086
  env $variant "$PROGRAM/tockara" >"$WORK/clock.log" 2>&1 &
  CLOCK_PID=$!
  PIDS+=($CLOCK_PID)
  wait_for_window
  sleep 1
  [ -e "$PLANTED_PLUGIN_MARKER" ] && fail "with $variant a planted plugin was loaded: $(sort -u "$PLANTED_PLUGIN_MARKER" | tr '\n' ' ')"
  ps -p "$CLOCK_PID" >/dev/null || fail "with $variant the clock ended: $(cat "$WORK/clock.log")"
  kill "$CLOCK_PID"
  wait "$CLOCK_PID" 2>/dev/null || true
  wait_until 10 no_window Tockara || fail "the clock did not end after $variant"
done
echo "planted toolkit plugins: ok"
