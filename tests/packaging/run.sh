#!/usr/bin/env bash
# The packaging stage: builds the Debian packages (scripts/package.sh, which
# also fails on lintian errors and warnings), installs them with apt-get as a
# user would, checks the installed system with nothing from the checkout on
# the way (clean environment, a scratch folder), then purges the packages and
# checks that nothing of them is left. A trap purges them whatever happens.
#
# It installs system-wide, so it runs as root or through sudo, and refuses to
# run when LUM packages are installed already: purging them would remove a
# developer's own installation.
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
source "$LUM_ROOT/hosts/calc/office.sh"

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
version=$(lum_version)
mapfile -t packages < <(sed -n 's/^Package: //p' "$LUM_ROOT/debian/control")

installed_state() { dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null || echo not-installed; }

for p in "${packages[@]}"; do
  if [[ $(installed_state "$p") != not-installed ]]; then
    echo "packaging: $p is installed on this machine; this stage would purge it." >&2
    echo "Remove the LUM packages first (apt-get purge ${packages[*]})." >&2
    exit 1
  fi
done

"$LUM_ROOT/scripts/package.sh"

scratch=$(mktemp -d)
chmod 755 "$scratch" # apt's download user reads the packages from here
debs=()
for p in "${packages[@]}"; do
  deb=$(ls "$LUM_ROOT"/dist/"$p"_"$version"_*.deb)
  cp "$deb" "$scratch/"
  debs+=("$scratch/$(basename "$deb")")
done
chmod 644 "$scratch"/*.deb

export DEBIAN_FRONTEND=noninteractive
# Packages apt would add for them: purged with them afterwards.
mapfile -t pulled < <($sudo apt-get install -s "${debs[@]}" |
  awk '$1 == "Inst" && $3 !~ /^\[/ { print $2 }' | grep -vxF -f <(printf '%s\n' "${packages[@]}") || true)

purged=0
purge() {
  [[ $purged -eq 1 ]] && return 0
  purged=1
  $sudo apt-get purge -y -qq "${packages[@]}" "${pulled[@]}" >/dev/null 2>&1 || true
}
pg_data=""
# The throwaway PostgreSQL server, when one was started.
pg_stop() {
  [[ -n $pg_data && -f $pg_data/postmaster.pid ]] || return 0
  pg_as_owner "$pg_bindir/pg_ctl" -D "$pg_data" -m fast -w -s stop || kill -QUIT "$(head -n 1 "$pg_data/postmaster.pid")"
}
trap 'pg_stop || true; lum_office_stop || true; purge; rm -rf "$scratch"' EXIT

$sudo apt-get install -y -qq --no-install-recommends "${debs[@]}" >"$scratch/install.log" 2>&1 || {
  cat "$scratch/install.log" >&2
  exit 1
}

failures=0
check() {
  local what=$1
  shift
  if "$@" >"$scratch/check.log" 2>&1; then
    echo "ok    $what"
  else
    echo "FAIL  $what"
    sed 's/^/      /' "$scratch/check.log"
    failures=$((failures + 1))
  fi
}
# Runs a command of the installed system: clean environment, scratch folder.
installed() { (cd "$scratch" && env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$scratch" LC_ALL=C.UTF-8 "$@"); }
# expect_output EXPECTED COMMAND...: the command's standard output is EXPECTED.
expect_output() {
  local expected=$1 got
  shift
  got=$(installed "$@") || return 1
  [[ $got == "$expected" ]] || { echo "expected '$expected', got '$got'"; return 1; }
}

check "lumcode encode --check C39 ABC prints #ABCX#" expect_output '#ABCX#' lumcode encode --check C39 ABC
check "lumcode is /usr/bin/lumcode" expect_output /usr/bin/lumcode sh -c 'command -v lumcode'

# One version everywhere: the programs, pkg-config, the packages, the library
# file and the software-centre entry all say the version of CMakeLists.txt.
same_version() {
  local so=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/libLUMDLL.so.$version
  expect_output "lumcode $version" lumcode --version &&
    expect_output "LUMAssistant $version" LUMAssistant --version &&
    expect_output "$version" pkg-config --modversion lumdll &&
    for p in "${packages[@]}"; do expect_output "$version" dpkg-query -W -f='${Version}' "$p" || return 1; done &&
    [[ -f $so ]] && objdump -p "$so" | grep -qw "SONAME *libLUMDLL.so.${version%%.*}" &&
    grep -q "<release version=\"$version\"" /usr/share/metainfo/example.lum.LUMAssistant.metainfo.xml
}
check "version $version in programs, pkg-config, packages, soname and metainfo" same_version

check "man -w lumcode finds the installed page" expect_output /usr/share/man/man1/lumcode.1.gz man -w lumcode
check "man -w LUMAssistant finds the installed page" \
  expect_output /usr/share/man/man1/LUMAssistant.1.gz man -w LUMAssistant

# Every font the generator makes is a family fontconfig lists, from the
# installed folder.
fonts_listed() {
  local name files missing=0 font_list
  # The engine's list of the fonts, which the package build wrote beside them.
  font_list=$(ls "$LUM_ROOT"/build-deb/lum-"$version"/obj-*/fonts/fonts.tsv) || return 1
  [[ -s $font_list ]] || { echo "no font in $font_list"; return 1; }
  while IFS= read -r name; do
    files=$(installed fc-list ":family=$name" file)
    if [[ $files != /usr/share/fonts/truetype/lum/* ]]; then
      echo "fc-list does not list \"$name\" from /usr/share/fonts/truetype/lum (got: $files)"
      missing=1
    fi
  done < <(cut -f1 "$font_list")
  return $missing
}
check "fc-list lists every VOR font family shipped" fonts_listed

render_png() {
  installed lumcode render --check -o c39.png C39 ABC && file "$scratch/c39.png" | grep -q 'PNG image data'
}
check "lumcode render draws with the installed fonts" render_png

# The hosts must find the packaged files, not a copy installed elsewhere
# (/usr/local comes first for pkg-config, CMake and the loader).
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
uses_packaged_library() {
  local lib
  lib=$(installed ldd "$1" | awk '$1 ~ /^libLUMDLL/ { print $3 }')
  [[ -n $lib && $(realpath "$lib") == $(realpath "/usr/lib/$multiarch/libLUMDLL.so.${version%%.*}") ]] ||
    { echo "$1 loads '$lib'"; return 1; }
}
cp -r "$LUM_ROOT/tests/packaging/host.c" "$LUM_ROOT/tests/packaging/cmake_host" "$scratch/"
pkg_config_host() {
  expect_output "/usr/lib/$multiarch/pkgconfig" pkg-config --variable=pcfiledir lumdll &&
    installed sh -c 'cc -o pc_host host.c $(pkg-config --cflags --libs lumdll)' &&
    expect_output '#ABCX#' ./pc_host && uses_packaged_library ./pc_host
}
check "a C host built with pkg-config lumdll runs" pkg_config_host
cmake_host() {
  installed cmake -S cmake_host -B cmake_build -G Ninja -DLUM_VERSION="$version" >/dev/null &&
    grep -qx "LUMDLL_DIR:PATH=/usr/lib/$multiarch/cmake/LUMDLL" "$scratch/cmake_build/CMakeCache.txt" &&
    installed cmake --build cmake_build >/dev/null && expect_output '#ABCX#' ./cmake_build/host &&
    uses_packaged_library ./cmake_build/host
}
check "a CMake project with find_package(LUMDLL) builds and runs" cmake_host

desktop_entry() {
  local entry=/usr/share/applications/lumassistant.desktop
  installed desktop-file-validate "$entry" &&
    [[ -x /usr/bin/$(sed -n 's/^Exec=//p' "$entry") ]] &&
    [[ -f /usr/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$entry").svg ]] &&
    file /usr/share/icons/hicolor/128x128/apps/lumassistant.png | grep -q '128 x 128'
}
check "desktop entry valid, its program and icons installed" desktop_entry
check "appstreamcli validate passes" installed appstreamcli validate --no-net \
  /usr/share/metainfo/example.lum.LUMAssistant.metainfo.xml

check "the guides are where the Guide menu looks" sh -c \
  'file /usr/share/LUMAssistant/LUMGuide.pdf /usr/share/LUMAssistant/LUMGuide_ita.pdf | grep -c "PDF document" | grep -qx 2'

check "python3: import lum, encode" \
  expect_output '#ABCX#' python3 -c 'import lum; print(lum.encode("ABC", "C39", True))'
check "python3 takes the packaged module" \
  expect_output /usr/lib/python3/dist-packages/lum/__init__.py python3 -c 'import lum; print(lum.__file__)'

check "sqlite3: .load lum_sqlite, lum_barcode" expect_output '#ABCX#' \
  sqlite3 :memory: ".load /usr/lib/$multiarch/sqlite3/lum_sqlite" "SELECT lum_barcode('ABC', 'C39', 1);"

# PostgreSQL: a throwaway server of the installed version (initdb in the
# scratch folder, a Unix socket there, no TCP), as the user postgres when root.
pg_owner=$(id -un)
[[ $(id -u) -ne 0 ]] || { pg_owner=postgres; id postgres >/dev/null 2>&1 || pg_owner=nobody; }
pg_as_owner() { (cd "$scratch" && if [[ $(id -u) -eq 0 ]]; then runuser -u "$pg_owner" -- "$@"; else "$@"; fi); }
postgresql_extension() {
  local module
  module=$(dpkg -L postgresql-15-lum | grep '/lib/lum\.so$')
  pg_bindir=$(dirname "$(dirname "$module")")/bin
  mkdir -p "$scratch/pg"
  chown "$pg_owner" "$scratch/pg"
  pg_data=$scratch/pg/data
  pg_as_owner "$pg_bindir/initdb" -D "$pg_data" -U lum -A trust -E UTF8 --locale=C --no-sync >/dev/null &&
    pg_as_owner "$pg_bindir/pg_ctl" -D "$pg_data" -l "$scratch/pg/server.log" -w -s start \
      -o "-c listen_addresses='' -c unix_socket_directories='$scratch/pg' -c fsync=off" &&
    expect_output '#ABCX#' "$pg_bindir/psql" -X -q -A -t -v ON_ERROR_STOP=1 -h "$scratch/pg" -U lum -d postgres \
      -c "CREATE EXTENSION lum" -c "SELECT lum_barcode('ABC', 'C39', true)"
}
check "postgresql: CREATE EXTENSION lum, lum_barcode" postgresql_extension
pg_stop

# Calc: headless, on a fresh profile that has no extension of its own, so the
# function comes from the add-in installed for every user.
calc_add_in() {
  local work=$scratch/calc
  mkdir -p "$work/out"
  printf '%s\n' '=VORBARCODE("ABC";"C39";1)' >"$work/in.csv"
  printf '%s\n' '<?xml version="1.0"?><fontconfig><include>/etc/fonts/fonts.conf</include></fontconfig>' \
    >"$work/fonts.conf"
  lum_office_user
  [[ ${#lum_office_as[@]} -eq 0 ]] || chown -R "$LUM_OFFICE_USER:" "$work"
  lum_office_calc "$work" --infilter="Text - txt - csv (StarCalc):44,34,76,1,,0,true,false,false,false,false,0,true" \
    --convert-to csv --outdir "$work/out" "$work/in.csv" >/dev/null 2>&1
  expect_output '#ABCX#' tr -d '"\r' <"$work/out/in.csv"
}
check "calc: =VORBARCODE(\"ABC\";\"C39\";1) in headless Calc" calc_add_in

# Purged: no package state, no file, no folder of theirs alone (one that no
# other package owns, such as a module's byte-code cache), no font, no manual
# page left.
nothing_left() {
  local p f path left=0 folders=()
  for p in "${packages[@]}"; do
    [[ $(installed_state "$p") == not-installed ]] || { echo "$p is still $(installed_state "$p")"; left=1; }
  done
  for f in "${debs[@]}"; do
    while IFS= read -r path; do
      path=${path#.}
      if [[ $path == */ ]]; then
        [[ $path == / || ! -d $path ]] || folders+=("${path%/}")
      elif [[ -e $path || -L $path ]]; then
        echo "left behind: $path"
        left=1
      fi
    done < <(dpkg-deb --fsys-tarfile "$f" | tar -t)
  done
  while IFS= read -r path; do
    echo "left behind: $path/"
    left=1
  done < <(dpkg-query -S "${folders[@]}" 2>&1 >/dev/null | sed -n 's/^dpkg-query: no path found matching pattern //p')
  ! installed fc-list : file | grep /usr/share/fonts/truetype/lum/ || { echo "fontconfig still lists LUM fonts"; left=1; }
  ! installed man -w lumcode >/dev/null 2>&1 || { echo "man still finds lumcode"; left=1; }
  return $left
}
purge
check "purged: nothing of the packages is left" nothing_left

[[ $failures -eq 0 ]] || { echo "packaging: $failures check(s) failed" >&2; exit 1; }
