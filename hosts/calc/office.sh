# Headless LibreOffice with the Calc add-in, for the test stage and the
# benchmark: a throwaway profile in a work folder, the add-in installed into
# it with unopkg, the Python module and the library copied beside each other,
# the barcode fonts visible through a fontconfig file of its own. As root the
# office runs as an unprivileged system user (unopkg refuses root without
# --shared), created once.
# shellcheck shell=bash

LUM_OFFICE_USER=${LUM_OFFICE_USER:-lumoffice}
lum_office_as=()
lum_office_groups=()

# As root, the office runs as LUM_OFFICE_USER, created the first time.
lum_office_user() {
  if [[ $(id -u) -eq 0 ]]; then
    id -u "$LUM_OFFICE_USER" >/dev/null 2>&1 ||
      useradd --system --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
        "$LUM_OFFICE_USER"
    lum_office_as=(runuser -u "$LUM_OFFICE_USER" --)
  fi
}

# lum_office_prepare WORK BUILD: the work folder, owned by the user that runs
# the office, with the add-in installed into its profile.
lum_office_prepare() {
  local work=$1 build=$2
  local package=$build/hosts/python/lum oxt=$build/hosts/calc/lum-calc.oxt
  local tool
  for tool in soffice unopkg; do
    command -v "$tool" >/dev/null || { echo "$tool not found (scripts/packages.txt)" >&2; return 1; }
  done
  [[ -f $oxt && -f $package/_catalogue.py ]] || { echo "build the tree first: $oxt" >&2; return 1; }
  lum_office_user
  mkdir -p "$work"/{python,fonts,fontcache,out}
  # The module finds the library beside itself, so nothing outside the work
  # folder needs to be readable by the office's user.
  cp -r "$package" "$work/python/"
  rm -rf "$work/python/lum/__pycache__"
  local soname library
  soname=$(sed -n 's/^LIBRARY_NAME = "\(.*\)"$/\1/p' "$package/_location.py")
  library=$(sed -n 's/^BUILD_TREE_LIBRARY = "\(.*\)"$/\1/p' "$package/_location.py")
  cp "$library" "$work/python/lum/$soname"
  if compgen -G "$build/fonts/*.ttf" >/dev/null; then
    cp "$build"/fonts/*.ttf "$work/fonts/"
  fi
  cp "$oxt" "$work/"
  cat >"$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <dir>$work/fonts</dir>
  <cachedir>$work/fontcache</cachedir>
</fontconfig>
CONF
  [[ ${#lum_office_as[@]} -eq 0 ]] || chown -R "$LUM_OFFICE_USER:" "$work"
  lum_office "$work" unopkg add --suppress-license "$work/lum-calc.oxt"
}

# lum_office_spawn WORK PROGRAM ARGS...: starts a program as the office's
# user, in a clean environment whose HOME is the work folder, in a process
# group of its own (timeout makes one) that lum_office_stop can end; its pid
# is in lum_office_pid.
lum_office_spawn() {
  local work=$1
  shift
  (cd "$work" && exec timeout --kill-after=10 "${LUM_OFFICE_TIMEOUT:-300}" "${lum_office_as[@]}" \
    env -i PATH=/usr/bin:/bin HOME="$work" LANG=C.UTF-8 PYTHONPATH="$work/python" \
    PYTHONDONTWRITEBYTECODE=1 FONTCONFIG_FILE="$work/fonts.conf" "$@") &
  lum_office_pid=$!
  lum_office_groups+=("$lum_office_pid")
}

# lum_office WORK PROGRAM ARGS...: runs soffice or unopkg on the work
# folder's profile and waits for it.
lum_office() {
  local work=$1 program=$2
  shift 2
  lum_office_spawn "$work" "$program" -env:UserInstallation="file://$work/profile" "$@"
  wait "$lum_office_pid"
}

# lum_office_calc WORK ARGS...: headless soffice with the usual options.
lum_office_calc() {
  local work=$1
  shift
  lum_office "$work" soffice --headless --norestore --nolockcheck --nodefault "$@"
}

# Ends whatever lum_office started and is still running.
lum_office_stop() {
  local group
  for group in "${lum_office_groups[@]}"; do
    kill -TERM -- "-$group" 2>/dev/null || true
  done
  lum_office_groups=()
}
