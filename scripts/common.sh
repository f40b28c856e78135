# Shared by run.sh and test.sh: package set-up and tree builds.
# shellcheck shell=bash

LUM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs the packages named (default: those of scripts/packages.txt) that
# are missing; silent when none is.
lum_install_packages() {
  local missing=() pkg wanted=("$@")
  if [[ ${#wanted[@]} -eq 0 ]]; then
    mapfile -t wanted < <(grep -v -E '^[[:space:]]*(#|$)' "$LUM_ROOT/scripts/packages.txt")
  fi
  for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The project's version, from its one place: project(LUM VERSION ...) in CMakeLists.txt.
lum_version() {
  sed -n 's/^project(LUM VERSION \([0-9.]*\).*/\1/p' "$LUM_ROOT/CMakeLists.txt"
}

# lum_build DIR [cmake options...]: configures DIR (again, so that new
# component folders are picked up), then builds it.
lum_build() {
  local dir="$LUM_ROOT/$1"
  shift
  cmake -S "$LUM_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  # LUM_TARGETS, when set, limits the build to those targets.
  local targets=()
  [[ -n "${LUM_TARGETS:-}" ]] && targets=(--target ${LUM_TARGETS})
  cmake --build "$dir" "${targets[@]}" -- -j"$(nproc)"
}

lum_build_main() {
  lum_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUM_WERROR=ON "$@"
}
