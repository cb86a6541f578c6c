#!/bin/sh
# Keeps docs/messages.md and lumtree/lumtree.h in step: every LUMTREEM_/LUMTREEN_ name the header
# defines has an entry ("### `NAME` — ...") carrying the header's number, and every entry names
# a message or notification the header defines. Argument: the source dir.
src=${1:-.}
header="$src/lumtree/lumtree.h"
docs="$src/docs/messages.md"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# NAME NUMBER, where NUMBER is "WM_USER+n" for messages and the code for notifications.
sed -n 's/^#define \(LUMTREEM_[A-Z0-9_]*\) *(WM_USER *+ *\([0-9]*\)).*/\1 WM_USER+\2/p
        s/^#define \(LUMTREEN_[A-Z0-9_]*\) *\([0-9][0-9]*\).*/\1 \2/p' "$header" | sort >"$tmp/header"
# The entries: the name in backticks, then the number after the dash.
sed -n 's/^### `\(LUMTREE[MN]_[A-Z0-9_]*\)` — \([^ ]*\).*/\1 \2/p' "$docs" | sort >"$tmp/docs"

status=0
[ -s "$tmp/header" ] || { echo "no message names found in $header"; exit 1; }
for name in $(cut -d' ' -f1 "$tmp/header"); do
    grep -q "^$name " "$tmp/docs" || { echo "$name has no entry in docs/messages.md"; status=1; }
done
for name in $(cut -d' ' -f1 "$tmp/docs"); do
    grep -q "^$name " "$tmp/header" || { echo "docs/messages.md describes $name, which lumtree.h lacks"; status=1; }
done
# Same names with different numbers.
join "$tmp/header" "$tmp/docs" | awk '$2 != $3 { print $1 ": " $2 " in lumtree.h, " $3 " in docs/messages.md"; bad = 1 } END { exit bad }' || status=1
dups=$(cut -d' ' -f1 "$tmp/docs" | uniq -d)
[ -z "$dups" ] || { echo "entries described twice: $dups"; status=1; }
[ $status -eq 0 ] && echo "$(wc -l <"$tmp/header") messages and notifications described"
exit $status
