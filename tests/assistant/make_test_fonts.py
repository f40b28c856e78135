#!/usr/bin/python3
"""Writes small TrueType fonts for the tests: one per family name given, each
with a plain box glyph on the printable Windows-1252 characters, so the
program sees the barcode families installed without the real fonts."""
import sys
from pathlib import Path

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen


def box_glyph(width):
    pen = TTGlyphPen(None)
    pen.moveTo((50, 0))
    pen.lineTo((50, 700))
    pen.lineTo((width - 50, 700))
    pen.lineTo((width - 50, 0))
    pen.closePath()
    return pen.glyph()


def build(family, path):
    codes = list(range(0x20, 0x7F)) + list(range(0xA0, 0x100))
    names = [".notdef"] + ["g%04X" % c for c in codes]
    fb = FontBuilder(1000, isTTF=True)
    fb.setupGlyphOrder(names)
    fb.setupCharacterMap({c: "g%04X" % c for c in codes})
    fb.setupGlyf({n: box_glyph(500) for n in names})
    fb.setupHorizontalMetrics({n: (500, 50) for n in names})
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    fb.setupNameTable({"familyName": family, "styleName": "Regular"})
    fb.setupOS2(sTypoAscender=800, sTypoDescender=-200, usWinAscent=800, usWinDescent=200)
    fb.setupPost()
    fb.save(str(path))


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for family in sys.argv[2:]:
        build(family, out / (family.replace(" ", "_") + ".ttf"))


if __name__ == "__main__":
    main()
