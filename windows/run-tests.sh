#!/usr/bin/env bash
# Cross-builds LUMDLL.dll for 32-bit Windows, checks its export and import
# tables, and runs the host programs under Wine against a table of requests
# made with the Linux library (build/ must hold the Linux build).
set -euo pipefail
source "$(dirname "$0")/common.sh"

lum_install_packages "${LUM_WIN_PACKAGES[@]}"
lum_build_windows build-win32 i686
dll32="$LUM_ROOT/build-win32/library/LUMDLL.dll"
"$LUM_ROOT/windows/check-dll.sh" i686-w64-mingw32-objdump "$dll32"

# The exports are stdcall: their object symbols carry the @N argument size.
decorated=$(i686-w64-mingw32-nm "$LUM_ROOT/build-win32/library/CMakeFiles/LUMDLL.dir/lumdll.cpp.obj" |
  grep -c -E ' T _VOR((ValidateString|StringToBarcode)(Buf)?DLL@(12|16|20)|DiagnoseDLL@24)$' || true)
[[ "$decorated" -eq 5 ]] || { echo "the exports are not all stdcall ($decorated of 5)"; exit 1; }
echo "LUMDLL.dll: the five exports use the stdcall convention"

table="$LUM_ROOT/build/windows/lumdll-table.txt"
"$LUM_ROOT/build/windows/lum_host" "$LUM_ROOT/build/library/libLUMDLL.so" generate >"$table"

# boot_prefix TREE WINE WINESERVER: makes $WINEPREFIX usable. A prefix counts
# as ready only once wineboot has succeeded in it (a marker file): a boot that
# fails half-way leaves a prefix in which Wine cannot even load kernel32.dll.
# The first boot on a machine where Wine was just installed can fail; it is
# retried once in a fresh prefix.
boot_prefix() {
  local tree=$1 wine=$2 server=$3 attempt status
  [[ -f "$WINEPREFIX/.lum-ready" ]] && return 0
  for attempt in 1 2; do
    status=0
    "$wine" wineboot -i >"$tree/wineboot.log" 2>&1 || status=$?
    if [[ $status -eq 0 ]]; then
      touch "$WINEPREFIX/.lum-ready"
      return 0
    fi
    echo "wineboot failed with status $status (attempt $attempt); starting again in a fresh prefix"
    "$server" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$server" -p
  done
  tail -n 20 "$tree/wineboot.log"
  return 1
}

# run_hosts TREE WINE WINESERVER: runs both hosts of TREE in a Wine prefix of its own.
run_hosts() {
  local tree="$LUM_ROOT/$1" wine=$2 server=$3 start
  export WINEPREFIX="$tree/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  "$server" -p
  trap '"'"$server"'" -k 2>/dev/null || true' RETURN
  start=$(date +%s)
  boot_prefix "$tree" "$wine" "$server"
  echo "Wine prefix ready in $(($(date +%s) - start)) s"
  cp "$tree/library/LUMDLL.dll" "$tree/windows/"
  (cd "$tree/windows" && "$wine" lum_host.exe LUMDLL.dll check "$table" && "$wine" lum_linked_host.exe)
}

probe=$(mktemp)
/usr/bin/python3 "$LUM_ROOT/windows/probe_ia32.py" "$probe"
chmod +x "$probe"
if "$probe" 2>/dev/null; then
  rm -f "$probe"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    apt-get update -qq
  fi
  lum_install_packages wine wine32:i386
  run_hosts build-win32 /usr/bin/wine /usr/bin/wineserver
else
  rm -f "$probe"
  echo "NOTICE: this kernel does not run 32-bit processes (its 32-bit emulation is off), so 32-bit Wine"
  echo "NOTICE: cannot start here. The 32-bit DLL was checked above (exports, imports, stdcall); the host"
  echo "NOTICE: table now runs against the same sources built for 64-bit Windows, under 64-bit Wine."
  lum_install_packages binutils-mingw-w64-x86-64 gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix wine64
  lum_build_windows build-win64 x86_64
  "$LUM_ROOT/windows/check-dll.sh" x86_64-w64-mingw32-objdump "$LUM_ROOT/build-win64/library/LUMDLL.dll"
  run_hosts build-win64 /usr/lib/wine/wine64 /usr/lib/wine/wineserver64
fi
