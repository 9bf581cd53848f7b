#!/usr/bin/env bash
# Makes the Debian package from a built tree, shows its control fields and
# contents, and checks it with lintian, which fails on errors and warnings.
set -euo pipefail
build=${1:-build}
rm -rf "$build/package"
(cd "$build" && cpack -G DEB --config CPackConfig.cmake >/dev/null)
deb=$(ls "$build"/package/tockara_*.deb)
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends Installed-Size
echo "== contents"
dpkg-deb --contents "$deb"
echo "== lintian"
# lintian warns when it runs as root; that is how this machine builds.
lintian --display-info --fail-on error,warning "$deb" 2> >(grep -v 'running with root privileges' >&2)
echo "lintian: no errors or warnings"
