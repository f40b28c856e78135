// A label as SVG: the font string drawn with the barcode font's own glyph
// outlines (no font needed to view or print it), the quiet zones around the
// bars and the human-readable line under them. Font units throughout; the
// width and height in points make the printed size that of the page.

const kSvgNs = 'http://www.w3.org/2000/svg';

function number(x) {
  return String(Math.round(x * 100) / 100);
}

function escapeXml(text) {
  return text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
}

// The glyph name and advance of every character of a line.
function lineGlyphs(line, outline) {
  const blank = outline.cmap['32'];
  return Array.from(line, (ch) => {
    const name = outline.cmap[String(ch.codePointAt(0))] ?? blank;
    const [advance, path] = outline.glyphs[name];
    return { advance, path };
  });
}

/**
 * The label as an SVG document.
 *   fontString  the engine's font string; "\r\n" separates two lines
 *   outline     the font's outlines: {unitsPerEm, ascent, descent, lineGap, module, cmap, glyphs}
 *   size        the barcode font size in points
 *   quiet       quiet zones in modules: {left, right, top, bottom}
 *   hrc         the human-readable line, or ""
 *   hrcSize     its font size in points
 *   title       the document title
 */
export function labelSvg({ fontString, outline, size, quiet, hrc = '', hrcSize = 10, title = '' }) {
  const lines = fontString.split('\r\n').map((line) => lineGlyphs(line, outline));
  const module = outline.module ?? outline.unitsPerEm / 32;
  const lineHeight = outline.ascent + outline.descent + outline.lineGap;
  const widest = Math.max(...lines.map((glyphs) => glyphs.reduce((w, g) => w + g.advance, 0)));
  const left = quiet.left * module;
  const top = quiet.top * module;
  const barsBottom = top + lines.length * lineHeight - outline.lineGap;
  const hrcUnits = (hrcSize * outline.unitsPerEm) / size;
  const width = left + widest + quiet.right * module;
  const height = barsBottom + (hrc ? 1.3 * hrcUnits : 0) + quiet.bottom * module;
  const pointsPerUnit = size / outline.unitsPerEm;

  const out = [
    '<?xml version="1.0" encoding="UTF-8"?>',
    `<svg xmlns="${kSvgNs}" version="1.1" width="${number(width * pointsPerUnit)}pt" ` +
      `height="${number(height * pointsPerUnit)}pt" viewBox="0 0 ${number(width)} ${number(height)}">`,
  ];
  if (title) out.push(`<title>${escapeXml(title)}</title>`);
  out.push(`<rect width="${number(width)}" height="${number(height)}" fill="#fff"/>`, '<g fill="#000">');
  lines.forEach((glyphs, i) => {
    const baseline = top + outline.ascent + i * lineHeight;
    let x = left;
    for (const g of glyphs) {
      if (g.path) out.push(`<path transform="translate(${number(x)} ${number(baseline)}) scale(1 -1)" d="${g.path}"/>`);
      x += g.advance;
    }
  });
  out.push('</g>');
  if (hrc) {
    out.push(`<text x="${number(left + widest / 2)}" y="${number(barsBottom + hrcUnits)}" ` +
      `font-family="monospace" font-size="${number(hrcUnits)}" text-anchor="middle" xml:space="preserve">` +
      `${escapeXml(hrc)}</text>`);
  }
  out.push('</svg>', '');
  return out.join('\n');
}
