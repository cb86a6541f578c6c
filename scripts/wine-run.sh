#!/bin/sh
# Runs a Windows program of the build under Wine with the display and prefix that
# wine-up.sh prepared next to the build's bin directory.
bin=$(cd "$(dirname "$1")" && pwd)
state="$(dirname "$bin")/wine"
if [ ! -f "$state/display" ]; then
    echo "wine-run: no display in $state (run the wine_up test or scripts/wine-up.sh first)" >&2
    exit 1
fi
export WINEPREFIX="$state/prefix" WINEDEBUG=-all DISPLAY=":$(cat "$state/display")"
exec wine "$@"
