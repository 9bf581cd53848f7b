#!/usr/bin/env bash
# make test-debian13: the README's `make test` on Debian 13 ("trixie"), in a
# Debian 13 root made with debootstrap under the build folder, on a clean
# clone of the current commit.
#
#   scripts/test_debian13.sh [--build DIR] [--fresh] [--root DIR] [--inside CMD]
#
#   --build DIR   the build folder (default build); the root is DIR/debian13,
#                 the run's log DIR/debian13.log
#   --fresh       makes the root anew even when one is there
#   --root DIR    uses DIR as the root (made with debootstrap when it has no
#                 mark of a finished root)
#   --inside CMD  runs CMD in the root instead of the README's steps (the
#                 script's own test uses it with a small root of its own)
#
# The root is kept between runs, with a compiler cache inside it, so that a
# second run neither fetches nor compiles again what it already has. Whatever
# happens (the tests fail, the run is interrupted, a signal), the script stops
# what it started in the root and unmounts every file system it mounted there;
# mounts left by an earlier run that was killed are taken away at the start.
# Needs root (debootstrap, mount, chroot) and the Debian package server.
set -euo pipefail

build=build
fresh=0
root=
inside=
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --fresh) fresh=1; shift ;;
    --root) root=$2; shift 2 ;;
    --inside) inside=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--fresh] [--root DIR] [--inside CMD]" >&2; exit 2 ;;
  esac
done

if [ "$(id -u)" -ne 0 ]; then
  echo "test-debian13 needs root: it makes a Debian 13 root with debootstrap, mounts" >&2
  echo "the system's file systems in it and runs the tests there through chroot." >&2
  exit 2
fi

source_dir=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$build"
build=$(cd "$build" && pwd)
root=${root:-$build/debian13}
mkdir -p "$root"
root=$(cd "$root" && pwd -P)
case $root in
  / | "$source_dir" | "$build") echo "test-debian13: $root cannot be the Debian 13 root" >&2; exit 2 ;;
esac
log=$build/debian13.log
ready=$root/.tockara-root-ready
mirror=${TOCKARA_DEBIAN_MIRROR:-http://deb.debian.org/debian}

# The mount points at or below the root, deepest first (so that a mount on
# top of another goes first). /proc/self/mountinfo writes a space as \040.
mounts_below_root() {
  local point
  while read -r _ _ _ _ point _; do
    point=$(printf '%b' "$point")
    case $point in "$root" | "$root"/*) printf '%s\n' "$point" ;; esac
  done < /proc/self/mountinfo | awk '{ print length($0) "\t" $0 }' | sort -rn | cut -f2-
}

# The processes whose root folder is the Debian 13 root: whatever the run
# started there (a build, a test, a server a test left behind).
processes_in_root() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && echo "${p#/proc/}"
  done
  return 0
}

stop_processes_in_root() {
  local pids
  pids=$(processes_in_root)
  [ -z "$pids" ] && return 0
  # shellcheck disable=SC2086
  kill -TERM $pids 2>/dev/null || true
  for _ in $(seq 50); do
    pids=$(processes_in_root)
    [ -z "$pids" ] && return 0
    sleep 0.1
  done
  # shellcheck disable=SC2086
  kill -KILL $pids 2>/dev/null || true
}

unmount_all() {
  local point
  stop_processes_in_root
  # Two passes: a mount that is still busy in the first is let go lazily.
  while read -r point; do
    [ -n "$point" ] && umount "$point" 2>/dev/null
  done < <(mounts_below_root)
  while read -r point; do
    [ -n "$point" ] && { umount -l "$point" 2>/dev/null || echo "could not unmount $point" >&2; }
  done < <(mounts_below_root)
  return 0
}

child=
finish() {
  local status=$?
  trap - EXIT INT TERM HUP
  [ -n "$child" ] && kill -TERM "$child" 2>/dev/null
  unmount_all
  exit "$status"
}
trap finish EXIT
trap 'echo "test-debian13: interrupted" >&2; exit 130' INT
trap 'echo "test-debian13: terminated" >&2; exit 143' TERM
trap 'echo "test-debian13: hung up" >&2; exit 129' HUP

# One run at a time in a root: another one waits here, so that a running
# one's mounts are never taken for ones left behind.
exec {root_lock}>"$root.lock"
if ! flock -n "$root_lock"; then
  echo "test-debian13: another run uses $root; waiting for it to end"
  flock "$root_lock"
fi

# An earlier run that was killed outright may have left its mounts.
if [ -n "$(mounts_below_root)" ]; then
  echo "test-debian13: unmounting what an earlier run left mounted in $root"
  unmount_all
fi

make_root() {
  if ! command -v debootstrap >/dev/null; then
    echo "test-debian13: installing debootstrap"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
  fi
  echo "test-debian13: making a Debian 13 root in $root (debootstrap, $mirror)"
  # Everything but the mark goes, so that a half-made root is not taken for a
  # finished one; debootstrap fills the emptied folder.
  find "$root" -mindepth 1 -maxdepth 1 -exec rm -rf --one-file-system {} +
  if ! debootstrap --variant=minbase trixie "$root" "$mirror" >"$build/debootstrap.log" 2>&1; then
    tail -n 20 "$build/debootstrap.log" >&2
    echo "test-debian13: debootstrap failed (log: $build/debootstrap.log)" >&2
    return 1
  fi
  touch "$ready"
}
if [ "$fresh" = 1 ] || [ ! -e "$ready" ]; then
  make_root
fi

mount_all() {
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys" 2>/dev/null || mount --bind /sys "$root/sys"
  mount --bind /dev "$root/dev"
  # The mounts below are private to the root: nothing mounted there reaches
  # the system's own /dev.
  mount --make-private "$root/dev"
  mkdir -p "$root/dev/pts" "$root/dev/shm"
  mount --bind /dev/pts "$root/dev/pts"
  mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
  mount -t tmpfs -o mode=1777,nosuid,nodev tmp "$root/tmp"
  mount -t tmpfs -o mode=755,nosuid,nodev run "$root/run"
  mkdir -p "$root/run/lock" "$root/run/user"
}
mount_all
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

# Runs a command in the root with a plain environment, in the background so
# that a signal reaches this script's traps at once.
in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    CCACHE_DIR=/var/cache/tockara-ccache CI="${CI:-}" "$@" {root_lock}>&- &
  child=$!
  local status=0
  wait "$child" || status=$?
  child=
  return "$status"
}

if [ -n "$inside" ]; then
  in_root /bin/sh -c "$inside"
  exit $?
fi

# A clean clone of the current commit (uncommitted changes are not in it).
commit=$(git -C "$source_dir" rev-parse HEAD)
rm -rf "$root/src/tockara"
mkdir -p "$root/src"
git clone -q --no-hardlinks "$source_dir" "$root/src/tockara"
git -C "$root/src/tockara" checkout -q --detach "$commit"
echo "test-debian13: $(git -C "$source_dir" log -1 --format='%h %s' | cut -c1-72)"

# The README's steps on a bare system: git and make, then `make test`.
start=$(date +%s)
status=0
in_root /bin/bash -c '
  set -e
  export DEBIAN_FRONTEND=noninteractive
  if ! command -v make >/dev/null || ! command -v git >/dev/null; then
    apt-get update -qq && apt-get install -y -qq git make
  fi
  cd /src/tockara && make test' > >(tee "$log") 2>&1 || status=$?
seconds=$(( $(date +%s) - start ))

echo
echo "== Debian 13: make test, $((seconds / 60)) min $((seconds % 60)) s, exit $status (log: $log)"
# ctest's closing lines: the count, then the tests skipped and failed.
awk '/^[0-9]+% tests passed/ { print }
     /^The following tests (did not run|FAILED):/ { list = 1; print; next }
     list && /^[ \t]/ { print; next }
     { list = 0 }' "$log"
exit "$status"
