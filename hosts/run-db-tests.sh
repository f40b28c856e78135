#!/usr/bin/env bash
# The database stage: the SQLite extension through Python's sqlite3 module and
# the sqlite3 shell, then the PostgreSQL extension in a throwaway server, each
# compared request by request with lumcode and LUMDLL
# (tests/databases/check_sql_functions.py). Takes the build tree (default
# build/), which must hold both extensions, lumcode and the library.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
tests=$root/tests/databases
sqlite=$build/hosts/sqlite/lum_sqlite.so
postgresql=$build/hosts/postgresql/lum.so
check=(/usr/bin/python3 "$tests/check_sql_functions.py" --lumcode "$build/cli/lumcode"
       --lumdll "$build/library/libLUMDLL.so")

fail() {
  echo "run-db-tests: $*" >&2
  exit 1
}

for file in "$sqlite" "$postgresql" "$build/cli/lumcode" "$build/library/libLUMDLL.so"; do
  [[ -f $file ]] || fail "$file is missing: build the tree with LUM_BUILD_SQLITE, LUM_BUILD_POSTGRESQL and LUM_BUILD_CLI on"
done

# Only the entry points are visible: the static engine stays private to each module.
exports() { nm -D --defined-only "$1" | awk '{ print $3 }' | sort | xargs; }
[[ $(exports "$sqlite") == "sqlite3_lumsqlite_init" ]] || fail "lum_sqlite.so exports: $(exports "$sqlite")"
expected="Pg_magic_func lum_barcode lum_font lum_reason lum_valid lum_validate pg_finfo_lum_barcode pg_finfo_lum_font"
expected+=" pg_finfo_lum_reason pg_finfo_lum_valid pg_finfo_lum_validate"
[[ $(exports "$postgresql") == "$expected" ]] || fail "lum.so exports: $(exports "$postgresql")"

echo "-- SQLite"
"${check[@]}" sqlite-module "$sqlite"
"${check[@]}" sqlite-shell "$sqlite"
answer=$(sqlite3 :memory: ".load ${sqlite%.so}" "SELECT lum_barcode('590123412345','EAN13',1);")
[[ $answer == "5|JabCDe!nopqrt|" ]] || fail "sqlite3 .load: $answer"

echo "-- PostgreSQL"
source "$tests/postgresql_server.sh"
trap lum_pg_stop EXIT
lum_pg_start "$build"
psql=("$LUM_PG_BINDIR/psql" -X -q -A -t -v ON_ERROR_STOP=1 -h "$LUM_PG_HOST" -p "$LUM_PG_PORT" -U lum)
"${psql[@]}" -d postgres -c "CREATE DATABASE lum_test" -c "CREATE DATABASE lum_example"
"${check[@]}" --psql "$LUM_PG_BINDIR/psql" postgresql "$LUM_PG_HOST" "$LUM_PG_PORT" lum lum_test
answer=$("${psql[@]}" -d lum_example -c "CREATE EXTENSION lum" -c "SELECT lum_barcode('ABC','C39',true)")
[[ $answer == "#ABCX#" ]] || fail "CREATE EXTENSION lum: $answer"
lum_pg_stop
echo "database tests passed"
