#!/bin/sh
# Builds the x64 library and the sample application and runs it under Wine. With a display the
# window opens there; without one (or with --screenshot) it runs on a private X display and
# writes PNG screenshots of its window (build/demo.png), of the same items in the platform's
# own tree view (build/demo-platform.png) and of the display options (build/options.png).
set -e
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset x64 >/dev/null
cmake --build --preset x64 --target lumtree_demo lumtree_options
out="$PWD/build/demo.png"
if [ -n "$DISPLAY" ] && [ "$1" != "--screenshot" ]; then
    export WINEPREFIX="$PWD/build/x64/wine/prefix" WINEDEBUG=-all
    mkdir -p "$WINEPREFIX"
    exec wine build/x64/bin/lumtree_demo.exe
fi
state="$PWD/build/x64/wine"
./scripts/wine-up.sh "$state" >/dev/null
trap './scripts/wine-down.sh "$state"' EXIT
platform="$PWD/build/demo-platform.png"
./scripts/wine-run.sh build/x64/bin/lumtree_demo.exe --screenshot "Z:$out" >/dev/null
./scripts/wine-run.sh build/x64/bin/lumtree_demo.exe --platform-screenshot "Z:$platform" >/dev/null
options="$PWD/build/options.png"
./scripts/wine-run.sh build/x64/bin/lumtree_options.exe "Z:$options" >/dev/null
[ -s "$out" ] && [ -s "$platform" ] && [ -s "$options" ] ||
    { echo "The sample application wrote no screenshot"; exit 1; }
echo "Screenshot of the sample application: $out"
echo "The same items in the platform's tree view: $platform"
echo "The display options side by side: $options"
