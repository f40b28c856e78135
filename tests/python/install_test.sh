#!/bin/sh
# install_test.sh BUILD_DIR PYTHON: the module and the add-in as cmake --install
# lays them out, used from there.
#  - --prefix DIR: the library in DIR/lib and the module in the version's
#    dist-packages; python3 imports it from there and finds the library
#    through the installation, not the build tree.
#  - DESTDIR with --prefix /usr: Debian's folders (lib/python3/dist-packages,
#    LibreOffice's bundled extensions, share/lum/lum-calc.oxt).
set -eu
build=$1 python=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/lum-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for component in Unspecified python calc; do
  cmake --install "$build" --prefix "$work/prefix" --component "$component" >/dev/null
done
site=$(find "$work/prefix/lib" -path '*/dist-packages/lum' -type d)
[ -n "$site" ] || fail "no lum package under $work/prefix/lib"
out=$(cd / && env -u LUM_LIBRARY PYTHONPATH="${site%/lum}" "$python" -c \
  'import lum; print(lum.encode("ABC", "C39", check=True)); print(lum.library_path())')
[ "$out" = "#ABCX#
$work/prefix/lib/libLUMDLL.so.0" ] || fail "prefix install: $out"

for component in Unspecified python calc; do
  DESTDIR="$work/stage" cmake --install "$build" --prefix /usr --component "$component" >/dev/null
done
files="lib/python3/dist-packages/lum/__init__.py lib/python3/dist-packages/lum/_catalogue.py"
if [ -f "$build/hosts/calc/lum-calc.oxt" ]; then
  files="$files share/lum/lum-calc.oxt lib/libreoffice/share/extensions/lum-calc/META-INF/manifest.xml
    lib/libreoffice/share/extensions/lum-calc/XBarcodeFunctions.rdb"
fi
for file in $files; do
  [ -f "$work/stage/usr/$file" ] || fail "DESTDIR install lacks /usr/$file"
done
out=$(cd / && env -u LUM_LIBRARY PYTHONPATH="$work/stage/usr/lib/python3/dist-packages" "$python" -c \
  'import lum; print(lum.validate("12345", "EAN13", check=True))')
[ "$out" = "000000012345" ] || fail "DESTDIR install: $out"
echo "installed module and add-in: 2 passed, 0 failed"
