#!/usr/bin/env bash
# Sets up what is missing, builds, then runs the main job.
#   ./run.sh              the LUMAssistant desktop program (needs a display)
#   ./run.sh lumcode ARGS the command-line tool with those arguments
#   ./run.sh demo         a short demo of the encoder on the terminal
#   ./run.sh package      the Debian packages, into dist/
#   ./run.sh web          builds the label page and serves it on 127.0.0.1
#                         (port LUM_WEB_PORT, 8024 by default)
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

if [[ ${1:-} == package ]]; then
  exec "$LUM_ROOT/scripts/package.sh"
fi

lum_install_packages
lum_build_main >/dev/null
lumcode="$LUM_ROOT/build/cli/lumcode"

case "${1:-}" in
lumcode)
  shift
  exec "$lumcode" "$@"
  ;;
demo) ;;
web)
  "$LUM_ROOT/web/build.sh"
  port=${LUM_WEB_PORT:-8024}
  echo "LUM label page: http://127.0.0.1:$port/"
  echo "for example http://127.0.0.1:$port/?symbology=EAN13&text=590123412345&check=1 (Ctrl+C stops the server)"
  exec /usr/bin/python3 -m http.server --bind 127.0.0.1 --directory "$LUM_ROOT/build-web/site" "$port"
  ;;
"")
  if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "LUMAssistant needs a graphical display, and neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
    echo "Run it from a desktop session, or under a virtual one: xvfb-run -a ./run.sh" >&2
    echo "The command-line tool works without one: ./run.sh lumcode --help" >&2
    exit 1
  fi
  exec "$LUM_ROOT/build/assistant/LUMAssistant"
  ;;
*)
  echo "usage: ./run.sh [lumcode ARGS... | demo | package | web]" >&2
  exit 2
  ;;
esac

echo "LUM: text -> barcode font string (escaped; set the raw string in the font family shown)"
printf '%-11s %-18s %-12s %s\n' SYMBOLOGY TEXT FONT "FONT STRING"
while read -r id text; do
  family=$("$lumcode" list | awk -F'\t' -v id="${id%%+*}" '$1 == id { print $4 }')
  printf '%-11s %-18s %-12s %s\n' "$id" "$text" "$family" "$("$lumcode" encode --check --format escaped "$id" "$text" 2>&1 || true)"
done <<'DEMO'
C39 ABC
C39FULL Code 39
C93 TEST93
EAN13 590123412345
EAN13+ADD5 59012341234552495
UPCE 0123456
ISBN 88515401
C25 1234567
CBAR A40156B
CMSI 1234567
POSTNET 12345
DEMO
