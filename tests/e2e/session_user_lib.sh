# A Wayland compositor's session as the tests run it: compositors refuse to
# run as root, so the session, and the clock inside it, belong to an
# unprivileged user. Source it after lib.sh.
SESSION_USER=nobody
SESSION_GROUP=nogroup

skip() {
  echo "SKIP: $*"
  exit 77
}

# Runs a command as the session's user, with the session's home and runtime
# folder and nothing else of the test's environment. A program started in
# the background is started by "${AS_SESSION_USER[@]}" itself, not by this
# function: then $! is the program's own pid, the one the test stops.
# Every command run in the foreground this way is a short call (a client's
# request, a screenshot); one that a stalled compositor leaves hanging fails
# after 20 s (SHORT_CALL), so that the test says what it waited for instead
# of running out its time.
SHORT_CALL=(timeout -k 2 20)
as_session_user() { "${SHORT_CALL[@]}" "${AS_SESSION_USER[@]}" "$@"; }

# Folders the session's user owns: its runtime folder, its home, SESSION
# for what its programs write (pid files, logs, screenshots) and, later, the
# program folder. The test's own folder must let that user through.
make_session_folders() {
  chmod 755 "$WORK"
  SESSION_RUNTIME="$WORK/session-runtime"
  SESSION_HOME="$WORK/session-home"
  SESSION="$WORK/session"
  mkdir -p "$SESSION_RUNTIME" "$SESSION_HOME" "$SESSION"
  chmod 700 "$SESSION_RUNTIME"
  chown -R "$SESSION_USER:$SESSION_GROUP" "$SESSION_RUNTIME" "$SESSION_HOME" "$SESSION"
  # The test run's mark goes along, so that what is left running is found.
  AS_SESSION_USER=(setpriv --reuid="$SESSION_USER" --regid="$SESSION_GROUP" --clear-groups
    env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$SESSION_HOME" XDG_RUNTIME_DIR="$SESSION_RUNTIME"
    ${TOCKARA_TEST_RUN:+TOCKARA_TEST_RUN="$TOCKARA_TEST_RUN"})
}

# A program folder as a new user has it, owned by the session's user.
make_session_program_folder() {
  make_program_folder
  chown -R "$SESSION_USER:$SESSION_GROUP" "$PROGRAM"
}

# Drives the compositor's pointer: the pointer device that a compositor
# nested in the virtual display (sway's X11 backend, mutter, KWin) reads
# from it. (swaymsg's "seat seat0 cursor" commands send the pointer into the
# surface under it anew at each step, and XWayland lets go of the buttons
# held whenever the pointer enters a surface: no drag survives them.)
pointer() { xdotool "$@"; }

# Whether the session's X clients see the pointer at X,Y.
session_pointer_at() { # x y
  [ "$(in_session xdotool getmouselocation 2>/dev/null | cut -d' ' -f1-2)" = "x:$1 y:$2" ]
}

# Drags a clock whose face stands at 200,150 by (100, 50) in steps, with the
# compositor's pointer, and checks the position saved: 4500/3000 twips at
# 15 twips per pixel.
drag_clock_by_100_50() {
  # Onto the face at 230,180, a pixel aside and back, then the press there.
  # sway passes the press on only after a motion past the entry; mutter
  # nested tells the window where the pointer entered, and no motion after
  # that until a button is pressed: both then hold the press at 230,180.
  pointer mousemove 230 180 sleep 0.2 mousemove 231 181 sleep 0.2 mousemove 230 180
  sleep 0.3
  # Under load the session may not yet have the pointer on the face: the
  # press waits until its X clients see it there.
  if declare -F in_session >/dev/null; then
    wait_until 5 session_pointer_at 230 180 || echo "before the press the session's pointer is at $(in_session xdotool getmouselocation 2>&1)"
  fi
  pointer mousedown 1
  for step in 1 2 3 4 5; do pointer mousemove $((230 + 20 * step)) $((180 + 10 * step)); sleep 0.1; done
  # mutter 48 nested holds the last motion back until the next pointer event
  # (its X clients see the pointer 20,10 short, even a second later): the
  # pointer comes to rest with a pixel aside and back, as a hand does, and
  # in a nested session is let go once the session has it at 330,230.
  pointer mousemove 331 231 sleep 0.1 mousemove 330 230
  if declare -F in_session >/dev/null; then
    wait_until 5 session_pointer_at 330 230 || echo "the session's pointer is at $(in_session xdotool getmouselocation 2>&1)"
  fi
  pointer mouseup 1
  local ini top
  ini="$PROGRAM/Tockara.ini"
  wait_for_ini "$ini" Setting Left 4500 10 || fail "Left is $(ini_value "$ini" Setting Left), expected 4500"
  top=$(ini_value "$ini" Setting Top)
  [ "$top" = 3000 ] || fail "Top is $top, expected 3000"
}
