#!/usr/bin/env bash
# The Calc add-in in headless LibreOffice, run as a user's files run: the
# add-in installed with unopkg into a throwaway profile, then
#  - tests/calc/functions.csv, formulas by display name, opened with the CSV
#    filter's "evaluate formulas" option and saved as CSV;
#  - tests/calc/barcodes.fods, a document Calc saved with the add-in (calls
#    stored under its implementation name), saved as CSV sheet by sheet and
#    as PDF, whose first page (the Labels sheet, set in VOREAN, VOR128 and
#    VOR39) zbarimg reads back. The results Calc stored in it were replaced by
#    "stale": Calc calls the add-in again on loading, and a "stale" left in
#    the output would mean it did not;
# and tests/calc/check_results.py compares everything with lumcode.
# Usage: hosts/calc/run-tests.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
source "$root/hosts/calc/office.sh"

for tool in pdftoppm pdffonts zbarimg; do
  command -v "$tool" >/dev/null || { echo "$tool not found (scripts/packages.txt)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/lum-calc-XXXXXX")
cleanup() {
  lum_office_stop
  if [[ -n ${LUM_CALC_KEEP:-} ]]; then echo "work folder kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

lum_office_prepare "$work" "$build"
mkdir -p "$work/in"
cp "$root/tests/calc/functions.csv" "$root/tests/calc/barcodes.fods" "$work/in/"
[[ ${#lum_office_as[@]} -eq 0 ]] || chown -R "$LUM_OFFICE_USER:" "$work/in"

# CSV tokens: comma, double quote, UTF-8, from line 1, no column formats,
# default language, quoted fields as text; on import token 13 evaluates
# formulas, on export token 12 = -1 writes every sheet to a file of its own.
csv_in="Text - txt - csv (StarCalc):44,34,76,1,,0,true,false,false,false,false,0,true"
csv_out="csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true,true,false,false,false"
lum_office_calc "$work" --infilter="$csv_in" --convert-to "$csv_out" --outdir "$work/out" "$work/in/functions.csv"
lum_office_calc "$work" --convert-to "$csv_out,-1" --outdir "$work/out" "$work/in/barcodes.fods"
lum_office_calc "$work" --convert-to pdf --outdir "$work/out" "$work/in/barcodes.fods"

pdftoppm -r 300 -png -f 1 -l 1 "$work/out/barcodes.pdf" "$work/out/labels"
zbarimg -q --raw "$work/out"/labels*.png >"$work/out/scans.txt" 2>"$work/out/zbarimg.log" || true
pdffonts "$work/out/barcodes.pdf" >"$work/out/fonts.txt"

PYTHONPATH="$work/python" PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 "$root/tests/calc/check_results.py" \
  --lumcode "$build/cli/lumcode" "$work/out"
