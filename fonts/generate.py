#!/usr/bin/python3
"""Generates the LUM barcode fonts (TrueType) from the tables of
barcode_tables.py.

    generate.py LIST OUTDIR     write OUTDIR/<font name>.ttf for every font of LIST

LIST is the engine's list of fonts (lum_font_list), one a line: font name,
family, glyph set and style (English display name), separated by tabs. The glyph sets
are drawn here; which families and styles exist is the engine's to say.

Geometry: 1000 units per em. Linear symbols have bars from the baseline up to
800 units (400 in the Short styles); a narrow element (module, X) is 32 units
unless stated. Every font records its module width in name ID 256 so that
renderers can size quiet zones.
"""
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import newTable

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import barcode_tables as T  # noqa: E402
import text_glyphs  # noqa: E402

UPEM = 1000
X = 32             # module (narrow element) width of the linear families
BAR_NORMAL = 800   # bar height, Normal styles
BAR_SHORT = 400    # bar height, Short styles
VERSION = '1.000'
MODULE_NAME_ID = 256


class Glyph:
    """Advance width and filled contours (clockwise, font units)."""

    def __init__(self, advance=0):
        self.advance = advance
        self.contours = []

    def rect(self, x0, y0, x1, y1):
        x0, y0, x1, y1 = (round(v) for v in (x0, y0, x1, y1))
        if x1 > x0 and y1 > y0:
            self.contours.append([(x0, y0), (x0, y1), (x1, y1), (x1, y0)])

    def elements(self, widths, y0, y1, bar_first=True):
        """Appends alternating bars and spaces of the given widths."""
        bar = bar_first
        for w in widths:
            if bar:
                self.rect(self.advance, y0, self.advance + w, y1)
            self.advance += w
            bar = not bar
        return self

    def modules(self, bits, module, y0, y1):
        """Appends a module string (1 = bar)."""
        x = self.advance
        i = 0
        while i < len(bits):
            j = i
            while j < len(bits) and bits[j] == bits[i]:
                j += 1
            if bits[i] == '1':
                self.rect(x + i * module, y0, x + j * module, y1)
            i = j
        self.advance += len(bits) * module
        return self


# --- element helpers -------------------------------------------------------

def nw_widths(pattern, narrow, wide):
    return [wide if c == 'w' else narrow for c in pattern]


def flags_widths(pattern, narrow, wide):
    return [wide if c == '1' else narrow for c in pattern]


def digit_widths(digits):
    return [int(c) for c in digits]


# --- families --------------------------------------------------------------

def code39_glyph(pattern, narrow, wide, height):
    # ISO/IEC 16388: 9 elements, then the inter-character gap (one narrow space).
    return Glyph().elements(nw_widths(pattern, narrow, wide) + [narrow], 0, height)


def font_code39(wide, height):
    glyphs = {ch: code39_glyph(p, X, wide, height) for ch, p in T.CODE39.items()}
    return glyphs, X


def font_code93(module, height):
    glyphs = {ch: Glyph().elements([module * w for w in digit_widths(p)], 0, height)
              for ch, p in T.CODE93.items()}
    return glyphs, module


def font_code32():
    wide, height = 80, BAR_NORMAL
    glyphs = {}
    for v, digit in enumerate(T.CODE32_DIGITS):
        glyphs[chr(66 + v)] = code39_glyph(T.CODE39[digit], X, wide, height)
    glyphs['*'] = code39_glyph(T.CODE39['*'], X, wide, height)
    glyphs['#'] = code39_glyph(T.CODE39['#'], X, wide, height)
    # Text line "A" + 9 digits under the bar line "|*......#": the text
    # characters are sized so that ten of them centre under the eight bar
    # glyphs, "|" being the blank that shifts the bars by the difference.
    bars = 8 * glyphs['*'].advance
    text_advance = 520
    glyphs['|'] = Glyph((10 * text_advance - bars) // 2)
    cap = 360
    for ch in 'A0123456789':
        g = Glyph(text_advance)
        w = text_glyphs.width(cap)
        g.contours = text_glyphs.outline(ch, (text_advance - w) / 2, BAR_NORMAL - cap - 60, cap)
        glyphs[ch] = g
    return glyphs, X


def font_two_of_five(kind, height):
    narrow, wide = X, 3 * X
    glyphs = {}
    if kind == 'matrix':
        # Matrix 2 of 5: the five elements as bar, space, bar, space, bar, then a narrow gap.
        for d, p in enumerate(T.TWO_OF_FIVE):
            glyphs[str(d)] = Glyph().elements(nw_widths(p, narrow, wide) + [narrow], 0, height)
        glyphs['*'] = Glyph().modules(T.MATRIX_START, X, 0, height)
        glyphs['#'] = Glyph().modules(T.MATRIX_STOP, X, 0, height)
        return glyphs, X
    # Industrial-coded digits: every bar followed by a narrow space.
    for d, p in enumerate(T.TWO_OF_FIVE):
        widths = []
        for c in p:
            widths += [wide if c == 'w' else narrow, narrow]
        glyphs[str(d)] = Glyph().elements(widths, 0, height)
    start, stop = ((T.INDUSTRIAL_START, T.INDUSTRIAL_STOP) if kind == 'industrial'
                   else (T.IATA_START, T.IATA_STOP))
    glyphs['*'] = Glyph().elements(nw_widths(start, narrow, wide), 0, height)
    glyphs['#'] = Glyph().elements(nw_widths(stop, narrow, wide), 0, height)
    return glyphs, X


def interleaved_halves():
    """Element patterns of the pair-table characters, derived from the 2 of 5
    digit patterns; checks that every character of the table always stands for
    the same elements."""
    first, second = {}, {}
    for d1, row in enumerate(T.ITF_PAIRS):
        for d2, entry in enumerate(row.split(' ')):
            a, b = T.TWO_OF_FIVE[d1], T.TWO_OF_FIVE[d2]
            for table, ch, elems in ((first, entry[0], a[0] + b[0] + a[1] + b[1] + a[2]),
                                     (second, entry[1], b[2] + a[3] + b[3] + a[4] + b[4])):
                if table.setdefault(ch, elems) != elems:
                    raise SystemExit('pair table: %r stands for two patterns' % ch)
    if set(first) & set(second):
        raise SystemExit('pair table: a character is used in both halves')
    return first, second


def font_interleaved(height, bearers):
    narrow, wide = X, 80  # 2.5:1, ISO/IEC 16390 allows 2:1 to 3:1
    bar0, bar1 = 0, height
    if bearers:
        bar0, bar1 = 2 * X, height - 2 * X  # bearer bars 2X thick, above and below
    first, second = interleaved_halves()
    glyphs = {}
    for ch, p in first.items():
        glyphs[ch] = Glyph().elements(nw_widths(p, narrow, wide), bar0, bar1)
    for ch, p in second.items():
        glyphs[ch] = Glyph().elements(nw_widths(p, narrow, wide), bar0, bar1, bar_first=False)
    glyphs['*'] = Glyph().elements(nw_widths(T.ITF_START, narrow, wide), bar0, bar1)
    glyphs['#'] = Glyph().elements(nw_widths(T.ITF_STOP, narrow, wide), bar0, bar1)
    if bearers:
        for g in glyphs.values():
            g.rect(0, 0, g.advance, bar0)
            g.rect(0, bar1, g.advance, height)
    return glyphs, X


def font_codabar(height):
    narrow, wide = X, 80
    glyphs = {ch: Glyph().elements(flags_widths(p, narrow, wide), 0, height)
              for ch, p in T.CODABAR.items()}
    for alias, ch in T.CODABAR_ALIASES.items():
        glyphs[alias] = glyphs[ch]
    for ch in 'ABCDTMNE':
        glyphs[ch.lower()] = glyphs[ch]
    glyphs['|'] = Glyph(narrow)
    return glyphs, X


def font_code128(height):
    glyphs = {}
    for value, widths in enumerate(T.CODE128):
        glyphs[code128_key(value)] = Glyph().elements([X * w for w in digit_widths(widths)], 0, height)
    return glyphs, X


def code128_key(value):
    return bytes([T.code128_character(value)]).decode('cp1252')


def font_code11(height):
    narrow, wide = X, 80
    glyphs = {}
    for ch, p in T.CODE11.items():
        gap = [] if ch == '#' else [narrow]
        glyphs[ch] = Glyph().elements(flags_widths(p, narrow, wide) + gap, 0, height)
    return glyphs, X


def font_msi(height):
    bit = {'1': '110', '0': '100'}
    glyphs = {}
    for d in range(10):
        bits = format(d, '04b')
        glyphs[str(d)] = Glyph().modules(''.join(bit[b] for b in bits), X, 0, height)
    for ch, digits in T.MSI_EXTRA.items():
        modules = ''.join(bit[b] for d in digits for b in format(int(d), '04b'))
        glyphs[ch] = Glyph().modules(modules, X, 0, height)
    glyphs['*'] = Glyph().modules(T.MSI_START, X, 0, height)
    glyphs['#'] = Glyph().modules(T.MSI_STOP, X, 0, height)
    return glyphs, X


def font_plessey(height):
    bit = {'1': '1110', '0': '1000'}
    glyphs = {}
    for v, ch in enumerate('0123456789ABCDEF'):
        lsb_first = format(v, '04b')[::-1]
        glyphs[ch] = Glyph().modules(''.join(bit[b] for b in lsb_first), X, 0, height)
    glyphs['*'] = Glyph().modules(''.join(bit[b] for b in T.PLESSEY_START_BITS), X, 0, height)
    glyphs['#'] = Glyph().elements([X * w for w in digit_widths(T.PLESSEY_STOP_WIDTHS)], 0, height)
    return glyphs, X


def font_postnet():
    # USPS: full bars 0.125 in, half bars 0.050 in, bars 0.020 in wide at
    # 22 bars per inch. 1000 units = 0.125 in, so the symbol is true size at 9 pt.
    full, half, bar, pitch = 1000, 400, 160, 364
    def g(heights):
        glyph = Glyph()
        for h in heights:
            glyph.rect(glyph.advance, 0, glyph.advance + bar, full if h == 'F' else half)
            glyph.advance += pitch
        return glyph
    glyphs = {str(d): g(p) for d, p in enumerate(T.POSTNET)}
    glyphs['*'] = g('F')
    glyphs['#'] = g('F')
    return glyphs, bar


# EAN/UPC (ISO/IEC 15420) in modules of EAN_X units. Vertical layout, bottom
# up: human-readable digits 0..8X, data bars from 9X to 78X (69X, the nominal
# height), guard bars from 4X (descending between the digits), add-on bars
# from 4X to 69X with their digits above them.
EAN_X = 12
EAN_DIGIT_H = 8 * EAN_X
EAN_TOP = 78 * EAN_X
EAN_BAR_BOTTOM = 9 * EAN_X
EAN_GUARD_BOTTOM = 4 * EAN_X
EAN_ADDON_TOP = 69 * EAN_X
EAN_TEXT_ADVANCE = 5.5 * EAN_X


def add_text(glyph, ch, x_centre, y0, height=EAN_DIGIT_H):
    w = text_glyphs.width(height)
    glyph.contours += text_glyphs.outline(ch, x_centre - w / 2, y0, height,
                                          stroke=text_glyphs.STROKE * 1.05)


def font_ean():
    m = EAN_X
    glyphs = {}
    for d in range(10):
        sets = ((chr(65 + d), T.EAN_L[d], 'main'), (chr(97 + d), T.EAN_G[d], 'main'),
                (chr(109 + d), T.EAN_R[d], 'main'), (chr(75 + d), T.EAN_L[d], 'addon'),
                (chr(85 + d), T.EAN_G[d], 'addon'))
        for ch, bits, role in sets:
            if role == 'main':
                g = Glyph().modules(bits, m, EAN_BAR_BOTTOM, EAN_TOP)
                add_text(g, str(d), 3.5 * m, 0)
            else:
                g = Glyph().modules(bits, m, EAN_GUARD_BOTTOM, EAN_ADDON_TOP)
                add_text(g, str(d), 3.5 * m, EAN_TOP - EAN_DIGIT_H)
            glyphs[ch] = g
        # Leading digit (EAN-13 first digit, UPC-E number system): text only,
        # as wide as the 11X left quiet zone of EAN-13.
        lead = Glyph(11 * m)
        add_text(lead, str(d), 6 * m, 0)
        glyphs[str(d)] = lead
    glyphs['|'] = Glyph().modules(T.EAN_NORMAL_GUARD, m, EAN_GUARD_BOTTOM, EAN_TOP)
    glyphs['!'] = Glyph().modules(T.EAN_CENTRE_GUARD, m, EAN_GUARD_BOTTOM, EAN_TOP)
    glyphs['#'] = Glyph().modules(T.UPCE_END_GUARD, m, EAN_GUARD_BOTTOM, EAN_TOP)
    glyphs['-'] = Glyph(9 * m)  # main/add-on gap, 9X suits every main symbol
    glyphs['+'] = Glyph().modules(T.ADDON_START, m, EAN_GUARD_BOTTOM, EAN_ADDON_TOP)
    glyphs['_'] = Glyph().modules(T.ADDON_DELIMITER, m, EAN_GUARD_BOTTOM, EAN_ADDON_TOP)
    # ISBN text line: "%&'():;<=>?." stand for "0123456789X-", "$" for the label.
    # Slightly smaller than the digits under the bars, so that neighbours keep a gap.
    text_h = 7.5 * m
    for ch, shown in zip("%&'():;<=>?.", '0123456789X-'):
        g = Glyph(EAN_TEXT_ADVANCE)
        add_text(g, shown, EAN_TEXT_ADVANCE / 2, 0, text_h)
        glyphs[ch] = g
    label = Glyph(4 * EAN_TEXT_ADVANCE + 3 * m)
    for i, ch in enumerate('ISBN'):
        add_text(label, ch, (i + 0.5) * EAN_TEXT_ADVANCE, 0, text_h)
    glyphs['$'] = label
    return glyphs, m


# --- the font list ---------------------------------------------------------

# Element width and bar height of each style, by its English display name.
STYLES = {'Normal': ('normal', BAR_NORMAL), 'Narrow': ('narrow', BAR_NORMAL), 'Wide': ('wide', BAR_NORMAL),
          'Short': ('normal', BAR_SHORT), 'Narrow short': ('narrow', BAR_SHORT),
          'Wide short': ('wide', BAR_SHORT)}
# ISO/IEC 16388 allows 2:1 to 3:1, and at least 2.2:1 below X = 0.5 mm.
CODE39_WIDE = {'narrow': 71, 'normal': 80, 'wide': 3 * X}   # 2.2:1, 2.5:1, 3:1
CODE93_MODULE = {'narrow': 26, 'normal': X, 'wide': 40}

# The glyph sets the engine names, each a builder of (glyphs, module) from a
# style's element width and bar height.
GLYPH_SETS = {
    'code39': lambda w, h: font_code39(CODE39_WIDE[w], h),
    'code93': lambda w, h: font_code93(CODE93_MODULE[w], h),
    'interleaved': lambda w, h: font_interleaved(h, False),
    'interleaved-bearers': lambda w, h: font_interleaved(h, True),
    'industrial': lambda w, h: font_two_of_five('industrial', h),
    'iata': lambda w, h: font_two_of_five('iata', h),
    'matrix': lambda w, h: font_two_of_five('matrix', h),
    'msi': lambda w, h: font_msi(h),
    'codabar': lambda w, h: font_codabar(h),
    'code128': lambda w, h: font_code128(h),
    'code11': lambda w, h: font_code11(h),
    'plessey': lambda w, h: font_plessey(h),
    'code32': lambda w, h: font_code32(),
    'ean': lambda w, h: font_ean(),
    'postnet': lambda w, h: font_postnet(),
}


def fonts(list_path):
    """(font name, builder) for every line of the engine's font list, builder
    returning (glyphs, module)."""
    out = []
    with open(list_path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            fields = line.rstrip('\n').split('\t')
            if len(fields) != 4 or fields[2] not in GLYPH_SETS or fields[3] not in STYLES:
                raise SystemExit('%s:%d: not a font of a known glyph set and style: %r' % (list_path, number, line))
            name, _, glyphs, style = fields
            width, height = STYLES[style]
            out.append((name, lambda b=GLYPH_SETS[glyphs], w=width, h=height: b(w, h)))
    return out


def codepoints(ch):
    """Unicode code points for a font character: the character itself and, for
    the 8-bit characters 128-159, also the Latin-1 code point of its byte."""
    cps = [ord(ch)]
    raw = ch.encode('cp1252')[0]
    if 0x80 <= raw <= 0x9F and raw not in cps:
        cps.append(raw)
    return cps


def build_font(name, glyphs, module, path):
    order = ['.notdef', 'space']
    drawn = {'.notdef': Glyph(500), 'space': None}
    cmap = {0x20: 'space'}
    names_by_glyph = {}
    for ch in sorted(glyphs, key=lambda c: codepoints(c)[0]):
        g = glyphs[ch]
        gname = names_by_glyph.get(id(g))
        if gname is None:
            gname = 'uni%04X' % codepoints(ch)[0]
            names_by_glyph[id(g)] = gname
            order.append(gname)
            drawn[gname] = g
        for cp in codepoints(ch):
            cmap[cp] = gname
    advances = [g.advance for g in glyphs.values()]
    drawn['space'] = Glyph(max(set(advances), key=advances.count))

    ascent = max(max((y for c in g.contours for _, y in c), default=0) for g in glyphs.values())
    descent = max(UPEM // 10, ascent // 8)
    fb = FontBuilder(UPEM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    ttglyphs, metrics = {}, {}
    for gname in order:
        g = drawn[gname]
        pen = TTGlyphPen(None)
        for contour in g.contours:
            pen.moveTo(contour[0])
            for pt in contour[1:]:
                pen.lineTo(pt)
            pen.closePath()
        ttglyphs[gname] = pen.glyph()
        xs = [x for c in g.contours for x, _ in c]
        metrics[gname] = (g.advance, min(xs) if xs else 0)
    fb.setupGlyf(ttglyphs)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ascent, descent=-descent)
    ps = name.replace(' ', '') + '-Regular'
    fb.setupNameTable({
        'copyright': 'Copyright the LUM developers',
        'familyName': name,
        'styleName': 'Regular',
        'uniqueFontIdentifier': 'LUM: %s: %s' % (name, VERSION),
        'fullName': name,
        'version': 'Version ' + VERSION,
        'psName': ps,
        MODULE_NAME_ID: str(module),
    }, mac=False)
    fb.setupOS2(sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0,
                usWinAscent=ascent, usWinDescent=descent, usWeightClass=400,
                fsSelection=0x40, achVendID='LUM ', ulCodePageRange1=1,
                sxHeight=0, sCapHeight=ascent, fsType=0)
    fb.setupPost()
    # Smooth at every size, never grid-fitted: bar widths must keep their
    # proportions rather than snap to whole pixels one by one.
    gasp = newTable('gasp')
    gasp.version = 1
    gasp.gaspRange = {0xFFFF: 0x000A}  # GASP_DOGRAY | GASP_SYMMETRIC_SMOOTHING
    fb.font['gasp'] = gasp
    fb.save(path)


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    T.check_tables()
    os.makedirs(argv[2], exist_ok=True)
    for name, build in fonts(argv[1]):
        glyphs, module = build()
        build_font(name, glyphs, module, os.path.join(argv[2], name + '.ttf'))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
