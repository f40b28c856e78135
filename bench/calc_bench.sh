#!/usr/bin/env bash
# Recalculation of 10,000 VORBARCODE cells in headless Calc (the add-in
# installed in a throwaway profile) against the same sheet with the built-in
# CONCATENATE as the yardstick; prints both times and their ratio.
#   bench/calc_bench.sh [CELLS] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/common.sh"
source "$root/hosts/calc/office.sh"
LUM_TARGETS="lum_python lum_calc" lum_build_main >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/lum-calc-bench-XXXXXX")
trap 'lum_office_stop; rm -rf "$work"' EXIT
lum_office_prepare "$work" "$root/build" >/dev/null
cp "$root/bench/calc_bench.py" "$work/"
[[ ${#lum_office_as[@]} -eq 0 ]] || chown -R "$LUM_OFFICE_USER:" "$work"

pipe="lum-calc-bench-$$"
lum_office_spawn "$work" soffice -env:UserInstallation="file://$work/profile" --headless --norestore \
  --nolockcheck --nodefault --accept="pipe,name=$pipe;urp;StarOffice.ComponentContext"
office=$lum_office_pid
lum_office_spawn "$work" /usr/bin/python3 "$work/calc_bench.py" "$pipe" "${1:-10000}" "${2:-5}"
wait "$lum_office_pid"
wait "$office" || true
