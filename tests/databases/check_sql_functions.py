#!/usr/bin/python3
"""Runs the SQL functions of one database engine over the requests of
cases.tsv and compares every answer with independent frames of the engine:
lumcode for font strings, normalised texts and acceptance, LUMDLL's
VORDiagnoseDLL for reasons.

  check_sql_functions.py [OPTIONS] sqlite-module EXTENSION   Python's sqlite3 module
  check_sql_functions.py [OPTIONS] sqlite-shell EXTENSION    the sqlite3 program
  check_sql_functions.py [OPTIONS] postgresql HOST PORT USER DATABASE
                                                             psql against a running server

Every difference is printed; the exit status is 1 when there is any.
"""

import argparse
import collections
import ctypes
import json
import os
import re
import sqlite3
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


Case = collections.namedtuple("Case", "id symbology flag text")


def read_cases(path):
    cases = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            symbology, flag, *rest = line.split("\t")
            cases.append(Case(len(cases) + 1, symbology, flag == "1", rest[0] if rest else ""))
    return cases


class Expected:
    """What lumcode and LUMDLL answer for one request."""

    def __init__(self, case, lumcode, lumdll):
        check = ["--check"] if case.flag else []
        encode = subprocess.run([lumcode, "encode", *check, case.symbology, case.text], capture_output=True)
        self.accepted = encode.returncode == 0
        self.barcode = self.validate = self.reason = None
        if self.accepted:
            self.barcode = encode.stdout.decode("utf-8").removesuffix("\n")
            self.validate = lumcode_output(lumcode, "validate", *check, case.symbology, case.text)
            return
        symbology = case.symbology.upper()
        try:
            text = case.text.encode("cp1252")
        except UnicodeEncodeError:
            # lumcode words a character without a Windows-1252 form itself:
            # 'lumcode: C39: "日本": character "日" (U+65E5) ... has no Windows-1252 form'
            message = encode.stderr.decode("utf-8").strip()
            self.reason = message.split('": ', 1)[1]
            self.message = f"{symbology}: {self.reason}"
            return
        room = 1024
        out = ctypes.create_string_buffer(room)
        n = lumdll.VORDiagnoseDLL(text, case.symbology.encode(), int(case.flag), 0, out, room)
        self.reason = out.value.decode("cp1252") if n > 0 else None
        known = subprocess.run([lumcode, "list", case.symbology], capture_output=True).returncode == 0
        self.message = f'{symbology}: "{case.text}": {self.reason}' if known else self.reason


class Report:
    def __init__(self, engine):
        self.engine = engine
        self.failures = 0
        self.checks = 0

    def equal(self, actual, expected, what):
        self.checks += 1
        if actual != expected:
            self.failures += 1
            print(f"{self.engine}: {what}:\n  got      {actual!r}\n  expected {expected!r}")

    def true(self, condition, what):
        self.equal(bool(condition), True, what)


def lumcode_output(lumcode, *args):
    done = subprocess.run([lumcode, *args], capture_output=True, check=True)
    return done.stdout.decode("utf-8").removesuffix("\n")


def literal(value):
    if isinstance(value, bool):
        return "TRUE" if value else "FALSE"
    return "'" + value.replace("'", "''") + "'"


def setup_sql(cases):
    rows = ",\n".join(f"({c.id}, {literal(c.symbology)}, {literal(c.flag)}, {literal(c.text)})" for c in cases)
    return ("CREATE TABLE cases(id INTEGER PRIMARY KEY, symbology TEXT, flag BOOLEAN, text TEXT);\n"
            f"INSERT INTO cases VALUES\n{rows};\n")


# Every function over the whole table, with and without the optional flag.
TABLE_QUERY = """SELECT id,
  lum_valid(text, symbology, flag) AS valid,
  lum_reason(text, symbology, flag) AS reason,
  CASE WHEN lum_valid(text, symbology, flag) THEN lum_barcode(text, symbology, flag) END AS barcode,
  CASE WHEN lum_valid(text, symbology, flag) THEN lum_validate(text, symbology, flag) END AS validate,
  CASE WHEN NOT flag THEN lum_valid(text, symbology) END AS valid2,
  CASE WHEN NOT flag THEN lum_reason(text, symbology) END AS reason2,
  CASE WHEN NOT flag AND lum_valid(text, symbology) THEN lum_barcode(text, symbology) END AS barcode2,
  CASE WHEN NOT flag AND lum_valid(text, symbology) THEN lum_validate(text, symbology) END AS validate2
FROM cases"""

# Each function with NULL in each argument, in both forms.
NULL_CALLS = [
    f"{name}({', '.join('NULL' if i == hole else arg for i, arg in enumerate(args))})"
    for name, full in [("lum_barcode", ["'ABC'", "'C39'", "TRUE"]), ("lum_validate", ["'ABC'", "'C39'", "TRUE"]),
                       ("lum_valid", ["'ABC'", "'C39'", "TRUE"]), ("lum_reason", ["'ABC'", "'C39'", "TRUE"]),
                       ("lum_font", ["'C39'", "'Narrow'"])]
    for args in (full, full[:-1])
    for hole in range(len(args))
]


class SqliteModule:
    name = "sqlite3 module"

    def __init__(self, extension):
        self.db = sqlite3.connect(":memory:", isolation_level=None)
        self.db.enable_load_extension(True)
        self.db.load_extension(extension)
        self.db.enable_load_extension(False)
        # Functions used in a schema must be innocuous when the schema is not trusted.
        self.db.execute("PRAGMA trusted_schema = OFF")

    def execute(self, sql):
        self.db.executescript(sql)

    def query(self, sql):
        cursor = self.db.execute(sql)
        names = [d[0] for d in cursor.description]
        return [dict(zip(names, row)) for row in cursor.fetchall()]

    def errors(self, statements):
        found = []
        for statement in statements:
            try:
                self.db.execute(statement).fetchall()
                found.append(None)
            except sqlite3.OperationalError as e:  # what sqlite3_result_error raises
                found.append(("error", str(e)))
            except sqlite3.Error as e:
                found.append((type(e).__name__, str(e)))
        return found


class SqliteShell:
    """The sqlite3 program over a database file, one run per call."""

    name = "sqlite3 shell"

    def __init__(self, extension, folder):
        self.preamble = [f".load {extension}", "PRAGMA trusted_schema = OFF;"]
        self.database = os.path.join(folder, "shell.db")

    def run(self, lines):
        script = "\n".join(self.preamble + lines) + "\n"
        return subprocess.run(["sqlite3", self.database], input=script.encode(), capture_output=True)

    def execute(self, sql):
        done = self.run([sql])
        if done.returncode != 0 or done.stderr:
            raise RuntimeError(done.stderr.decode())

    def query(self, sql):
        done = self.run([".mode json", sql.replace("\n", " ") + ";"])
        if done.stderr:
            raise RuntimeError(done.stderr.decode())
        return json.loads(done.stdout.decode() or "[]")

    def errors(self, statements):
        # One statement a line; the shell names the line of each failure.
        done = self.run([s + ";" for s in statements])
        first = len(self.preamble) + 1
        found = [None] * len(statements)
        for line in done.stderr.decode().splitlines():
            m = re.match(r"(?:Runtime error|Parse error|Error) near line (\d+): (.*)", line)
            if m:
                found[int(m.group(1)) - first] = ("error", m.group(2))
        return found


class Postgresql:
    """psql against the server, one session per call."""

    name = "postgresql"

    def __init__(self, psql, host, port, user, database):
        self.psql = psql
        self.connection = ["-h", host, "-p", port, "-U", user, "-d", database]

    def run(self, sql, connection=None):
        return subprocess.run([self.psql, "-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1", *(connection or self.connection)],
                              input=sql.encode(), capture_output=True, env=dict(os.environ, PGCLIENTENCODING="UTF8"))

    def output(self, sql, connection=None):
        done = self.run(sql, connection)
        if done.returncode != 0:
            raise RuntimeError(done.stderr.decode())
        return done.stdout.decode()

    def execute(self, sql):
        self.output(sql)

    def query(self, sql):
        return json.loads(self.output(f"SELECT coalesce(json_agg(row_to_json(q)), '[]') FROM ({sql}) q;"))

    def errors(self, statements):
        array = ", ".join(literal(s) for s in statements)
        found = json.loads(self.output(
            f"SELECT json_agg(lum_test_error(s) ORDER BY n) FROM unnest(ARRAY[{array}]::text[]) WITH ORDINALITY t(s, n);"))
        return [tuple(e.split(" ", 1)) if e else None for e in found]


# The SQLSTATE of a rejected request; SQLite has one error result for all.
def rejection_state(engine):
    return "22023" if isinstance(engine, Postgresql) else "error"


def check_table(engine, cases, expected, report):
    rows = {row["id"]: row for row in engine.query(TABLE_QUERY)}
    for case in cases:
        e, row = expected[case.id], rows[case.id]
        what = f"{case.symbology} {int(case.flag)} {case.text!r}"
        report.equal(bool(row["valid"]), e.accepted, f"{what}: lum_valid")
        report.equal(row["reason"], e.reason, f"{what}: lum_reason")
        report.equal(row["barcode"], e.barcode, f"{what}: lum_barcode")
        report.equal(row["validate"], e.validate, f"{what}: lum_validate")
        if not case.flag:
            report.equal((bool(row["valid2"]), row["reason2"], row["barcode2"], row["validate2"]),
                         (bool(row["valid"]), row["reason"], row["barcode"], row["validate"]),
                         f"{what}: the forms without check_digit")

    rejected = [c for c in cases if not expected[c.id].accepted]
    statements = [f"SELECT {f}(text, symbology, flag) FROM cases WHERE id = {c.id}"
                  for c in rejected for f in ("lum_barcode", "lum_validate")]
    found = engine.errors(statements)
    for i, case in enumerate(rejected):
        message = (rejection_state(engine), expected[case.id].message)
        report.equal(found[2 * i], message, f"{case.symbology} {case.text!r}: lum_barcode error")
        report.equal(found[2 * i + 1], message, f"{case.symbology} {case.text!r}: lum_validate error")


def check_nulls_and_catalogue(engine, cases, lumcode, report):
    row = engine.query("SELECT " + ", ".join(f"{call} IS NULL AS n{i}" for i, call in enumerate(NULL_CALLS)))[0]
    for i, call in enumerate(NULL_CALLS):
        report.true(row[f"n{i}"], f"{call} is NULL")

    # The family of every entry, as lumcode lists it, is its font in the default style.
    catalogue = subprocess.run([lumcode, "list"], capture_output=True, check=True).stdout.decode().splitlines()
    families = {line.split("\t")[0]: line.split("\t")[3] for line in catalogue}
    report.equal(len(families), 31, "catalogue size")
    covered = {(c.symbology.upper(), c.flag) for c in cases}
    report.equal(sorted((s, f) for s in families for f in (False, True) if (s, f) not in covered), [],
                 "identifiers and flags without a case")
    calls = ", ".join(f"lum_font({literal(s.lower())}) AS f{i}" for i, s in enumerate(families))
    row = engine.query(f"SELECT {calls}")[0]
    for i, (symbology, family) in enumerate(families.items()):
        report.equal(row[f"f{i}"], family, f"lum_font('{symbology.lower()}')")
    report.equal(engine.query("SELECT lum_font('C39', 'narrow short') AS f")[0]["f"], "VOR39 Narrow Short",
                 "lum_font with a style")
    report.equal(engine.errors(["SELECT lum_font('C128', 'Wide')"]),
                 [(rejection_state(engine), 'C128: font family VOR128 has no style "Wide"; its styles: Normal, Short')],
                 "lum_font with a style the family lacks")


def check_constraint(engine, lumcode, report):
    """A CHECK constraint refuses a bad row and keeps the good ones; an index
    over the font string is allowed (deterministic, innocuous)."""
    engine.execute("CREATE TABLE products(code TEXT CHECK (lum_valid(code, 'EAN13', TRUE)));\n"
                   "CREATE INDEX products_barcode ON products (lum_barcode(code, 'EAN13', TRUE));\n"
                   "INSERT INTO products VALUES ('590123412345'), ('400638133393'), ('12');")
    found = engine.errors(["INSERT INTO products VALUES ('59012341234X')"])[0]
    report.true(found and ("23514" in found[0] or "CHECK constraint failed" in found[1]),
                f"CHECK constraint refuses the bad row: {found}")
    rows = engine.query("SELECT code, lum_barcode(code, 'EAN13', TRUE) AS barcode FROM products ORDER BY code")
    report.equal([(r["code"], r["barcode"]) for r in rows],
                 [(code, lumcode_output(lumcode, "encode", "--check", "EAN13", code))
                  for code in ("12", "400638133393", "590123412345")],
                 "the good rows stay")


def check_sqlite_flag(engine, report):
    """SQLite has no boolean: 0 and 1 (and texts that read as them) only."""
    row = engine.query("SELECT lum_barcode('ABC', 'C39', '1') AS text_one, lum_barcode('ABC', 'C39', FALSE) AS false")[0]
    report.equal((row["text_one"], row["false"]), ("#ABCX#", "#ABC#"), "check_digit '1' and FALSE")
    report.equal(engine.errors(["SELECT lum_barcode('ABC', 'C39', 2)", "SELECT lum_valid('ABC', 'C39', 'yes')"]),
                 [("error", "lum_barcode: check_digit must be 0 or 1"),
                  ("error", "lum_valid: check_digit must be 0 or 1")],
                 "check_digit other than 0 or 1")


def check_postgresql(engine, lumcode, report):
    """Function attributes, a parallel plan, a WIN1252 database and a
    non-superuser installing the trusted extension."""
    rows = engine.query("SELECT proname || '/' || pronargs AS f, provolatile, proisstrict, proparallel "
                        "FROM pg_proc WHERE proname LIKE 'lum\\_%' AND proname <> 'lum_test_error' ORDER BY 1")
    report.equal([(r["f"], r["provolatile"], r["proisstrict"], r["proparallel"]) for r in rows],
                 [(f, "i", True, "s") for f in
                  ["lum_barcode/3", "lum_font/2", "lum_reason/3", "lum_valid/3", "lum_validate/3"]],
                 "IMMUTABLE STRICT PARALLEL SAFE")

    parallel = ("SET max_parallel_workers_per_gather = 2; SET parallel_setup_cost = 0; SET parallel_tuple_cost = 0;\n"
                "SET min_parallel_table_scan_size = 0;\n")
    query = ("SELECT count(*) AS n, sum(length(lum_barcode(code, 'EAN13', true))) AS total FROM labels "
             "WHERE lum_valid(code, 'EAN13', true)")
    engine.execute("CREATE TABLE labels AS SELECT lpad(i::text, 12, '0') AS code FROM generate_series(1, 200000) i;\n"
                   "INSERT INTO labels VALUES ('12345678901X'); ANALYZE labels;")
    plan = engine.output(parallel + "EXPLAIN (ANALYZE, VERBOSE, COSTS OFF, TIMING OFF) " + query + ";")
    report.true("Gather" in plan and "Parallel Seq Scan" in plan and re.search(r"Filter: .*lum_valid\(", plan)
                and re.search(r"Workers Launched: [12]", plan), f"a parallel plan using the functions:\n{plan}")
    serial = engine.output("SET max_parallel_workers_per_gather = 0;\n" + query + ";")
    report.equal(engine.output(parallel + query + ";"), serial, "parallel and serial results")
    report.equal(serial.strip(), f"200000|{200000 * 16}", "every label encoded, the bad one filtered")

    # A database in WIN1252, owned by a role that is no superuser: CREATE
    # EXTENSION works (trusted), texts convert from and to its encoding.
    engine.execute("CREATE ROLE lum_owner LOGIN;\n"
                   "CREATE DATABASE lum_win1252 OWNER lum_owner TEMPLATE template0 ENCODING 'WIN1252' "
                   "LC_COLLATE 'C' LC_CTYPE 'C';")
    host, port = engine.connection[1], engine.connection[3]
    answer = engine.output("CREATE EXTENSION lum;\n"
                           "SELECT lum_barcode('A€', 'C128') || '|' || lum_validate('abc', 'C39') || '|' "
                           "|| lum_reason('Größe', 'C128');",
                           ["-h", host, "-p", port, "-U", "lum_owner", "-d", "lum_win1252"])
    report.equal(answer.removesuffix("\n"),
                 lumcode_output(lumcode, "encode", "C128", "A€") + "|" + lumcode_output(lumcode, "validate", "C39", "abc")
                 + "|character \"ö\" (U+00F6) at position 3 is code 246; C128 encodes codes 0 to 132",
                 "a WIN1252 database")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--lumcode", required=True)
    parser.add_argument("--lumdll", required=True)
    parser.add_argument("--psql", default="psql")
    parser.add_argument("--cases", default=os.path.join(HERE, "cases.tsv"))
    parser.add_argument("engine", choices=["sqlite-module", "sqlite-shell", "postgresql"])
    parser.add_argument("where", nargs="+")
    args = parser.parse_args()

    lumdll = ctypes.CDLL(os.path.abspath(args.lumdll))
    lumdll.VORDiagnoseDLL.argtypes = [ctypes.c_char_p, ctypes.c_char_p, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_char_p, ctypes.c_int]
    cases = read_cases(args.cases)
    expected = {c.id: Expected(c, args.lumcode, lumdll) for c in cases}

    with tempfile.TemporaryDirectory() as folder:
        if args.engine == "sqlite-module":
            engine = SqliteModule(os.path.abspath(args.where[0]))
        elif args.engine == "sqlite-shell":
            engine = SqliteShell(os.path.abspath(args.where[0]), folder)
        else:
            engine = Postgresql(args.psql, *args.where)
            engine.execute("CREATE EXTENSION lum;\n"
                           "CREATE FUNCTION lum_test_error(statement text) RETURNS text LANGUAGE plpgsql AS $$\n"
                           "BEGIN EXECUTE statement; RETURN NULL;\n"
                           "EXCEPTION WHEN OTHERS THEN RETURN SQLSTATE || ' ' || SQLERRM; END $$;")
        report = Report(engine.name)
        engine.execute(setup_sql(cases))
        check_table(engine, cases, expected, report)
        check_nulls_and_catalogue(engine, cases, args.lumcode, report)
        check_constraint(engine, args.lumcode, report)
        if isinstance(engine, Postgresql):
            check_postgresql(engine, args.lumcode, report)
        else:
            check_sqlite_flag(engine, report)

    accepted = sum(e.accepted for e in expected.values())
    print(f"{engine.name}: {len(cases)} requests ({accepted} accepted), {report.checks} checks, "
          f"{report.failures} failed")
    return 1 if report.failures else 0


if __name__ == "__main__":
    sys.exit(main())
