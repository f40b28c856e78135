# Cross-build for WebAssembly (wasm32-wasi) with Debian's clang 14, lld,
# wasi-libc and the wasm32 libc++ packages. The module is a reactor: the host
# calls _initialize (static constructors) once, then the exported functions.
#   cmake -S . -B build-wasm -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/wasm32-wasi.cmake -DCMAKE_BUILD_TYPE=MinSizeRel
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}) # Platform/WASI.cmake
set(LUM_WASM_TARGET wasm32-wasi)
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET ${LUM_WASM_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${LUM_WASM_TARGET})
# Link-time optimisation reads the archives' LLVM bitcode.
set(CMAKE_AR llvm-ar-14)
set(CMAKE_RANLIB llvm-ranlib-14)
# No exceptions: the engine reports failures as results, and without the
# unwinding tables the module stays small. An allocation failure traps.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
# Link-time optimisation across the engine (-Os comes with MinSizeRel).
set(CMAKE_C_FLAGS_MINSIZEREL_INIT "-flto")
set(CMAKE_CXX_FLAGS_MINSIZEREL_INIT "-flto")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mexec-model=reactor -Wl,--gc-sections")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-flto -Wl,--strip-all")
# Only the WASI sysroot is searched; nothing comes from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/include/${LUM_WASM_TARGET} /usr/lib/${LUM_WASM_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
