#!/bin/sh
# Installs what building and testing need on a Debian machine (no extra architecture: 32-bit
# Windows code cannot run here, so only wine64 is used). Does nothing when all is present.
# Runs as root, or as a user who may use sudo; fonts-wine gives Wine the fonts it draws window
# captions and their buttons with (without it the buttons show as letters).
set -e
PACKAGES="g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 fonts-wine xvfb xauth cmake
ninja-build doctest-dev pkg-config"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    as_root=""
elif command -v sudo >/dev/null 2>&1; then
    as_root="sudo"
else
    echo "These packages are missing:$missing" >&2
    echo "Installing them needs root: run this script as root, or install sudo, or run" >&2
    echo "    apt-get install --no-install-recommends$missing" >&2
    echo "as root and start again." >&2
    exit 1
fi
echo "Installing:$missing"
$as_root apt-get update -q
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
