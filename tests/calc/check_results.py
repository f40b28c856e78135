"""Checks what headless Calc made of the test files (hosts/calc/run-tests.sh):

- functions.csv (formulas by display name): every result equals the
  expected text beside it;
- barcodes-Labels.csv and barcodes-Codes.csv (the saved fixture, exported
  sheet by sheet): every font string and normalised text equals lumcode's,
  rejected texts giving #VALUE! where lumcode rejects them, and no cell keeps
  the result stored in the document;
- scans.txt (zbarimg over the Labels page of the PDF) holds the scan column;
- fonts.txt (pdffonts) lists the family of every label's symbology.

Prints one line per fault and a closing "N passed, N failed" line.
"""

from __future__ import annotations

import argparse
import csv
import subprocess
import sys
from collections import Counter
from pathlib import Path

from lum import _cp1252

REJECTED = "#VALUE!"


class Checks:
    def __init__(self) -> None:
        self.passed = 0
        self.failed = 0

    def equal(self, where: str, got: object, expected: object) -> None:
        if got == expected:
            self.passed += 1
        else:
            self.failed += 1
            print(f"{where}: got {got!r}, expected {expected!r}")


def read_csv(path: Path) -> list[list[str]]:
    with path.open(encoding="utf-8", newline="") as file:
        return list(csv.reader(file))


class Lumcode:
    def __init__(self, program: str) -> None:
        self.program = program

    def run(self, *args: str, stdin: str | None = None) -> subprocess.CompletedProcess[str]:
        return subprocess.run([self.program, *args], input=stdin, capture_output=True, text=True, check=False)

    def encode_all(self, identifier: str, check: bool, texts: list[str]) -> list[str]:
        """The font strings for texts, REJECTED where lumcode rejects one."""
        flags = ["--check"] if check else []
        lines = self.run("encode", *flags, "--format", "hex", identifier, stdin="".join(t + "\n" for t in texts))
        out = lines.stdout.split("\n")[: len(texts)]
        return [_cp1252.decode(bytes.fromhex(h)) if h else REJECTED for h in out]

    def validate(self, identifier: str, check: bool, text: str) -> str:
        flags = ["--check"] if check else []
        run = self.run("validate", *flags, "--format", "hex", identifier, text)
        return _cp1252.decode(bytes.fromhex(run.stdout.strip())) if run.returncode == 0 else REJECTED

    def families(self) -> dict[str, str]:
        return {fields[0]: fields[3] for fields in (line.split("\t") for line in self.run("list").stdout.splitlines())}


def check_functions(checks: Checks, rows: list[list[str]]) -> None:
    for number, (result, expected, *note) in enumerate(rows, start=1):
        checks.equal(f"functions.csv line {number} ({''.join(note)})", result, expected)


# Column of each field in the two sheets of the fixture.
LABELS = {"text": 0, "identifier": 1, "check": 2, "font string": 3, "scan": 4}
CODES = {"identifier": 0, "text": 1, "check": 2, "normalised": 3, "font string": 4}


def check_sheet(checks: Checks, lumcode: Lumcode, name: str, rows: list[list[str]], columns: dict[str, int]) -> None:
    """Every request of the sheet (after its heading row) against lumcode, run
    once per identifier and flag."""
    groups: dict[tuple[str, bool], list[tuple[int, list[str]]]] = {}
    for number, row in enumerate(rows[1:], start=2):
        key = (row[columns["identifier"]], row[columns["check"]] != "0")
        groups.setdefault(key, []).append((number, row))
    for (identifier, check), members in groups.items():
        texts = [row[columns["text"]] for _, row in members]
        for (number, row), text, font_string in zip(members, texts, lumcode.encode_all(identifier, check, texts)):
            where = f"{name} row {number} ({identifier} {text!r} check {int(check)})"
            checks.equal(where + " font string", row[columns["font string"]], font_string)
            if "normalised" in columns:
                normalised = lumcode.validate(identifier, check, text)
                checks.equal(where + " normalised", row[columns["normalised"]], normalised)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lumcode", required=True)
    parser.add_argument("out", type=Path, help="folder of the converted files")
    args = parser.parse_args()
    lumcode = Lumcode(args.lumcode)
    checks = Checks()

    check_functions(checks, read_csv(args.out / "functions.csv"))

    labels = read_csv(args.out / "barcodes-Labels.csv")
    codes = read_csv(args.out / "barcodes-Codes.csv")
    for name, rows in (("Labels", labels), ("Codes", codes)):
        stale = sum(row.count("stale") for row in rows)
        checks.equal(f"{name}: cells showing the result stored in the document", stale, 0)
    check_sheet(checks, lumcode, "Labels", labels, LABELS)
    check_sheet(checks, lumcode, "Codes", codes, CODES)

    scans = (args.out / "scans.txt").read_text(encoding="utf-8").splitlines()
    expected_scans = Counter(row[LABELS["scan"]] for row in labels[1:])
    checks.equal("barcodes read back from the PDF", Counter(scans), expected_scans)
    fonts = (args.out / "fonts.txt").read_text(encoding="utf-8")
    families = lumcode.families()
    for family in sorted({families[row[LABELS["identifier"]]] for row in labels[1:]}):
        checks.equal(f"PDF embeds the font {family}", f"+{family}-" in fonts, True)

    print(f"calc: {checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
