#!/bin/sh
# Installs a build into a prefix and builds an application outside the tree against it, as a
# user of the package would: tests/consumer with find_package(LumTree), and the same source with
# the pkg-config file. The x64 programs run under Wine (scripts/wine-up.sh must have run for the
# build); an x86 build, when present, is installed and linked only.
# Arguments: the source dir, the x64 build dir, optionally the x86 build dir.
set -e
src=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
x86=${3:-}

# install_and_build BUILD TOOLCHAIN: installs BUILD into BUILD/consumer-prefix and builds the
# consumer in BUILD/consumer with the CMake package.
install_and_build() {
    prefix="$1/consumer-prefix"
    rm -rf "$prefix"
    cmake --install "$1" --prefix "$prefix" >/dev/null
    for f in include/lumtree/lumtree.h include/lumtree/lumtreex.h bin/RyTree32.dll \
             lib/libRyTree32.dll.a lib/RyTree32.def lib/cmake/LumTree/LumTreeConfig.cmake \
             lib/pkgconfig/lumtree.pc; do
        [ -f "$prefix/$f" ] || { echo "not installed: $prefix/$f"; exit 1; }
    done
    cmake -S "$src/tests/consumer" -B "$1/consumer" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$src/cmake/$2" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
    cmake --build "$1/consumer"
}

install_and_build "$build" mingw-x64.cmake
"$src/scripts/wine-run.sh" "$build/consumer/consumer.exe"

# pkg-config: the flags it gives are all a plain compiler command needs.
flags=$(PKG_CONFIG_PATH="" PKG_CONFIG_LIBDIR="$build/consumer-prefix/lib/pkgconfig" \
        pkg-config --cflags --libs lumtree)
mkdir -p "$build/consumer-pc"
x86_64-w64-mingw32-gcc-posix -std=c89 -pedantic -Wall -Wextra -Werror \
    "$src/tests/consumer/consumer.c" $flags -luser32 -lversion \
    -o "$build/consumer-pc/consumer.exe"
cp "$build/consumer-prefix/bin/RyTree32.dll" "$build/consumer-pc/"
"$src/scripts/wine-run.sh" "$build/consumer-pc/consumer.exe"

if [ -n "$x86" ] && [ -f "$x86/bin/RyTree32.dll" ]; then
    install_and_build "$(cd "$x86" && pwd)" mingw-x86.cmake
    echo "x86 consumer linked against the x86 package"
fi
