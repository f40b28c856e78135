#!/usr/bin/env bash
# lum_barcode over 1,000,000 rows in SQLite and in a throwaway PostgreSQL
# server, against upper() and md5() in the same run (bench/db_bench.py).
#   bench/db_bench.sh [ROWS] [ROUNDS]
# Figures: docs/performance.md.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

rows=${1:-1000000}
rounds=${2:-5}
LUM_TARGETS="lum_sqlite lum_postgresql" lum_build_main >/dev/null
build=$LUM_ROOT/build
bench=(/usr/bin/python3 "$LUM_ROOT/bench/db_bench.py" --rows "$rows" --rounds "$rounds")

"${bench[@]}" sqlite "$build/hosts/sqlite/lum_sqlite.so"

source "$LUM_ROOT/tests/databases/postgresql_server.sh"
trap lum_pg_stop EXIT
lum_pg_start "$build"
"$LUM_PG_BINDIR/psql" -X -q -h "$LUM_PG_HOST" -p "$LUM_PG_PORT" -U lum -d postgres -c "CREATE DATABASE lum_bench"
"${bench[@]}" postgresql "$LUM_PG_BINDIR/psql" "$LUM_PG_HOST" "$LUM_PG_PORT" lum lum_bench
