#!/usr/bin/env bash
# Builds the Debian packages into dist/ (debug symbols into dist/debug/) and
# checks them with lintian; prints each package with its size.
#
# The packages are built with dpkg-buildpackage from a copy of the working
# tree in build-deb/, so the checkout and its build/ tree stay untouched; the
# copy's CMake tree is kept from one run to the next, so only what changed is
# built again. The version is the project's (CMakeLists.txt); debian/changelog
# is written here from it and from the last commit.
set -euo pipefail
source "$(dirname "$0")/common.sh"

lum_install_packages
version=$(lum_version)
work="$LUM_ROOT/build-deb"
src="$work/lum-$version"

# A fresh copy of the files git knows (committed or not, ignored ones left
# out) beside the kept CMake tree (obj-*); nothing of an older version stays.
mkdir -p "$src"
find "$work" -mindepth 1 -maxdepth 1 ! -name "lum-$version" -exec rm -rf {} +
find "$src" -mindepth 1 -maxdepth 1 ! -name 'obj-*' -exec rm -rf {} +
(cd "$LUM_ROOT" && git ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$src"

commit=$(git -C "$LUM_ROOT" log -1 --format=%h 2>/dev/null || echo "")
when=$(git -C "$LUM_ROOT" log -1 --format=%cD 2>/dev/null || date -R)
dirty=""
[[ -n $(git -C "$LUM_ROOT" status --porcelain 2>/dev/null) ]] && dirty=", with uncommitted changes"
cat >"$src/debian/changelog" <<CHANGELOG
lum ($version) unstable; urgency=medium

  * Built from commit ${commit:-unknown}$dirty.

 -- $(sed -n 's/^Maintainer: //p' "$src/debian/control")  $when
CHANGELOG

(cd "$src" && dpkg-buildpackage -b --no-pre-clean -us -uc --no-sign) >"$work/build.log" 2>&1 || {
  tail -40 "$work/build.log" >&2
  echo "package.sh: dpkg-buildpackage failed; the whole log is $work/build.log" >&2
  exit 1
}

changes=$(ls "$work"/lum_"$version"_*.changes)
mkdir -p "$LUM_ROOT/dist/debug"
# Only this build's packages stay in dist/.
rm -f "$LUM_ROOT"/dist/*.deb "$LUM_ROOT"/dist/debug/*.deb
debs=$(awk '/^Files:/ { f = 1; next } /^[^ ]/ { f = 0 } f && $5 ~ /\.deb$/ { print $5 }' "$changes")
for deb in $debs; do
  case $deb in
  *-dbgsym_*) cp "$work/$deb" "$LUM_ROOT/dist/debug/" ;;
  *) cp "$work/$deb" "$LUM_ROOT/dist/" ;;
  esac
done

lintian --fail-on none --info --display-level '>=pedantic' "$changes" >"$work/lintian.txt" 2>"$work/lintian.err" || {
  cat "$work/lintian.err" >&2
  exit 1
}
echo "lintian (the explanations are in ${work#"$LUM_ROOT"/}/lintian.txt):"
grep -E '^[EWIPX]: ' "$work/lintian.txt" | sort -u | sed 's/^/  /' || echo "  no tags"
for deb in "$LUM_ROOT"/dist/*.deb; do
  printf '%-48s %8s\n' "${deb#"$LUM_ROOT"/}" "$(du -h --apparent-size "$deb" | cut -f1)"
done
# Errors and warnings fail the build; info and pedantic tags are only shown.
! grep -q '^[EW]: ' "$work/lintian.txt"
