#!/bin/sh
# Installs what building and testing need on a Debian machine (no extra architecture: 32-bit
# Windows code cannot run here, so only wine64 is used). Does nothing when all is present.
set -e
PACKAGES="g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xauth cmake ninja-build doctest-dev pkg-config"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
