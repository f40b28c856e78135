#!/usr/bin/env bash
# Builds and runs every test: the main tree (warnings as errors, all suites),
# the Debian packages (built, installed with apt-get, checked, purged), the
# web build (the engine as WebAssembly against lumcode, the npm package, the
# label page in headless Chromium), the database extensions in SQLite and in
# a throwaway PostgreSQL server, the Calc add-in in headless LibreOffice, then
# a tree with AddressSanitizer and
# UndefinedBehaviorSanitizer (unit and library suites), the concurrent library
# test under ThreadSanitizer, every fuzz target for a short, fixed time, and
# the Windows DLL under Wine. Fails on any test failure, sanitizer report or
# fuzz finding.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

declare -a timings=()
stage() {
  local name=$1 start
  shift
  start=$(date +%s)
  echo "== $name"
  "$@"
  timings+=("$(printf '%-28s %5ds' "$name" $(($(date +%s) - start)))")
}

run_ctest() {
  local dir=$1
  shift
  ctest --test-dir "$LUM_ROOT/$dir" --output-on-failure -j"$(nproc)" "$@"
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

stage "packages" lum_install_packages
stage "build (main)" lum_build_main
stage "tests (main)" run_ctest build
stage "packaging" "$LUM_ROOT/tests/packaging/run.sh"
stage "web" "$LUM_ROOT/web/run-tests.sh"
# The SQLite and PostgreSQL extensions in the real engines (a throwaway server).
stage "databases" "$LUM_ROOT/hosts/run-db-tests.sh" "$LUM_ROOT/build"
# The Calc add-in in headless LibreOffice, on a throwaway profile.
stage "calc add-in" "$LUM_ROOT/hosts/calc/run-tests.sh" "$LUM_ROOT/build"
stage "build (sanitizers)" lum_build build-asan -DCMAKE_BUILD_TYPE=Debug -DLUM_WERROR=ON \
  -DLUM_SANITIZE=address,undefined -DLUM_BUILD_BENCH=OFF
stage "tests (sanitizers)" run_ctest build-asan -L unit

# The concurrent library test under ThreadSanitizer: engine and library only.
tsan() {
  LUM_TARGETS="LUMDLL lumdll_tests" lum_build build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUM_WERROR=ON \
    -DLUM_SANITIZE=thread -DLUM_BUILD_CLI=OFF -DLUM_BUILD_BENCH=OFF -DLUM_BUILD_FONTS=OFF -DLUM_BUILD_ASSISTANT=OFF
  TSAN_OPTIONS=halt_on_error=1 run_ctest build-tsan -R LumdllThreads
}
stage "threads (tsan)" tsan

# Each fuzz target for a bounded time, starting from its seed corpus.
fuzz_all() {
  local target
  for target in encode escape library batch; do
    "$LUM_ROOT/fuzz/run.sh" "$target" "${LUM_FUZZ_SECONDS:-30}"
  done
}
stage "fuzz" fuzz_all

# LUMDLL.dll for 32-bit Windows: export and import tables, hosts under Wine.
stage "windows dll" "$LUM_ROOT/windows/run-tests.sh"

echo "== stage times"
printf '%s\n' "${timings[@]}"
