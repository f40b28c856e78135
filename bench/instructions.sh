#!/usr/bin/env bash
# Instruction counts (valgrind callgrind) that back the timings on a loaded
# machine: instructions per byte of lum::Encode on the long inputs at 1 KiB,
# 64 KiB and 1 MiB, and instructions per call of the library frame against
# the engine call it wraps.
#   bench/instructions.sh [BUILD_DIR]
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
build=${1:-$LUM_ROOT/build}
lum_install_packages valgrind
[[ -x $build/bench/encode_bench && -x $build/bench/library_bench ]] ||
  LUM_TARGETS="encode_bench library_bench" lum_build_main >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# ir PROGRAM BENCHMARK FUNCTION [MIN_TIME]: inclusive instructions of FUNCTION
# per call, over every call the benchmark made under callgrind (its trial runs
# included): the function's inclusive count over the calls its callers made.
ir() {
  valgrind --tool=callgrind --callgrind-out-file="$work/cg" "$1" --benchmark_filter="^$2\$" \
    --benchmark_min_time="${4:-0.001}" >/dev/null 2>&1
  callgrind_annotate --tree=caller --inclusive=yes --threshold=100 "$work/cg" 2>/dev/null |
    awk -v pat="$3" '
      /^$/ { calls = 0; next }
      / < / { s = $0; sub(/x\).*$/, "", s); sub(/^.*\(/, "", s); gsub(",", "", s); calls += s; next }
      / \* / && index($0, pat) && !done { ir = $1; gsub(",", "", ir); printf "%.1f\n", ir / calls; done = 1 }'
}

printf '%-8s %12s %12s %12s   (instructions per input byte)\n' encoder 1KiB 64KiB 1MiB
for id in ${LUM_IDS:-C128 E128 C39FULL C93FULL C25 CIND25 C5BARS C3BARS CBCD C25INV C25COMP C11 CBAR}; do
  row=()
  for size in 1024 65536 1048576; do
    per=$(ir "$build/bench/encode_bench" "BM_EncodeLong/$id/$size" "catalogue.cpp:lum::Encode[")
    row+=("$(echo "$per / $size" | bc -l)")
  done
  printf '%-8s %12.1f %12.1f %12.1f\n' "$id" "${row[@]}"
done

echo
printf '%-24s %10s   (instructions per call)\n' call EAN13
printf '%-24s %10.0f\n' "engine lum::Encode" \
  "$(ir "$build/bench/library_bench" BM_EngineEan13 "catalogue.cpp:lum::Encode[" 0.2)"
printf '%-24s %10.0f\n' "VORStringToBarcodeDLL" \
  "$(ir "$build/bench/library_bench" BM_LibraryEan13 ":VORStringToBarcodeDLL" 0.2)"
printf '%-24s %10.0f\n' "VORStringToBarcodeBufDLL" \
  "$(ir "$build/bench/library_bench" BM_LibraryBufEan13 ":VORStringToBarcodeBufDLL" 0.2)"
