#!/usr/bin/env bash
# Throughput of lumcode batch mode against zint on the same files, in the same run.
#   bench/compare.sh [LINES] [ROUNDS]
# Makes LINES random EAN-13 bodies and LINES mixed Code 128 texts, times
# `lumcode encode` (batch mode) and `zint --batch --dump` on each file ROUNDS
# times, alternating the two, and prints the median throughput of both, their
# ratio, and lumcode's peak memory for 1,000 lines against LINES lines.
# Targets: ratio >= 10 on both files; peak RSS ratio <= 2.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

lines=${1:-1000000}
rounds=${2:-5}
lum_install_packages zint time bc
LUM_TARGETS=lumcode lum_build_main >/dev/null
lumcode="$LUM_ROOT/build/cli/lumcode"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 "$LUM_ROOT/bench/make_inputs.py" "$work" "$lines"
head -n 1000 "$work/ean13.txt" >"$work/ean13-1k.txt"

# Both programs must accept every line and print one result per line before
# their times mean anything.
check_output() {
  local name=$1 file=$2 lumid=$3 zintid=$4 n
  if ! "$lumcode" encode --check --format raw "$lumid" <"$file" >"$work/out" 2>"$work/err"; then
    echo "$name: skipped, lumcode rejected lines: $(head -n 1 "$work/err")" >&2
    return 1
  fi
  n=$(wc -l <"$work/out")
  [[ $n -eq $lines ]] || { echo "lumcode printed $n lines for $lines of $name" >&2; exit 1; }
  zint -b "$zintid" --batch --dump -i "$file" >"$work/out" 2>"$work/err" ||
    { echo "zint failed on $name: $(head -n 3 "$work/err")" >&2; exit 1; }
}

# seconds COMMAND...: wall time of one run, output discarded.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

compare() {
  local name=$1 file=$2 lumid=$3 zintid=$4 r lum=() zint=()
  check_output "$@" || return 0
  for ((r = 0; r < rounds; r++)); do
    lum+=("$(seconds "$lumcode" encode --check --format raw "$lumid" <"$file")")
    zint+=("$(seconds zint -b "$zintid" --batch --dump -i "$file")")
  done
  local lm zm
  lm=$(printf '%s\n' "${lum[@]}" | median)
  zm=$(printf '%s\n' "${zint[@]}" | median)
  local ratio verdict=met
  ratio=$(echo "$zm / $lm" | bc -l)
  [[ $(echo "$ratio >= 10" | bc -l) -eq 1 ]] || verdict="NOT met"
  printf '%-8s %9d lines  lumcode %10.0f lines/s (%.3f s)  zint %10.0f lines/s (%.3f s)  ratio %6.1fx (target 10x: %s)\n' \
    "$name" "$lines" "$(echo "$lines / $lm" | bc -l)" "$lm" "$(echo "$lines / $zm" | bc -l)" "$zm" "$ratio" "$verdict"
}

echo "machine: $(nproc)-core Linux VM, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "rounds: $rounds (median of wall times)"
compare EAN-13 "$work/ean13.txt" EAN13 13
compare C128 "$work/c128.txt" C128 20

rss() { /usr/bin/time -f '%M' "$lumcode" encode --check --format raw EAN13 <"$1" 2>&1 >/dev/null | tail -n 1; }
small=$(rss "$work/ean13-1k.txt")
large=$(rss "$work/ean13.txt")
growth=$(echo "$large / $small" | bc -l)
verdict=met
[[ $(echo "$growth <= 2" | bc -l) -eq 1 ]] || verdict="NOT met"
printf 'peak RSS  1,000 lines: %d KiB   %d lines: %d KiB   ratio %.2f (target at most 2: %s)\n' "$small" "$lines" "$large" \
  "$growth" "$verdict"
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
