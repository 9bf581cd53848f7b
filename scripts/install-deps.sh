#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tockara need,
# but only those that are missing, so a ready machine pays nothing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-qpa-plugins libgl-dev qt6-translations-l10n
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # running the real binary without a display, and driving it like a user
  xvfb xdotool imagemagick x11-utils x11-apps x11-xserver-utils procps openbox wmctrl
  # the X11 window managers the clock is tested under (each session's test)
  fluxbox icewm xfwm4
  # a clock started at a chosen time of day (the alarm and chime tests)
  faketime
  # a compositing manager for a bare X server (the clock's opacity), and a
  # native Wayland window that tells the clicks it gets (click-through)
  xcompmgr wev
  # the X server's clients and what they hold (a connection the clock leaves behind)
  xrestop
  # a Wayland session for the end-to-end tests: headless sway (wlroots) with
  # XWayland, its screenshots; setpriv runs it as an unprivileged user
  sway xwayland grim util-linux
  # a native Wayland window beneath the clock on sway (foot, a terminal)
  foot
  # the pointer and keyboard of sway's headless backend: a VNC server inside
  # the session (the tests' own client speaks to it)
  wayvnc
  # GNOME's and KDE's compositors, and the whole GNOME, run nested in a
  # virtual display with XWayland (the hover window letting go of the
  # pointer there, whatever lies beneath)
  mutter kwin-wayland gnome-shell
  # Weston with its XWayland, nested in a virtual display likewise
  weston
  # reading controls' texts over the accessibility bus (calendar and calculator tests)
  dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
  # the Japanese fonts the clock's texts are designed for
  fonts-ipafont-gothic
  # Japanese typed through a real input method (the input test): fcitx5,
  # Mozc and fcitx5's Qt 6 front end
  fcitx5 fcitx5-mozc fcitx5-frontend-qt6
  # display modes, the root window's wallpaper, CD audio; the pointer's
  # moves told by the X input extension
  libx11-dev libxrandr-dev libcdio-dev libxcb-xinput-dev
  # the alarms' sounds: the toolkit's multimedia library, and the media
  # framework's decoders and outputs it plays WAV, OGG and MP3 files with
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  # archive extraction: ZIP and LZH in process, ARJ through 7-Zip; bsdtar
  # makes the test and benchmark archives; zlib checks what 7-Zip wrote;
  # the arj program makes ARJ test archives and is what the clock's ARJ
  # extraction is compared with
  libarchive-dev 7zip libarchive-tools zlib1g-dev arj
  # the validators of the installed desktop entry and AppStream metainfo,
  # groff for the manual page; binutils strips the installed files and
  # checks them for build paths
  desktop-file-utils appstream groff-base binutils
  # watching the system calls of a settings save (the folder's sync)
  strace
)
# The fuzz build of the file readers (scripts/fuzz.sh) also needs clang and libFuzzer.
if [ "${1:-}" = "--fuzz" ]; then packages+=(clang libclang-rt-dev python3); fi
# The Debian package (make package): its dependencies from the libraries the
# program links (dpkg-shlibdeps, file), and lintian to check it.
if [ "${1:-}" = "--package" ]; then packages+=(dpkg-dev file lintian); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
