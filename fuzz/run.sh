#!/usr/bin/env bash
# fuzz/run.sh TARGET SECONDS: builds the fuzz tree when needed and runs one
# target for SECONDS, starting from its seed corpus (and fuzz/TARGET.dict when
# there is one); exits non-zero on a finding.
# TARGET is one of: encode escape library batch.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

target=${1:?usage: fuzz/run.sh TARGET SECONDS}
seconds=${2:-30}
tree=build-fuzz

lum_build "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DLUM_FUZZ=ON -DLUM_SANITIZE=fuzzer-no-link,address,undefined -DLUM_WERROR=ON \
  -DLUM_BUILD_TESTS=OFF -DLUM_BUILD_BENCH=OFF -DLUM_BUILD_FONTS=OFF -DLUM_BUILD_ASSISTANT=OFF \
  >"$LUM_ROOT/$tree-build.log" 2>&1 || { grep -E 'error|FAILED' "$LUM_ROOT/$tree-build.log" | head -n 20; exit 1; }

corpus="$LUM_ROOT/$tree/corpus/$target"
mkdir -p "$corpus" "$LUM_ROOT/$tree/findings"
cp -n "$LUM_ROOT/fuzz/corpus/$target/"* "$corpus/" 2>/dev/null || true

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
log="$LUM_ROOT/$tree/findings/$target.log"
status=0
dict=()
[[ -f "$LUM_ROOT/fuzz/$target.dict" ]] && dict=(-dict="$LUM_ROOT/fuzz/$target.dict")
"$LUM_ROOT/$tree/fuzz/${target}_fuzz" "$corpus" "${dict[@]}" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$LUM_ROOT/$tree/findings/${target}-" >"$log" 2>&1 || status=$?
grep -E '^#[0-9]+ +DONE|^stat::(number_of_executed_units|new_units_added|peak_rss_mb)|cov: [0-9]+' "$log" | tail -n 4
if [[ $status -ne 0 ]]; then
  echo "fuzz target $target found a problem (exit $status); see $log:"
  grep -E 'invariant broken|ERROR|SUMMARY|Test unit written' "$log" | head -n 20
fi
exit "$status"
