#!/bin/sh
# Stops what wine-up.sh started for the state directory $1.
state=$1
if [ -f "$state/display" ]; then
    WINEPREFIX="$state/prefix" wineserver -k >/dev/null 2>&1 </dev/null || true
fi
if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
fi
rm -f "$state/display" "$state/display.raw"
exit 0
