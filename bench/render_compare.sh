#!/usr/bin/env bash
# Images per second of lumcode render --batch against zint's batch mode, in
# the same run, on the same lines.
#   bench/render_compare.sh [LINES] [ROUNDS]
# Makes LINES random EAN-13 bodies and LINES mixed Code 128 texts and writes
# one PNG per line with `lumcode render --batch` (default size: the nominal
# module at 300 dpi) and with `zint --batch --filetype=png`, at zint's default
# scale and at the same dots per module as lumcode, ROUNDS times, alternating
# the programs. Prints the median wall time and the median CPU time (user +
# system) of each, images per second and the ratios. Target: lumcode at least
# 3x zint's images per second at zint's defaults.
# The images go to a folder in /dev/shm when there is one, so that the file
# system's cost, the same for both, does not drown the programs' own.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

lines=${1:-10000}
rounds=${2:-5}
lum_install_packages zint time bc
LUM_TARGETS="lumcode lum_fonts" lum_build_main >/dev/null
lumcode="$LUM_ROOT/build/cli/lumcode"
base=/tmp
[[ -d /dev/shm && -w /dev/shm ]] && base=/dev/shm
work=$(mktemp -d "$base/lum-render-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 "$LUM_ROOT/bench/make_inputs.py" "$work" "$lines"

# run NAME COMMAND...: runs the command in a fresh output folder and prints
# "wall cpu" in seconds; checks that it wrote one image per line.
run() {
  local name=$1 out="$work/out" t
  shift
  rm -rf "$out"
  mkdir "$out"
  /usr/bin/time -o "$work/time" -f '%e %U %S' "$@" >/dev/null 2>&1 || { echo "$name failed: $*" >&2; exit 1; }
  t=$(tail -n 1 "$work/time")
  local n
  n=$(find "$out" -name '*.png' | wc -l)
  [[ $n -eq $lines ]] || { echo "$name wrote $n images for $lines lines" >&2; exit 1; }
  awk '{ printf "%s %.3f\n", $1, $2 + $3 }' <<<"$t"
}
# The median, at least 0.01 s: time(1) measures in hundredths, and a short
# run must not divide by zero.
median() { sort -g | awk '{ v[NR] = $1 } END { m = v[int((NR + 1) / 2)]; print (m < 0.01 ? 0.01 : m) }'; }

# compare NAME FILE LUMID ZINTID ZINTSCALE: ZINTSCALE gives zint lumcode's dots a module.
compare() {
  local name=$1 file=$2 lumid=$3 zintid=$4 scale=$5 r
  local lw=() lc=() zw=() zc=() sw=() sc=()
  for ((r = 0; r < rounds; r++)); do
    read -r w c < <(run lumcode "$lumcode" render --batch --check -o "$work/out/{line:6}.png" "$lumid" "$file")
    lw+=("$w"); lc+=("$c")
    read -r w c < <(run zint zint -b "$zintid" --batch --filetype=png -i "$file" -o "$work/out/~~~~~~.png")
    zw+=("$w"); zc+=("$c")
    read -r w c < <(run zint zint -b "$zintid" --scale="$scale" --batch --filetype=png -i "$file" -o "$work/out/~~~~~~.png")
    sw+=("$w"); sc+=("$c")
  done
  local m_lw m_lc m_zw m_zc m_sw m_sc
  m_lw=$(printf '%s\n' "${lw[@]}" | median); m_lc=$(printf '%s\n' "${lc[@]}" | median)
  m_zw=$(printf '%s\n' "${zw[@]}" | median); m_zc=$(printf '%s\n' "${zc[@]}" | median)
  m_sw=$(printf '%s\n' "${sw[@]}" | median); m_sc=$(printf '%s\n' "${sc[@]}" | median)
  rate() { echo "$lines / $1" | bc -l; }
  local verdict=met
  [[ $(echo "$m_zw / $m_lw >= 3" | bc -l) -eq 1 ]] || verdict="NOT met"
  printf '%-7s lumcode        %8.0f images/s wall (%.2f s), %8.0f images/s CPU (%.2f s)\n' "$name" \
    "$(rate "$m_lw")" "$m_lw" "$(rate "$m_lc")" "$m_lc"
  printf '%-7s zint default   %8.0f images/s wall (%.2f s), %8.0f images/s CPU (%.2f s)   ratio %.1fx wall, %.1fx CPU (target 3x wall: %s)\n' \
    "$name" "$(rate "$m_zw")" "$m_zw" "$(rate "$m_zc")" "$m_zc" "$(echo "$m_zw / $m_lw" | bc -l)" \
    "$(echo "$m_zc / $m_lc" | bc -l)" "$verdict"
  printf '%-7s zint --scale=%s %7.0f images/s wall (%.2f s), %8.0f images/s CPU (%.2f s)   ratio %.1fx wall, %.1fx CPU (same dots a module)\n' \
    "$name" "$scale" "$(rate "$m_sw")" "$m_sw" "$(rate "$m_sc")" "$m_sc" "$(echo "$m_sw / $m_lw" | bc -l)" \
    "$(echo "$m_sc / $m_lc" | bc -l)"
}

echo "machine: $(nproc)-core Linux VM, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "images in: $base; $lines lines per file; rounds: $rounds (medians)"
# lumcode's defaults at 300 dpi: EAN-13 0.33 mm = 4 dots a module, Code 128
# 0.25 mm = 3 dots; zint draws 2 dots a module at scale 1.
compare EAN-13 "$work/ean13.txt" EAN13 13 2
compare C128 "$work/c128.txt" C128 20 1.5
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
