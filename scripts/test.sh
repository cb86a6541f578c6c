#!/bin/sh
# Installs what is missing, builds both targets (x86 is compiled only) and runs every test on
# the x64 build under wine64 on a private X display.
set -e
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset x64 >/dev/null
cmake --build --preset x64
cmake --preset x86 >/dev/null
cmake --build --preset x86
ctest --preset x64 "$@"
