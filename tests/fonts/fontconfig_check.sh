#!/bin/sh
# fontconfig_check.sh FONTDIR WORKDIR LIST: fontconfig, given only FONTDIR,
# lists every font name of LIST (the generator's list: the name is the first
# tab-separated field of each line) as a family after fc-cache.
set -eu
dir=$1 work=$2 list=$3
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
count=0
while IFS="$(printf '\t')" read -r name _; do
  count=$((count + 1))
  grep -qxF "$name" "$work/families" || { echo "fontconfig does not list \"$name\""; status=1; }
done <"$list"
[ "$count" -gt 0 ] || { echo "no font in $list"; status=1; }
exit $status
