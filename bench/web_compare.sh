#!/usr/bin/env bash
# Encode calls per second of the WebAssembly module in Node against the native
# library, on the same texts (bench/web_encode.mjs).
#   bench/web_compare.sh [SECONDS]
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

"$LUM_ROOT/web/build.sh" >/dev/null
LUM_TARGETS=library_texts_bench lum_build_main >/dev/null
node "$LUM_ROOT/bench/web_encode.mjs" "${1:-5}"
