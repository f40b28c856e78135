#!/usr/bin/python3
"""tools/isbn_ranges.py: the table it writes from a range message and from
python3-stdnum's range file, the faults it refuses, and the table committed
in engine/isbn_ranges.h being its output for the data it records."""

import importlib.util
import os
import re
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")
TOOL = os.path.join(ROOT, "tools", "isbn_ranges.py")

module_spec = importlib.util.spec_from_file_location("isbn_ranges", TOOL)
generator = importlib.util.module_from_spec(module_spec)
module_spec.loader.exec_module(generator)


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def without_source_line(table):
    return [line for line in table.splitlines() if not line.startswith("// read from ")]


class Generator(unittest.TestCase):
    def test_range_message_gives_the_expected_table(self):
        # The expected table was checked by hand against the fixture: rules of
        # length 0 left out, bounds cut to the element's length, groups sorted.
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "isbn_ranges.h")
            run = subprocess.run([sys.executable, TOOL, os.path.join(DATA, "RangeMessage-small.xml"), "-o", out],
                                 capture_output=True, text=True)
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertEqual(read(out), read(os.path.join(DATA, "RangeMessage-small.expected.h")))

    def test_stdnum_range_file_gives_the_same_table(self):
        ours = generator.render(generator.read_range_message(os.path.join(DATA, "RangeMessage-small.xml")))
        theirs = generator.render(generator.read_stdnum_file(os.path.join(DATA, "isbn-small.dat")))
        self.assertEqual(without_source_line(ours), without_source_line(theirs))

    def test_faults_are_refused(self):
        good = read(os.path.join(DATA, "RangeMessage-small.xml"))
        italy = "<Rule><Range>2000000-2999999</Range><Length>3</Length></Rule>"
        rows = [
            ("bounds that cut elements", italy, "<Rule><Range>2000000-2999990</Range><Length>3</Length></Rule>",
             "does not cover whole elements"),
            ("overlapping ranges", italy, italy + italy, "overlaps or precedes"),
            ("bounds of six digits", italy, "<Rule><Range>200000-299999</Range><Length>3</Length></Rule>",
             "is not two 7-digit bounds"),
            ("a publisher that leaves no title digit", "<Rule><Range>0000000-5999999</Range><Length>1</Length>"
             "</Rule>\n        <Rule><Range>6000000-8999999</Range><Length>2</Length>",
             "<Rule><Range>0000000-5999999</Range><Length>4</Length></Rule>\n        <Rule><Range>6000000-8999999"
             "</Range><Length>2</Length>", "leaves no digit"),
            ("a group outside its prefix's ranges", "<Prefix>979-12</Prefix>", "<Prefix>979-13</Prefix>",
             "outside the group ranges"),
            ("a group of an unknown prefix", "<Prefix>978-611</Prefix>", "<Prefix>977-611</Prefix>",
             "unknown prefix"),
            ("no serial number", "<MessageSerialNumber>0f1e2d3c-test-0000-0000-small</MessageSerialNumber>", "",
             "no <MessageSerialNumber>"),
            ("a date that is no date", "Tue, 1 Aug 2023 10:00:00 BST", "yesterday", "not an RFC 2822 date"),
        ]
        for note, old, new, message in rows:
            with self.subTest(note):
                self.assertIn(old, good)
                with tempfile.NamedTemporaryFile("w", suffix=".xml", encoding="utf-8") as xml:
                    xml.write(good.replace(old, new, 1))
                    xml.flush()
                    with self.assertRaisesRegex(generator.RangeError, re.escape(message)):
                        generator.render(generator.read_range_message(xml.name))

    def test_committed_table_is_the_output_for_its_data(self):
        committed = read(os.path.join(ROOT, "engine", "isbn_ranges.h"))
        serial = re.search(r'kMessageSerial = "([^"]*)"', committed).group(1)
        stdnum_file = generator.stdnum_range_file()
        if serial not in read(stdnum_file):
            self.skipTest(f"engine/isbn_ranges.h holds range message {serial}, not the one python3-stdnum ships")
        self.assertEqual(generator.render(generator.read_stdnum_file(stdnum_file)), committed)


if __name__ == "__main__":
    unittest.main()
