"""Bars and spaces of every barcode font character, from the public symbology
definitions.

Notation: an n/w string lists narrow (n) and wide (w) elements, bar first,
alternating bar and space; a widths string lists element widths in modules,
bar first; a module string lists modules (1 = bar, 0 = space) left to right.
The font character assignments (which character draws which symbol) are those
of the LUM encoders.
"""

# Code 39, ISO/IEC 16388, table of symbol characters: 9 elements, 3 of them wide.
# "_" draws the space symbol; "*" and "#" both draw the start/stop symbol.
CODE39 = {
    '0': 'nnnwwnwnn', '1': 'wnnwnnnnw', '2': 'nnwwnnnnw', '3': 'wnwwnnnnn',
    '4': 'nnnwwnnnw', '5': 'wnnwwnnnn', '6': 'nnwwwnnnn', '7': 'nnnwnnwnw',
    '8': 'wnnwnnwnn', '9': 'nnwwnnwnn', 'A': 'wnnnnwnnw', 'B': 'nnwnnwnnw',
    'C': 'wnwnnwnnn', 'D': 'nnnnwwnnw', 'E': 'wnnnwwnnn', 'F': 'nnwnwwnnn',
    'G': 'nnnnnwwnw', 'H': 'wnnnnwwnn', 'I': 'nnwnnwwnn', 'J': 'nnnnwwwnn',
    'K': 'wnnnnnnww', 'L': 'nnwnnnnww', 'M': 'wnwnnnnwn', 'N': 'nnnnwnnww',
    'O': 'wnnnwnnwn', 'P': 'nnwnwnnwn', 'Q': 'nnnnnnwww', 'R': 'wnnnnnwwn',
    'S': 'nnwnnnwwn', 'T': 'nnnnwnwwn', 'U': 'wwnnnnnnw', 'V': 'nwwnnnnnw',
    'W': 'wwwnnnnnn', 'X': 'nwnnwnnnw', 'Y': 'wwnnwnnnn', 'Z': 'nwwnwnnnn',
    '-': 'nwnnnnwnw', '.': 'wwnnnnwnn', '_': 'nwwnnnwnn', '$': 'nwnwnwnnn',
    '/': 'nwnwnnnwn', '+': 'nwnnnwnwn', '%': 'nnnwnwnwn', '*': 'nwnnwnwnn',
}
CODE39['#'] = CODE39['*']
CODE39_ALPHABET = '0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%'

# Code 32 (Italian pharmacode): character 66 + v draws the Code 39 symbol of
# base-32 digit v, digits "0123456789BCDFGHJKLMNPQRSTUVWXYZ" (no A, E, I, O).
CODE32_DIGITS = '0123456789BCDFGHJKLMNPQRSTUVWXYZ'

# Code 93, AIM USS Code 93: 3 bars and 3 spaces in 9 modules; the stop carries
# the termination bar. "a" to "d" are the shifts ($) (%) (/) (+).
CODE93 = {
    '0': '131112', '1': '111213', '2': '111312', '3': '111411', '4': '121113',
    '5': '121212', '6': '121311', '7': '111114', '8': '131211', '9': '141111',
    'A': '211113', 'B': '211212', 'C': '211311', 'D': '221112', 'E': '221211',
    'F': '231111', 'G': '112113', 'H': '112212', 'I': '112311', 'J': '122112',
    'K': '132111', 'L': '111123', 'M': '111222', 'N': '111321', 'O': '121122',
    'P': '131121', 'Q': '212112', 'R': '212211', 'S': '211122', 'T': '211221',
    'U': '221121', 'V': '222111', 'W': '112122', 'X': '112221', 'Y': '122121',
    'Z': '123111', '-': '121131', '.': '311112', '_': '311211', '$': '321111',
    '/': '112131', '+': '113121', '%': '211131',
    'a': '121221', 'b': '312111', 'c': '311121', 'd': '122211',
    '*': '111141', '#': '1111411',
}

# Code 128, ISO/IEC 15417, symbol character values 0 to 106 (106 = stop with
# its termination bar).
CODE128 = [
    '212222', '222122', '222221', '121223', '121322', '131222', '122213', '122312',  # 0-7
    '132212', '221213', '221312', '231212', '112232', '122132', '122231', '113222',  # 8-15
    '123122', '123221', '223211', '221132', '221231', '213212', '223112', '312131',  # 16-23
    '311222', '321122', '321221', '312212', '322112', '322211', '212123', '212321',  # 24-31
    '232121', '111323', '131123', '131321', '112313', '132113', '132311', '211313',  # 32-39
    '231113', '231311', '112133', '112331', '132131', '113123', '113321', '133121',  # 40-47
    '313121', '211331', '231131', '213113', '213311', '213131', '311123', '311321',  # 48-55
    '331121', '312113', '312311', '332111', '314111', '221411', '431111', '111224',  # 56-63
    '111422', '121124', '121421', '141122', '141221', '112214', '112412', '122114',  # 64-71
    '122411', '142112', '142211', '241211', '221114', '413111', '241112', '134111',  # 72-79
    '111242', '121142', '121241', '114212', '124112', '124211', '411212', '421112',  # 80-87
    '421211', '212141', '214121', '412121', '111143', '111341', '131141', '114113',  # 88-95
    '114311', '411113', '411311', '113141', '114131', '311141', '411131', '211412',  # 96-103
    '211214', '211232', '2331112',                                                   # 104-106
]


def code128_character(value):
    """The 8-bit font character of a Code 128 value (the encoder's mapping)."""
    if value <= 93:
        return value + 33
    if value <= 96:
        return value + 56   # 94, 95, 96 -> 150, 151, 152
    return value + 33       # 97 to 106 -> 130 to 139


# EAN/UPC, ISO/IEC 15420: number set A (L, odd parity), B (G, even parity) and
# C (R, right half), 7 modules each.
EAN_L = ['0001101', '0011001', '0010011', '0111101', '0100011',
         '0110001', '0101111', '0111011', '0110111', '0001011']
EAN_G = ['0100111', '0110011', '0011011', '0100001', '0011101',
         '0111001', '0000101', '0010001', '0001001', '0010111']
EAN_R = ['1110010', '1100110', '1101100', '1000010', '1011100',
         '1001110', '1010000', '1000100', '1001000', '1110100']
EAN_NORMAL_GUARD = '101'
EAN_CENTRE_GUARD = '01010'
UPCE_END_GUARD = '010101'
ADDON_START = '1011'
ADDON_DELIMITER = '01'

# 2 of 5 digit patterns (element weights 1 2 4 7 and parity), common to
# Industrial, IATA, Matrix and Interleaved 2 of 5 (ISO/IEC 16390 for ITF).
TWO_OF_FIVE = ['nnwwn', 'wnnnw', 'nwnnw', 'wwnnn', 'nnwnw',
               'wnwnn', 'nwwnn', 'nnnww', 'wnnwn', 'nwnwn']

# Interleaved 2 of 5 (ISO/IEC 16390): start nnnn, stop wnn.
ITF_START = 'nnnn'
ITF_STOP = 'wnn'
# The encoder's pair table: two characters per digit pair 00 to 99 (row =
# first digit). The first character draws bars 1-3 of the first digit with
# spaces 1-2 of the second; the second draws spaces 3-5 of the second digit
# with bars 4-5 of the first.
ITF_PAIRS = [
    'Ap Hh Fh Xd At Ho Fo Av Hm Fm', 'Er Of Lf Qb Ew Ol Ll Ey Oj Lj',
    'Cr Mf Jf Sb Cw Ml Jl Cy Mj Jj', 'Nn Pa Ra Z` Ni Pe Re Ng Pc Rc',
    'Ar Hf Ff Xb Aw Hl Fl Ay Hj Fj', 'In Ta Wa \\` Ii Te We Ig Tc Wc',
    'Gn Va Ya ^` Gi Ve Ye Gg Vc Yc', '@z Dx Bx Kk @| Dq Bq @~ Ds Bs',
    'Ep Oh Lh Qd Et Oo Lo Ev Om Lm', 'Cp Mh Jh Sd Ct Mo Jo Cv Mm Jm',
]

# Industrial 2 of 5: information in the bars only; every bar followed by a
# narrow space. Start = wide, narrow, narrow bars (wnwnnn incl. spaces), stop
# = wide, narrow, wide bars.
INDUSTRIAL_START = 'wnwnnn'
INDUSTRIAL_STOP = 'wnnnw'
# IATA 2 of 5 (IATA Resolution 1740a): Industrial digits, start nnnn, stop wnn.
IATA_START = 'nnnn'
IATA_STOP = 'wnn'
# Matrix 2 of 5: per digit 3 bars and 2 spaces carry the 5 elements, followed
# by a narrow gap. Start and stop in modules at 3:1.
MATRIX_START = '111101010'
MATRIX_STOP = '11110101'

# Codabar (EN 798): 7 elements b s b s b s b, 1 = wide; "|" is the
# inter-character gap (one narrow space).
CODABAR = {
    '0': '0000011', '1': '0000110', '2': '0001001', '3': '1100000',
    '4': '0010010', '5': '1000010', '6': '0100001', '7': '0100100',
    '8': '0110000', '9': '1001000', '-': '0001100', '$': '0011000',
    ':': '1000101', '/': '1010001', '.': '1010100', '+': '0010101',
    'A': '0011010', 'B': '0101001', 'C': '0001011', 'D': '0001110',
}
# Alternative start/stop letters and the lower case used with a check character.
CODABAR_ALIASES = {'T': 'A', 'M': 'B', 'N': 'B', '*': 'C', 'E': 'D'}

# Code 11 (AIM USS Code 11): 5 elements b s b s b, 1 = wide, plus a narrow gap.
CODE11 = {
    '0': '00001', '1': '10001', '2': '01001', '3': '11000', '4': '00101',
    '5': '10100', '6': '01100', '7': '00011', '8': '10010', '9': '10000',
    '-': '00100', '*': '00110', '#': '00110',
}

# MSI (Modified Plessey): each digit as 4 BCD bits, most significant first;
# bit 1 = wide bar + narrow space, bit 0 = narrow bar + wide space (2:1).
# Start = wide bar + narrow space; stop = narrow bar + wide space + narrow bar.
MSI_START = '110'
MSI_STOP = '1001'
# ":" (the engine's modulo 11 value 10) is printed as the two digits "1" "0",
# the standard form of that check value.
MSI_EXTRA = {':': '10'}

# UK Plessey: each hex character as 4 bits, least significant first;
# bit 1 = wide bar + narrow space, bit 0 = narrow bar + wide space (3:1).
# Start = bits 1101; stop = termination pattern (widths 331311313).
PLESSEY_START_BITS = '1101'
PLESSEY_STOP_WIDTHS = '331311313'

# POSTNET (USPS Publication 25): five bars per digit, weights 7 4 2 1 0,
# F = full bar, H = half bar; "*" and "#" = one full frame bar.
POSTNET = ['FFHHH', 'HHHFF', 'HHFHF', 'HHFFH', 'HFHHF',
           'HFHFH', 'HFFHH', 'FHHHF', 'FHHFH', 'FHFHH']


def check_tables():
    """Structural rules of the symbologies that the tables must obey; raises
    ValueError naming the first entry that breaks one."""
    def fail(what):
        raise ValueError('glyph table: ' + what)
    for ch, p in CODE39.items():
        if len(p) != 9 or p.count('w') != 3 or p[1::2].count('w') not in (1, 3):
            fail('Code 39 %r' % ch)
    if len({p for ch, p in CODE39.items() if ch != '#'}) != len(CODE39) - 1:
        fail('Code 39 patterns repeat')
    for ch, p in CODE93.items():
        if sum(map(int, p)) != (10 if ch == '#' else 9):
            fail('Code 93 %r' % ch)
    for v, p in enumerate(CODE128):
        if sum(map(int, p)) != (13 if v == 106 else 11) or sum(map(int, p[0::2])) % 2:
            fail('Code 128 value %d' % v)
    if len(set(CODE128)) != 107:
        fail('Code 128 patterns repeat')
    for d in range(10):
        l, g, r = EAN_L[d], EAN_G[d], EAN_R[d]
        if r != ''.join('1' if c == '0' else '0' for c in l) or g != r[::-1] or l.count('1') % 2 != 1:
            fail('EAN digit %d' % d)
    for d, p in enumerate(TWO_OF_FIVE):
        weights = [1, 2, 4, 7, 0]
        value = sum(w for w, c in zip(weights, p) if c == 'w')
        if p.count('w') != 2 or (value if value != 11 else 0) != d:
            fail('2 of 5 digit %d' % d)
    for ch, p in CODABAR.items():
        if len(p) != 7:
            fail('Codabar %r' % ch)
    for d, p in enumerate(POSTNET):
        weights = [7, 4, 2, 1, 0]
        value = sum(w for w, c in zip(weights, p) if c == 'F')
        if p.count('F') != 2 or (value if value != 11 else 0) != d:
            fail('POSTNET digit %d' % d)
