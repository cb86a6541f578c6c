#!/bin/sh
# Builds the x64 library and the sample application and runs it under Wine. With a display the
# window opens there; without one (or with --screenshot) it runs on a private X display and
# writes a PNG screenshot of its window.
set -e
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset x64 >/dev/null
cmake --build --preset x64 --target lumtree_demo
out="$PWD/build/demo.png"
if [ -n "$DISPLAY" ] && [ "$1" != "--screenshot" ]; then
    export WINEPREFIX="$PWD/build/x64/wine/prefix" WINEDEBUG=-all
    mkdir -p "$WINEPREFIX"
    exec wine build/x64/bin/lumtree_demo.exe
fi
state="$PWD/build/x64/wine"
./scripts/wine-up.sh "$state" >/dev/null
trap './scripts/wine-down.sh "$state"' EXIT
./scripts/wine-run.sh build/x64/bin/lumtree_demo.exe --screenshot "Z:$out" >/dev/null
[ -s "$out" ] || { echo "The sample application wrote no screenshot"; exit 1; }
echo "Screenshot of the sample application: $out"
