#!/usr/bin/env bash
# Makes the Windows release artefact dist/LUMDLL-win32-VERSION.zip: the 32-bit
# DLL, its header, the export definition file, a MinGW import library and the
# usage note for Windows hosts.
set -euo pipefail
source "$(dirname "$0")/common.sh"

lum_install_packages "${LUM_WIN_PACKAGES[@]}"
lum_build_windows build-win32 i686
version=$(lum_version)
mkdir -p "$LUM_ROOT/dist"
zip="$LUM_ROOT/dist/LUMDLL-win32-$version.zip"
/usr/bin/python3 - "$zip" <<PY
import sys, zipfile
root = "$LUM_ROOT"
files = {
    "LUMDLL.dll": f"{root}/build-win32/library/LUMDLL.dll",
    "libLUMDLL.dll.a": f"{root}/build-win32/windows/libLUMDLL.dll.a",
    "lumdll.h": f"{root}/library/lumdll.h",
    "LUMDLL.def": f"{root}/library/LUMDLL.def",
    "README.txt": f"{root}/docs/windows.md",
}
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for name, path in files.items():
        z.write(path, f"LUMDLL-win32-$version/{name}")
PY
echo "$zip"
