# Cross-build for 64-bit Windows (the Wine check where 32-bit processes cannot run) with Debian's MinGW-w64 (posix thread model).
#   cmake -S . -B build-win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
