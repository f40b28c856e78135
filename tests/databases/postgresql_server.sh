# A throwaway PostgreSQL server with the lum extension, for the database
# tests and benchmarks. Source it, then:
#   trap lum_pg_stop EXIT
#   lum_pg_start BUILD_DIR
# and connect with psql -h "$LUM_PG_HOST" -p "$LUM_PG_PORT" -U lum.
#
# PostgreSQL 15 looks for extensions only in its own share and library
# folders, which it finds relative to its program file. So the server runs
# from a private copy of the installation in a temporary folder: the component
# "postgresql" installed into it with `cmake --install` and DESTDIR (the very
# files and places a package gets), the postgres and pg_ctl programs copied,
# every other file of the share and library folders linked. Nothing is
# written outside the temporary folder.
#
# The server refuses to run as root: under root it runs as the user postgres
# (created by Debian's postgresql-common), or nobody. It listens on a Unix
# socket in the temporary folder only, never on TCP; lum_pg_stop stops it and
# removes the folder.
# shellcheck shell=bash

LUM_PG_ROOT=""

# Links every entry of SOURCE into TARGET that TARGET does not have, going
# into the folders both have.
lum_pg_link_tree() {
  local source=$1 target=$2 entry name
  mkdir -p "$target"
  for entry in "$source"/*; do
    name=${entry##*/}
    if [[ -d $target/$name && ! -L $target/$name ]]; then
      lum_pg_link_tree "$entry" "$target/$name"
    elif [[ ! -e $target/$name ]]; then
      ln -s "$entry" "$target/$name"
    fi
  done
}

# Runs a server program as the server's owner, from a folder that owner can read.
lum_pg_as_owner() {
  if [[ $(id -u) -eq 0 ]]; then
    (cd "$LUM_PG_ROOT" && runuser -u "$LUM_PG_OWNER" -- "$@")
  else
    (cd "$LUM_PG_ROOT" && "$@")
  fi
}

lum_pg_start() {
  local build=$1 pg_config bindir sharedir pkglibdir prefix
  pg_config=$(sed -n 's/^LUM_PG_CONFIG:[A-Z]*=//p' "$build/CMakeCache.txt")
  bindir=$("$pg_config" --bindir)
  sharedir=$("$pg_config" --sharedir)
  pkglibdir=$("$pg_config" --pkglibdir)

  LUM_PG_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/lum-pg.XXXXXX")
  chmod 755 "$LUM_PG_ROOT"
  prefix=$LUM_PG_ROOT/install
  DESTDIR=$prefix cmake --install "$build" --component postgresql >/dev/null
  if [[ ! -f $prefix$pkglibdir/lum.so || ! -f $prefix$sharedir/extension/lum.control ]]; then
    echo "lum_pg_start: the install rules do not follow $pg_config" >&2
    return 1
  fi
  mkdir -p "$prefix$bindir"
  cp "$bindir/postgres" "$bindir/pg_ctl" "$prefix$bindir/"
  lum_pg_link_tree "$sharedir" "$prefix$sharedir"
  lum_pg_link_tree "$pkglibdir" "$prefix$pkglibdir"

  LUM_PG_OWNER=$(id -un)
  if [[ $(id -u) -eq 0 ]]; then
    LUM_PG_OWNER=postgres
    id postgres >/dev/null 2>&1 || LUM_PG_OWNER=nobody
  fi
  LUM_PG_HOST=$LUM_PG_ROOT/run
  LUM_PG_PORT=5432
  LUM_PG_BINDIR=$bindir
  mkdir "$LUM_PG_HOST"
  chown "$LUM_PG_OWNER" "$LUM_PG_HOST"
  lum_pg_as_owner "$bindir/initdb" -D "$LUM_PG_HOST/data" -U lum -A trust -E UTF8 --locale=C --no-sync >/dev/null
  # No TCP; JIT off so timings measure the functions, not the compiler.
  lum_pg_as_owner "$prefix$bindir/pg_ctl" -D "$LUM_PG_HOST/data" -l "$LUM_PG_HOST/server.log" -w -s start \
    -o "-c listen_addresses='' -c unix_socket_directories='$LUM_PG_HOST' -c port=$LUM_PG_PORT -c jit=off -c fsync=off" ||
    { cat "$LUM_PG_HOST/server.log" >&2; return 1; }
}

lum_pg_stop() {
  [[ -n $LUM_PG_ROOT && -d $LUM_PG_ROOT ]] || return 0
  if [[ -f $LUM_PG_HOST/data/postmaster.pid ]]; then
    if ! lum_pg_as_owner "$LUM_PG_ROOT/install$LUM_PG_BINDIR/pg_ctl" -D "$LUM_PG_HOST/data" -m fast -w -s stop; then
      # Our own server, by the process id it wrote.
      kill -QUIT "$(head -n 1 "$LUM_PG_HOST/data/postmaster.pid")" 2>/dev/null || true
      sleep 1
    fi
  fi
  rm -rf "$LUM_PG_ROOT"
  LUM_PG_ROOT=""
}
