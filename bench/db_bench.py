#!/usr/bin/python3
"""Rows through lum_barcode in a database engine, against a built-in function
of the same shape in the same run (upper() in SQLite, md5() in PostgreSQL)
and against the bare scan (length() of the column).

  db_bench.py [--rows N] [--rounds N] sqlite EXTENSION
  db_bench.py [--rows N] [--rounds N] postgresql PSQL HOST PORT USER DATABASE

The table holds --rows (default 1,000,000) different 12-digit EAN-13 bodies;
every query sums the length of its results, so each function runs once a row
and nothing but a number comes back. The three queries alternate for --rounds
(default 5) rounds after one untimed round; the medians are printed with rows per second
and two ratios: whole query time of lum_barcode over the yardstick's, and
function cost over function cost (each query's time less the bare scan).
PostgreSQL runs the queries in one process (no parallel workers).
"""

import argparse
import re
import sqlite3
import statistics
import subprocess
import sys
import time


def queries(yardstick, check):
    return {
        "scan": "SELECT sum(length(code)) FROM labels",
        yardstick: f"SELECT sum(length({yardstick}(code))) FROM labels",
        "lum_barcode": f"SELECT sum(length(lum_barcode(code, 'EAN13', {check}))) FROM labels",
    }


def sqlite_times(extension, rows, rounds):
    db = sqlite3.connect(":memory:")
    db.enable_load_extension(True)
    db.load_extension(extension)
    db.execute("CREATE TABLE labels(code TEXT)")
    db.execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
               "INSERT INTO labels SELECT printf('%012d', (i * 7919) % 1000000000000) FROM n", (rows,))
    times = {}
    for round in range(rounds + 1):
        for name, sql in queries("upper", 1).items():
            start = time.perf_counter()
            db.execute(sql).fetchone()
            if round:
                times.setdefault(name, []).append(time.perf_counter() - start)
    return times


def postgresql_times(psql, host, port, user, database, rows, rounds):
    connection = [psql, "-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1", "-h", host, "-p", port, "-U", user,
                  "-d", database]
    setup = ("CREATE EXTENSION IF NOT EXISTS lum;\nDROP TABLE IF EXISTS labels;\n"
             "CREATE TABLE labels AS SELECT lpad(((i::bigint * 7919) % 1000000000000)::text, 12, '0') AS code "
             f"FROM generate_series(1, {rows}) i;\nVACUUM ANALYZE labels;\n")
    subprocess.run(connection, input=setup.encode(), check=True, capture_output=True)
    plan = queries("md5", "true")
    script = ["SET max_parallel_workers_per_gather = 0;", "\\timing on"]
    script += [sql + ";" for _ in range(rounds + 1) for sql in plan.values()]
    out = subprocess.run(connection, input="\n".join(script).encode(), check=True, capture_output=True).stdout
    ms = [float(m) for m in re.findall(r"^Time: ([\d.]+) ms", out.decode(), re.M)]
    names = list(plan) * (rounds + 1)
    times = {}
    for name, t in list(zip(names, ms))[len(plan):]:
        times.setdefault(name, []).append(t / 1000)
    return times


def report(engine, times, rows):
    median = {name: statistics.median(t) for name, t in times.items()}
    yardstick = [name for name in median if name not in ("scan", "lum_barcode")][0]
    for name, t in median.items():
        print(f"{engine}: {name:12} {t * 1000:9.1f} ms  {rows / t:13,.0f} rows/s")
    lum, base, scan = median["lum_barcode"], median[yardstick], median["scan"]
    print(f"{engine}: lum_barcode / {yardstick}(): {lum / base:.2f}x query time, "
          f"{(lum - scan) / (base - scan):.2f}x function cost")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--rows", type=int, default=1_000_000)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("engine", choices=["sqlite", "postgresql"])
    parser.add_argument("where", nargs="+", help="EXTENSION, or PSQL HOST PORT USER DATABASE")
    args = parser.parse_args()
    if args.engine == "sqlite":
        times = sqlite_times(*args.where, args.rows, args.rounds)
    else:
        times = postgresql_times(*args.where, args.rows, args.rounds)
    report(args.engine, times, args.rows)


if __name__ == "__main__":
    main()
