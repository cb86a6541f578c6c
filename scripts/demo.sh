#!/bin/sh
# Builds the x64 library and the sample applications and runs them under Wine. With a display
# the sample and the explorer (showing lumtree/) open there; without one (or with --screenshot)
# they run on a private X display and write PNG screenshots of the sample's window
# (build/demo.png), of the same items in the platform's own tree view (build/demo-platform.png),
# of the display options (build/options.png) and of the explorer's scripted session
# (build/explorer-1.png ... build/explorer-4.png).
set -e
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset x64 >/dev/null
cmake --build --preset x64 --target lumtree_demo lumtree_options lumtree_explorer
out="$PWD/build/demo.png"
if [ -n "$DISPLAY" ] && [ "$1" != "--screenshot" ]; then
    export WINEPREFIX="$PWD/build/x64/wine/prefix" WINEDEBUG=-all
    mkdir -p "$WINEPREFIX"
    wine build/x64/bin/lumtree_explorer.exe "Z:$PWD/lumtree" &
    wine build/x64/bin/lumtree_demo.exe
    wait
    exit 0
fi
state="$PWD/build/x64/wine"
./scripts/wine-up.sh "$state" >/dev/null
trap './scripts/wine-down.sh "$state"' EXIT
platform="$PWD/build/demo-platform.png"
./scripts/wine-run.sh build/x64/bin/lumtree_demo.exe --screenshot "Z:$out" >/dev/null
./scripts/wine-run.sh build/x64/bin/lumtree_demo.exe --platform-screenshot "Z:$platform" >/dev/null
options="$PWD/build/options.png"
./scripts/wine-run.sh build/x64/bin/lumtree_options.exe "Z:$options" >/dev/null
./scripts/wine-run.sh build/x64/bin/lumtree_explorer.exe --screenshot "Z:$PWD/build" \
    "Z:$PWD/lumtree" >/dev/null
[ -s "$out" ] && [ -s "$platform" ] && [ -s "$options" ] && [ -s build/explorer-4.png ] ||
    { echo "The sample application wrote no screenshot"; exit 1; }
echo "Screenshot of the sample application: $out"
echo "The same items in the platform's tree view: $platform"
echo "The display options side by side: $options"
echo "The explorer's session: $PWD/build/explorer-1.png ... explorer-4.png"
