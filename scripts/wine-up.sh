#!/bin/sh
# Starts a private X display and a persistent Wine server for a test run; state goes to $1.
# Every background process has its output redirected, so ctest does not wait for it.
set -e
state=$1
mkdir -p "$state"
"$(dirname "$0")/wine-down.sh" "$state" 2>/dev/null || true
rm -f "$state/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$state/display.raw" \
    >"$state/xvfb.log" 2>&1 </dev/null &
echo $! >"$state/xvfb.pid"
for _ in $(seq 1 100); do
    [ -s "$state/display.raw" ] && break
    sleep 0.1
done
[ -s "$state/display.raw" ] || { echo "Xvfb did not start"; cat "$state/xvfb.log"; exit 1; }
tr -d '\n' <"$state/display.raw" >"$state/display"
export WINEPREFIX="$state/prefix" WINEDEBUG=-all DISPLAY=":$(cat "$state/display")"
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wineserver -p >/dev/null 2>&1 </dev/null
wine wineboot >/dev/null 2>&1 </dev/null
# No window manager runs on the display: Wine must not wait for one (2 s for every window hidden
# or destroyed). A crashing test must end instead of opening the crash dialog. Set on every start,
# not only for a new prefix: a prefix whose first boot was interrupted lacks them.
setting() {
    for _ in 1 2 3; do
        wine reg add "$@" /f >/dev/null 2>&1 </dev/null && return 0
        sleep 1
    done
    echo "wine-up: could not set $1 $3" >&2
    return 1
}
setting 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
setting 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# Wine draws the caption buttons with the Marlett font of fonts-wine, but reads fonts from the
# prefix's Fonts folder only: put it there (a prefix made before the package came gets it too).
marlett=/usr/share/wine/fonts/marlett.ttf
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -f "$marlett" ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp "$marlett" "$fonts/"
fi
echo "Wine prefix $WINEPREFIX on display $DISPLAY"
