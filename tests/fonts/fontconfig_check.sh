#!/bin/sh
# fontconfig_check.sh FONTDIR WORKDIR NAME...: fontconfig, given only FONTDIR,
# lists every NAME as a family after fc-cache.
set -eu
dir=$1 work=$2
shift 2
mkdir -p "$work/cache"
cat >"$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>$dir</dir><cachedir>$work/cache</cachedir></fontconfig>
CONF
export FONTCONFIG_FILE="$work/fonts.conf"
fc-cache -f >/dev/null
fc-list : family >"$work/families"
status=0
for name in "$@"; do
  grep -qxF "$name" "$work/families" || { echo "fontconfig does not list \"$name\""; status=1; }
done
exit $status
