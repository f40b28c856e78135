#!/usr/bin/env bash
# Sets up what is missing, builds, then runs the main job.
#   ./run.sh              a short demo of the encoder
#   ./run.sh lumcode ARGS the command-line tool with those arguments
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

lum_install_packages
lum_build_main >/dev/null
lumcode="$LUM_ROOT/build/cli/lumcode"

if [[ "${1:-}" == "lumcode" ]]; then
  shift
  exec "$lumcode" "$@"
fi

echo "LUM: text -> barcode font string (escaped; set the raw string in the font family shown)"
printf '%-9s %-16s %-12s %s\n' SYMBOLOGY TEXT FONT "FONT STRING"
while read -r id text; do
  family=$("$lumcode" list | awk -F'\t' -v id="$id" '$1 == id { print $4 }')
  printf '%-9s %-16s %-12s %s\n' "$id" "$text" "$family" "$("$lumcode" encode --check --format escaped "$id" "$text" 2>&1 || true)"
done <<'DEMO'
C39 ABC
C39 CODE_39
C39FULL Code 39
C39FULL a\tb
DEMO
