# Cross-compiling for 64-bit Windows with MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMTREE_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LUMTREE_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMTREE_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMTREE_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${LUMTREE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Every test program runs through Wine; the wrapper sets the display and the private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
