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
as_session_user() { "${AS_SESSION_USER[@]}" "$@"; }

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
  AS_SESSION_USER=(setpriv --reuid="$SESSION_USER" --regid="$SESSION_GROUP" --clear-groups
    env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$SESSION_HOME" XDG_RUNTIME_DIR="$SESSION_RUNTIME")
}

# A program folder as a new user has it, owned by the session's user.
make_session_program_folder() {
  make_program_folder
  chown -R "$SESSION_USER:$SESSION_GROUP" "$PROGRAM"
}

