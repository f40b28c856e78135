# Shared by windows/run-tests.sh and windows/package.sh.
# shellcheck shell=bash
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"

LUM_WIN_PACKAGES=(binutils-mingw-w64-i686 gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix)
LUM_WIN_OPTIONS=(-DCMAKE_BUILD_TYPE=MinSizeRel -DLUM_WERROR=ON -DLUM_BUILD_TESTS=OFF -DLUM_BUILD_CLI=OFF
  -DLUM_BUILD_BENCH=OFF -DLUM_BUILD_FONTS=OFF -DLUM_BUILD_ASSISTANT=OFF)

# lum_build_windows TREE ARCH: cross-builds the DLL and the hosts for i686 or x86_64.
lum_build_windows() {
  lum_build "$1" -DCMAKE_TOOLCHAIN_FILE="$LUM_ROOT/cmake/mingw-$2.cmake" "${LUM_WIN_OPTIONS[@]}" >/dev/null
}
