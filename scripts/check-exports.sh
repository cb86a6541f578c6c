#!/bin/sh
# Checks that RyTree32.dll of each built target exports the names of lumtree/lumtree.def
# undecorated (x86 as well as x64). Arguments: the source dir and the build dirs to check.
src=$1
shift
names=$(sed -n '/^EXPORTS/,$p' "$src/lumtree/lumtree.def" | sed '1d; s/^ *//; /^$/d')
status=0
for build in "$@"; do
    dll="$build/bin/RyTree32.dll"
    [ -f "$dll" ] || continue
    exports=$(x86_64-w64-mingw32-objdump -p "$dll" | sed -n '/Ordinal\/Name Pointer/,/^$/p')
    for name in $names; do
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
exit $status
