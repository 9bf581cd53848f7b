#!/usr/bin/env bash
# Draws the program's icon at the sizes desktops ask for, from data/icons/tockara.svg.
# Needs rsvg-convert (Debian package librsvg2-bin); the PNGs are kept in the
# repository, so building never needs it.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" tockara.svg -o "tockara-$size.png"
done
