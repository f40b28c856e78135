# Cross-build for 64-bit Windows (the Wine check where 32-bit processes cannot run) with Debian's MinGW-w64 (posix thread model).
#   cmake -S . -B build-win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LUM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${LUM_MINGW_PREFIX}-windres)
find_program(LUM_DLLTOOL ${LUM_MINGW_PREFIX}-dlltool REQUIRED)
find_program(LUM_OBJDUMP ${LUM_MINGW_PREFIX}-objdump REQUIRED)
set(CMAKE_FIND_ROOT_PATH /usr/${LUM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
