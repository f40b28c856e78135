"""The project's own human-readable glyphs: a plain monoline design in the
spirit of OCR-B, built from stroked centre lines.

Each glyph is drawn on a design box 10 wide and 16 high (y up); strokes are
polylines through points on their centre line. Arcs are sampled into
polylines. The outline of a stroke is the union of one rectangle per segment
and one round cap per point (overlapping contours, all clockwise, filled by the
non-zero rule).
"""
import math

BOX_W = 10.0
BOX_H = 16.0
STROKE = 1.9   # stroke width in design units


def arc(cx, cy, rx, ry, a0, a1, steps=None):
    """Points on an elliptic arc from angle a0 to a1 (degrees, counter-clockwise
    when a1 > a0)."""
    if steps is None:
        steps = max(4, int(abs(a1 - a0) / 10))
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def _stadium():
    return (arc(5, 11, 4, 4, 0, 180) + arc(5, 5, 4, 4, 180, 360)
            + [(9, 11)])


STROKES = {
    '0': [_stadium()],
    '1': [[(2.2, 11.8), (6.2, 15), (6.2, 1)]],
    '2': [arc(5, 11, 4, 4, 160, -35) + [(1, 1), (9, 1)]],
    '3': [arc(5, 11.7, 3.4, 3.3, 155, -90) + arc(5, 4.7, 3.9, 3.7, 90, -155)],
    '4': [[(7, 1), (7, 15), (1, 5), (9.2, 5)]],
    '5': [[(8.5, 15), (2.3, 15), (2.0, 8.9)] + arc(5, 5.2, 4, 4.2, 130, -150)],
    '6': [[(7.4, 15), (1.5, 6.3)], arc(5, 5, 4, 4, 0, 360)],
    '7': [[(1, 15), (9, 15), (3.6, 1)]],
    '8': [arc(5, 11.8, 3.4, 3.2, -90, 270), arc(5, 4.7, 3.9, 3.7, 90, 450)],
    '9': [[(2.6, 1), (8.5, 9.7)], arc(5, 11, 4, 4, 0, 360)],
    'A': [[(1, 1), (5, 15), (9, 1)], [(2.4, 5.9), (7.6, 5.9)]],
    'X': [[(1.2, 1), (8.8, 15)], [(1.2, 15), (8.8, 1)]],
    '-': [[(2, 8), (8, 8)]],
    'I': [[(5, 1), (5, 15)], [(2.8, 15), (7.2, 15)], [(2.8, 1), (7.2, 1)]],
    'S': [arc(5, 11.7, 3.8, 3.3, 25, 270) + arc(5, 4.7, 4.0, 3.7, 90, -205)],
    'B': [[(5.4, 8.4), (1.5, 8.4), (1.5, 15), (5.4, 15)] + arc(5.4, 11.7, 3.2, 3.3, 90, -90),
          [(5.4, 8.4)] + arc(5.4, 4.7, 3.6, 3.7, 90, -90) + [(1.5, 1), (1.5, 8.4)]],
    'N': [[(1.5, 1), (1.5, 15), (8.5, 1), (8.5, 15)]],
}


def _clockwise(poly):
    area = 0.0
    for (x0, y0), (x1, y1) in zip(poly, poly[1:] + poly[:1]):
        area += x0 * y1 - x1 * y0
    return poly if area < 0 else list(reversed(poly))


def _cap(x, y, r, n=16):
    return [(x + r * math.cos(2 * math.pi * i / n), y + r * math.sin(2 * math.pi * i / n))
            for i in range(n)]


def _segment(p, q, r):
    (x0, y0), (x1, y1) = p, q
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    if length < 1e-9:
        return None
    nx, ny = -dy / length * r, dx / length * r
    return [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]


def outline(char, x0, y0, height, stroke=STROKE):
    """Contours (lists of integer points, clockwise) of `char` drawn with its
    design box's lower left corner at (x0, y0), scaled to `height` font units."""
    s = height / BOX_H
    r = stroke / 2
    contours = []
    for line in STROKES[char]:
        for p in line:
            contours.append(_cap(p[0], p[1], r))
        for p, q in zip(line, line[1:]):
            quad = _segment(p, q, r)
            if quad:
                contours.append(quad)
    result = []
    for c in contours:
        pts = [(round(x0 + x * s), round(y0 + y * s)) for x, y in c]
        dedup = [pt for i, pt in enumerate(pts) if pt != pts[i - 1]]
        if len(dedup) >= 3:
            result.append(_clockwise(dedup))
    return result


def width(height):
    """Width of the design box at `height`."""
    return height * BOX_W / BOX_H
