#!/usr/bin/python3
"""Writes engine/isbn_ranges.h, the ISBN hyphenation ranges of the engine.

The data come from the International ISBN Agency's range message
(RangeMessage.xml, https://www.isbn-international.org/range_file_generation).
Without an XML file the range file that Debian's python3-stdnum ships
(stdnum/isbn.dat, made from the same message) is read instead.

    tools/isbn_ranges.py [RangeMessage.xml] [-o FILE]

For each EAN.UCC prefix (978, 979) the table lists the lengths of its
registration groups, and for each registration group the lengths of its
registrants, as ranges "LOW-HIGH" of the element's own digits: the range
0000000-1999999 of length 2 is written "00-19". Ranges of length 0 (not yet
assigned) are left out; a number in no range is not split there.
"""

import argparse
import email.utils
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

DIGITS = 7  # the agency writes every range bound with 7 digits
BODY = 9  # digits after the prefix, before the check digit


class RangeError(Exception):
    pass


class Table:
    """Ranges read from either source, checked before they are written."""

    def __init__(self, source, serial, date):
        self.source = source
        self.serial = serial
        self.date = date
        self.prefixes = []  # (prefix, agency, [(low, high)])
        self.groups = []  # ("978-0", agency, [(low, high)])


def element_range(bounds, length, where):
    """"0000000-1999999" of length 2 as ("00", "19"); None for length 0."""
    match = re.fullmatch(r"(\d{%d})-(\d{%d})" % (DIGITS, DIGITS), bounds.strip())
    if not match:
        raise RangeError(f"{where}: range {bounds!r} is not two {DIGITS}-digit bounds")
    low, high = match.groups()
    if not 0 <= length <= DIGITS:
        raise RangeError(f"{where}: length {length} outside 0 to {DIGITS}")
    if length == 0:
        return None
    if low[length:] != "0" * (DIGITS - length) or high[length:] != "9" * (DIGITS - length):
        raise RangeError(f"{where}: range {bounds} does not cover whole elements of {length} digits")
    return low[:length], high[:length]


def read_range_message(path):
    root = ElementTree.parse(path).getroot()

    def text(node, tag, where):
        found = node.find(tag)
        if found is None or found.text is None:
            raise RangeError(f"{where}: no <{tag}>")
        return found.text.strip()

    def rules(node, where):
        ranges = []
        for rule in node.findall("Rules/Rule"):
            length = text(rule, "Length", where)
            if not length.isdigit():
                raise RangeError(f"{where}: length {length!r} is not a number")
            pair = element_range(text(rule, "Range", where), int(length), where)
            if pair:
                ranges.append(pair)
        return ranges

    name = os.path.basename(path)
    table = Table(name, text(root, "MessageSerialNumber", name), text(root, "MessageDate", name))
    for ucc in root.findall("EAN.UCCPrefixes/EAN.UCC"):
        prefix = text(ucc, "Prefix", name)
        table.prefixes.append((prefix, text(ucc, "Agency", prefix), rules(ucc, prefix)))
    for group in root.findall("RegistrationGroups/Group"):
        key = text(group, "Prefix", name)
        table.groups.append((key, text(group, "Agency", key), rules(group, key)))
    return table


def read_stdnum_file(path):
    """The range file of python3-stdnum: comments give the message's serial and
    date; a prefix at indent 0, its group ranges and its groups (with an
    agency) at indent 1, a group's registrant ranges at indent 2."""
    serial = date = None
    table = None
    current = None
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            where = f"{os.path.basename(path)}:{number}"
            if line.startswith("#"):
                if m := re.match(r"#\s*file serial\s+(\S+)", line):
                    serial = m.group(1)
                elif m := re.match(r"#\s*file date\s+(.+?)\s*$", line):
                    date = m.group(1)
                continue
            if not line.strip():
                continue
            if table is None:
                if not serial or not date:
                    raise RangeError(f"{where}: no file serial and date before the data")
                table = Table("python3-stdnum " + os.path.basename(path), serial, date)
            indent = len(line) - len(line.lstrip(" "))
            fields = line.split(None, 1)
            ranges, props = fields[0], (fields[1] if len(fields) > 1 else "")
            agency = re.search(r'agency="([^"]*)"', props)
            pairs = []
            for item in ranges.split(","):
                low, _, high = item.partition("-")
                high = high or low
                if not (low.isdigit() and high.isdigit() and len(low) == len(high)):
                    raise RangeError(f"{where}: range {item!r} is not two bounds of equal length")
                pairs.append((low, high))
            if indent == 0:
                current = None
                table.prefixes.append((ranges, "International ISBN Agency", []))
            elif indent == 1 and agency:
                current = (table.prefixes[-1][0] + "-" + ranges, agency.group(1), [])
                table.groups.append(current)
            elif indent == 1:
                table.prefixes[-1][2].extend(pairs)
            elif indent == 2 and current:
                current[2].extend(pairs)
            else:
                raise RangeError(f"{where}: unexpected line")
    if table is None:
        raise RangeError(f"{path}: no data")
    return table


def padded(value, fill):
    return value + fill * (DIGITS - len(value))


def check_ranges(ranges, longest, where):
    """Ascending, disjoint, and no element longer than `longest` digits."""
    previous_high = None
    for low, high in ranges:
        if low > high:
            raise RangeError(f"{where}: range {low}-{high} runs backwards")
        if len(low) > longest:
            raise RangeError(f"{where}: range {low}-{high} leaves no digit for the elements after it")
        if previous_high is not None and padded(low, "0") <= previous_high:
            raise RangeError(f"{where}: range {low}-{high} overlaps or precedes the one before it")
        previous_high = padded(high, "9")


def in_ranges(digits, ranges):
    return any(len(digits) == len(low) and low <= digits <= high for low, high in ranges)


def check(table):
    prefixes = {}
    for prefix, _, ranges in table.prefixes:
        if not re.fullmatch(r"\d{3}", prefix) or prefix in prefixes:
            raise RangeError(f"prefix {prefix!r} is not three digits, or repeated")
        # A group leaves at least a one-digit registrant and publication.
        check_ranges(ranges, BODY - 2, prefix)
        prefixes[prefix] = ranges
    keys = set()
    for key, _, ranges in table.groups:
        prefix, _, group = key.partition("-")
        if prefix not in prefixes or not group.isdigit() or key in keys:
            raise RangeError(f"group {key!r}: unknown prefix, not digits, or repeated")
        if not in_ranges(group, prefixes[prefix]):
            raise RangeError(f"group {key}: outside the group ranges of {prefix}")
        # A registrant leaves at least a one-digit publication element.
        check_ranges(ranges, BODY - len(group) - 1, key)
        keys.add(key)


def cpp_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def ranges_literal(ranges, indent, width=100):
    """The ranges as one string literal, cut into pieces of at most `width`
    columns that the compiler joins."""
    items = ",".join(f"{low}-{high}" for low, high in ranges)
    pieces, line = [], ""
    room = width - indent - 4
    for part in re.findall(r"[^,]+,?", items):
        if line and len(line) + len(part) > room:
            pieces.append(line)
            line = ""
        line += part
    pieces.append(line)
    return ("\n" + " " * indent).join(cpp_string(p) for p in pieces)


def row(key, ranges):
    """One table row; the pieces of a long list line up under its first."""
    head = f"    {{{cpp_string(key)}, "
    return head + ranges_literal(ranges, len(head)) + "},"


def iso_date(date):
    try:
        return email.utils.parsedate_to_datetime(date).strftime("%Y-%m-%d")
    except (TypeError, ValueError):
        raise RangeError(f"message date {date!r} is not an RFC 2822 date") from None


def render(table):
    check(table)
    prefixes = sorted(table.prefixes)
    groups = sorted(table.groups)
    out = [
        "// ISBN hyphenation ranges of the International ISBN Agency's range message",
        f"// of {table.date}, serial {table.serial},",
        f"// read from {table.source}.",
        "// Generated by tools/isbn_ranges.py; do not edit. Each list holds the ranges",
        "// \"LOW-HIGH\" of one element, written with as many digits as the element has.",
        "#pragma once",
        "",
        "#include <array>",
        "#include <string_view>",
        "",
        "namespace lum::isbn_ranges {",
        "",
        f"inline constexpr std::string_view kMessageSerial = {cpp_string(table.serial)};",
        f"inline constexpr std::string_view kMessageDate = {cpp_string(iso_date(table.date))};",
        "",
        "struct RangeList {",
        "    std::string_view key;    // an EAN.UCC prefix (\"978\"), or a prefix and group (\"978-0\")",
        "    std::string_view ranges; // the lengths of the next element, as ranges of its digits",
        "};",
        "",
        "// The registration groups of each EAN.UCC prefix.",
        f"inline constexpr std::array<RangeList, {len(prefixes)}> kGroupRanges{{{{",
    ]
    for prefix, agency, ranges in prefixes:
        out.append(f"    // {prefix}: {agency}")
        out.append(row(prefix, ranges))
    out += [
        "}};",
        "",
        "// The registrants of each registration group, by prefix and group in text order.",
        f"inline constexpr std::array<RangeList, {len(groups)}> kRegistrantRanges{{{{",
    ]
    for key, agency, ranges in groups:
        out.append(f"    // {key}: {agency}")
        out.append(row(key, ranges))
    out += ["}};", "", "} // namespace lum::isbn_ranges", ""]
    return "\n".join(out)


def stdnum_range_file():
    try:
        import stdnum
    except ImportError:
        raise RangeError("no RangeMessage.xml given and python3-stdnum is not installed") from None
    return os.path.join(os.path.dirname(stdnum.__file__), "isbn.dat")


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("xml", nargs="?", help="the agency's RangeMessage.xml (default: python3-stdnum's isbn.dat)")
    parser.add_argument("-o", "--output", default="-", help="the header to write (default: standard output)")
    args = parser.parse_args(argv)
    try:
        table = read_range_message(args.xml) if args.xml else read_stdnum_file(stdnum_range_file())
        text = render(table)
    except (RangeError, ElementTree.ParseError, OSError) as error:
        print(f"isbn_ranges.py: {error}", file=sys.stderr)
        return 1
    if args.output == "-":
        sys.stdout.write(text)
    else:
        with open(args.output, "w", encoding="utf-8") as out:
            out.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
