#!/bin/sh
# Checks that RyTree32.dll of each built target exports, undecorated (x86 as well as x64), every
# name of lumtree/lumtree.def and every WINAPI function that lumtree/lumtree.h declares.
# Arguments: the source dir and the build dirs to check.
src=$1
shift
names=$(sed -n '/^EXPORTS/,$p' "$src/lumtree/lumtree.def" | sed '1d; s/^ *//; /^;/d; /^$/d')
declared=$(grep -o 'WINAPI  *[A-Za-z_][A-Za-z_0-9]* *(' "$src/lumtree/lumtree.h" |
    sed 's/WINAPI *//; s/ *($//')
if [ -z "$declared" ]; then
    echo "no WINAPI functions found in lumtree.h"
    exit 1
fi
status=0
checked=0
for build in "$@"; do
    dll="$build/bin/RyTree32.dll"
    [ -f "$dll" ] || continue
    checked=$((checked + 1))
    exports=$(x86_64-w64-mingw32-objdump -p "$dll" | sed -n '/Ordinal\/Name Pointer/,/^$/p')
    for name in $names $declared; do
        if ! printf '%s\n' "$exports" | grep -q "\] $name\$"; then
            echo "$dll does not export $name"
            status=1
        fi
    done
    if printf '%s\n' "$exports" | grep -q '@'; then
        echo "$dll exports decorated names"
        status=1
    fi
done
[ $checked -gt 0 ] || { echo "no RyTree32.dll found"; exit 1; }
exit $status
