#!/usr/bin/env bash
# Builds the web deliverables into build-web/ from the main tree (build/: the
# fonts, lum_web_data) and the WebAssembly tree (build-wasm/):
#   package/                     the npm package: lum.wasm, index.js and its
#                                declarations, the fonts as WOFF2, lum-fonts.css
#   lum-barcode-<version>.tgz    the package as `npm pack` makes it
#   site/                        the label page, the package under site/lum/
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

lum_install_packages
# npm comes with some builds of Node and is a package of its own in Debian.
command -v npm >/dev/null || lum_install_packages npm
lum_build_main >/dev/null
lum_build build-wasm -DCMAKE_TOOLCHAIN_FILE="$LUM_ROOT/cmake/wasm32-wasi.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DLUM_WERROR=ON >/dev/null

out="$LUM_ROOT/build-web"
package="$out/package"
site="$out/site"
data="$LUM_ROOT/build/web/lum_web_data"
[[ -x "$data" ]] || { echo "build/web/lum_web_data is missing: the main tree needs the desktop program (Qt 6)" >&2; exit 1; }
mkdir -p "$package" "$site"

cp "$LUM_ROOT"/web/package/{index.js,index.d.ts,package.json,README.md} "$LUM_ROOT/build-wasm/web/wasm/lum.wasm" "$package/"
"$data" quiet-zones >"$out/quiet-zones.json"
"$data" texts >"$site/texts.json"
/usr/bin/python3 -B "$LUM_ROOT/web/web_fonts.py" "$LUM_ROOT/build/fonts" "$out/quiet-zones.json" "$package" "$site"

cp "$LUM_ROOT"/web/page/{index.html,label.css,label.js,state.js,svg.js} "$site/"
rm -rf "$site/lum"
cp -r "$package" "$site/lum"

rm -f "$out"/lum-barcode-*.tgz
(cd "$package" && npm pack --offline --silent --pack-destination "$out" >/dev/null)
echo "web: $(stat -c %s "$package/lum.wasm") bytes lum.wasm; $(ls "$out"/lum-barcode-*.tgz); page in $site"
