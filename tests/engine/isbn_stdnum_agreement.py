#!/usr/bin/python3
"""The engine's ISBN hyphenation agrees with Debian's python3-stdnum.

    isbn_stdnum_agreement.py ISBN_SPLIT_TOOL

Compares, in one run of the tool, 100,000 random valid ISBN-13 (half with the
prefix 978, half 979) and one random number in every publisher range of every
registration group (so that every range is met): the hyphenated ISBN-13, the
ISBN-10 of the 978 numbers, and whether the number lies in assigned ranges.
Exit status 77 (a skipped test) when the tool's range data is another edition
than the one stdnum ships.
"""

import os
import random
import subprocess
import sys

from stdnum import ean, isbn, numdb

RANDOM_NUMBERS = 100_000


def stdnum_serial():
    import stdnum
    with open(os.path.join(os.path.dirname(stdnum.__file__), "isbn.dat"), encoding="utf-8") as data:
        for line in data:
            if line.startswith("# file serial"):
                return line.split()[-1]
    return None


def with_check(digits12):
    return digits12 + ean.calc_check_digit(digits12)


def random_numbers(rng):
    for i in range(RANDOM_NUMBERS):
        yield with_check(("978", "979")[i % 2] + "%09d" % rng.randrange(10**9))


def one_per_range(rng):
    """A number in every publisher range of every group, read from stdnum's
    own database rather than from the engine's table."""
    for plength, plow, _, _, groups in numdb.get("isbn").prefixes:
        if plength != 3:
            continue
        for glength, glow, ghigh, _, publishers in groups:
            if glow != ghigh:
                continue  # the group length ranges, not a group
            for length, low, high, _, _ in publishers:
                publisher = "%0*d" % (length, rng.randint(int(low), int(high)))
                title = 9 - glength - length
                yield with_check(plow + glow + publisher + "%0*d" % (title, rng.randrange(10**title)))


def main():
    tool = sys.argv[1]
    serial = subprocess.run([tool, "--serial"], capture_output=True, text=True, check=True).stdout.strip()
    if serial != stdnum_serial():
        print(f"skipped: the range data built in ({serial}) is not the edition stdnum ships ({stdnum_serial()})")
        return 77

    rng = random.Random(20221113)
    numbers = list(random_numbers(rng))
    stratified = list(one_per_range(rng))
    numbers += stratified
    run = subprocess.run([tool], input="\n".join(numbers) + "\n", capture_output=True, text=True)
    if run.returncode != 0:
        print(run.stderr, end="")
        return 1
    lines = run.stdout.splitlines()
    if len(lines) != len(numbers):
        print(f"{len(lines)} lines for {len(numbers)} numbers")
        return 1

    differences = []
    complete = isbn10s = 0
    for number, line in zip(numbers, lines):
        ours13, ours10, ours_assigned = line.split("\t")
        parts = isbn.split(number)
        assigned = bool(parts[2])  # a registrant element: every element is defined
        complete += assigned
        theirs10 = "-"
        if number.startswith("978"):
            theirs10 = isbn.format(isbn.to_isbn10(number))
            isbn10s += 1
        theirs = ("-".join(part for part in parts if part), theirs10, "1" if assigned else "0")  # isbn.format
        if (ours13, ours10, ours_assigned) != theirs:
            differences.append(f"{number}: engine {ours13} {ours10} {ours_assigned}, stdnum {' '.join(theirs)}")

    print(f"{len(numbers)} ISBN-13 compared ({RANDOM_NUMBERS} random, {len(stratified)} one per publisher range), "
          f"{complete} of them with every element defined, {isbn10s} ISBN-10 forms; "
          f"{len(differences)} differences")
    for difference in differences[:20]:
        print(difference)
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
