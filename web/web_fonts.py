#!/usr/bin/python3
"""The barcode fonts for the web, made from the generated TrueType fonts.

    web_fonts.py FONT_DIR QUIET_ZONES PACKAGE_DIR SITE_DIR

FONT_DIR holds "<font name>.ttf" and the engine's list of them, fonts.tsv
(the build's fonts/), QUIET_ZONES the quiet
zones per family (lum_web_data quiet-zones). Writes:

  PACKAGE_DIR/fonts/<file>.woff2  every font as WOFF2 (<file>: the font name
                                  with "-" for blanks)
  PACKAGE_DIR/lum-fonts.css       their @font-face rules
  PACKAGE_DIR/fonts.json          per font its file, family, module width and
                                  vertical metrics; per family its quiet zones
  SITE_DIR/outlines/<file>.json   the glyph outlines as SVG path data, for the
                                  label page's SVG download

A WOFF2 newer than its TrueType font is kept.
"""
import json
import os
import sys

from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.ttLib import TTFont

MODULE_NAME_ID = 256  # the module width in font units, recorded by fonts/generate.py


def fonts(font_dir):
    """(font name, family) of every generated font, from the engine's list
    that the build writes beside them (fonts.tsv: name, family, glyph set, style)."""
    with open(os.path.join(font_dir, 'fonts.tsv'), encoding='utf-8') as f:
        return [tuple(line.rstrip('\n').split('\t')[:2]) for line in f if line.strip()]


def file_stem(name):
    return name.replace(' ', '-')


def write_woff2(ttf, woff2):
    if os.path.exists(woff2) and os.path.getmtime(woff2) >= os.path.getmtime(ttf):
        return
    font = TTFont(ttf)
    font.flavor = 'woff2'
    font.save(woff2 + '.part')
    os.replace(woff2 + '.part', woff2)


def metrics(font):
    module = font['name'].getDebugName(MODULE_NAME_ID)
    return {
        'unitsPerEm': font['head'].unitsPerEm,
        'ascent': font['hhea'].ascent,
        'descent': -font['hhea'].descent,
        'lineGap': font['hhea'].lineGap,
        'module': int(module) if module else None,
    }


def outlines(font):
    glyph_set = font.getGlyphSet()
    cmap = font.getBestCmap()
    glyphs = {}
    for glyph_name in sorted(set(cmap.values())):
        pen = SVGPathPen(glyph_set)
        glyph_set[glyph_name].draw(pen)
        glyphs[glyph_name] = [font['hmtx'][glyph_name][0], pen.getCommands()]
    return {'cmap': {str(cp): name for cp, name in sorted(cmap.items())}, 'glyphs': glyphs}


def css_rule(name, stem):
    return ('@font-face {\n  font-family: "%s";\n  src: url("fonts/%s.woff2") format("woff2");\n'
            '  font-display: block;\n}\n' % (name, stem))


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    font_dir, quiet_zones, package_dir, site_dir = argv[1:]
    with open(quiet_zones, encoding='utf-8') as f:
        quiet = json.load(f)
    os.makedirs(os.path.join(package_dir, 'fonts'), exist_ok=True)
    os.makedirs(os.path.join(site_dir, 'outlines'), exist_ok=True)
    css = ['/* The LUM barcode fonts. font-display: block, so that a page never shows\n'
           '   a font string as letters while its barcode font is still loading. */\n']
    manifest = {'fonts': {}, 'quietZones': {}}
    for name, family in fonts(font_dir):
        ttf = os.path.join(font_dir, name + '.ttf')
        stem = file_stem(name)
        write_woff2(ttf, os.path.join(package_dir, 'fonts', stem + '.woff2'))
        font = TTFont(ttf)
        manifest['fonts'][name] = dict(file='fonts/%s.woff2' % stem, family=family, **metrics(font))
        manifest['quietZones'][family] = quiet[family]
        with open(os.path.join(site_dir, 'outlines', stem + '.json'), 'w', encoding='utf-8') as f:
            json.dump(dict(metrics(font), **outlines(font)), f, separators=(',', ':'))
        css.append(css_rule(name, stem))
    with open(os.path.join(package_dir, 'lum-fonts.css'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(css))
    with open(os.path.join(package_dir, 'fonts.json'), 'w', encoding='utf-8') as f:
        json.dump(manifest, f, indent=1)
        f.write('\n')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
