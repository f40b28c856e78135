#!/usr/bin/env bash
# windows/check-dll.sh OBJDUMP DLL: the DLL exports exactly the five undecorated
# VOR* names and imports only system DLLs.
set -euo pipefail
objdump=$1 dll=$2
dump=$("$objdump" -p "$dll")

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | awk '/^[[:space:]]*\[ *[0-9]+\]/ { print $NF }' | sort)
expected=$(printf '%s\n' VORDiagnoseDLL VORStringToBarcodeBufDLL VORStringToBarcodeDLL VORValidateStringBufDLL VORValidateStringDLL)
if [[ "$exports" != "$expected" ]]; then
  echo "unexpected export table of $dll:"; echo "$exports"; exit 1
fi
imports=$(awk '/DLL Name:/ { print $3 }' <<<"$dump" | sort -u)
while read -r name; do
  case "${name,,}" in
    kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll | api-ms-win-*) ;;
    *) echo "$dll imports a non-system DLL: $name"; exit 1 ;;
  esac
done <<<"$imports"
echo "$dll: exports $(tr '\n' ' ' <<<"$exports")"
echo "$dll: imports $(tr '\n' ' ' <<<"$imports")"
echo "$dll: $(stat -c %s "$dll") bytes"
