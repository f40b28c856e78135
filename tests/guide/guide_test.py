"""The user guides as a reader gets them: every symbology named in the guide's
language, the print size the guide gives for VOREAN equal to the one the font's
own tables give, and the example barcodes readable from the printed pages.

guide_test.py LUMCODE GUIDE_DIR EXAMPLES_DIR FONT_DIR
"""
import os
import re
import subprocess
import sys
import tempfile
import unittest

from fontTools.ttLib import TTFont

LUMCODE, GUIDE_DIR, EXAMPLES_DIR, FONT_DIR = sys.argv[1:5]
GUIDES = {"en": "LUMGuide.pdf", "it": "LUMGuide_ita.pdf"}
# Symbologies zbar reads, and what it returns for a validated code: the code
# itself, with the check digit a scanner adds for EAN/UPC and 2 of 5.
ZBAR_READS = {"C39", "C93", "C128", "EAN13", "EAN8", "EAN13+ADD5", "ISBN13", "C25", "ITF", "CBAR"}
GS1_NOMINAL_MODULE_MM = 0.33  # GS1 GenSpecs, EAN/UPC at 100 %


def pdftotext(path):
    return subprocess.run(["pdftotext", path, "-"], check=True, capture_output=True, text=True).stdout


def display_names():
    """(English, Italian) of every symbology lumcode lists."""
    rows = subprocess.run([LUMCODE, "list"], check=True, capture_output=True, text=True).stdout.splitlines()
    return [tuple(r.split("\t")[1:3]) for r in rows if r.split("\t")[1]]


def module_units(font_file):
    """The module width a font records in its name table (ID 256), in font units."""
    font = TTFont(font_file)
    return int(font["name"].getName(256, 3, 1, 0x409).toUnicode())


class Guides(unittest.TestCase):
    def test_every_symbology_is_named_in_its_language(self):
        texts = {lang: pdftotext(os.path.join(GUIDE_DIR, name)) for lang, name in GUIDES.items()}
        for english, italian in display_names():
            with self.subTest(name=english):
                self.assertIn(english, texts["en"])
                self.assertIn(italian, texts["it"])
        self.assertNotIn("Simbologie", texts["en"])
        self.assertIn("Simbologie", texts["it"])

    def test_vorean_print_size_follows_the_font_tables(self):
        units = module_units(os.path.join(FONT_DIR, "VOREAN.ttf"))
        expected = GS1_NOMINAL_MODULE_MM / 25.4 * 72 * 1000 / units
        for lang, name in GUIDES.items():
            text = pdftotext(os.path.join(GUIDE_DIR, name))
            stated = re.findall(r"VOREAN:[^\n]*\n(?:[^\n]*\n){0,3}?[^\n]*?(\d+(?:[.,]\d+)?) pt", text)
            with self.subTest(lang=lang):
                self.assertGreaterEqual(len(stated), 4, "the EAN/UPC facts state a print size")
                for value in stated:
                    self.assertAlmostEqual(float(value.replace(",", ".")), expected, delta=0.5)

    def test_examples_scan_from_the_printed_pages(self):
        for lang, name in GUIDES.items():
            with open(os.path.join(EXAMPLES_DIR, f"examples-{lang}.tsv"), encoding="utf-8") as f:
                examples = [line.split("\t") for line in f.read().splitlines()]
            wanted = [(key, code, int(page)) for key, _, code, page in examples if key in ZBAR_READS]
            self.assertGreaterEqual(len(wanted), 8)
            found = []
            with tempfile.TemporaryDirectory() as tmp:
                for page in sorted({page for _, _, page in wanted}):
                    subprocess.run(["pdftoppm", "-r", "300", "-gray", "-png", "-f", str(page), "-l", str(page),
                                    os.path.join(GUIDE_DIR, name), os.path.join(tmp, "page")], check=True)
                pages = sorted(os.path.join(tmp, f) for f in os.listdir(tmp))
                found = subprocess.run(["zbarimg", "-q", "--raw", *pages], capture_output=True,
                                       text=True).stdout.split()
            for key, code, page in wanted:
                with self.subTest(lang=lang, key=key, code=code, page=page):
                    self.assertTrue(any(code in data for data in found), f"{code} not among {found}")

if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
