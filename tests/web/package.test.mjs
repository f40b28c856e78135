// The npm package: what the tarball carries, the fonts it declares against the
// font names the engine gives, and the behaviour of its functions where
// lumcode has no counterpart (errors, languages, font names, the
// human-readable line).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { lum, lumcode, root, webDir } from './support.mjs';

const { encode, fontName, humanReadable, LumError, reason, symbologies, validate } = lum;

// The tarball npm pack made, unpacked.
function unpack() {
  const tarballs = readdirSync(webDir).filter((f) => /^lum-barcode-.*\.tgz$/.test(f));
  assert.equal(tarballs.length, 1, 'one tarball in build-web');
  const dir = mkdtempSync(path.join(tmpdir(), 'lum-package-'));
  execFileSync('tar', ['-xzf', path.join(webDir, tarballs[0]), '-C', dir]);
  return { dir: path.join(dir, 'package'), cleanup: () => rmSync(dir, { recursive: true, force: true }) };
}

test('the tarball carries the module, the declarations and every font its CSS declares, each displayed with block', async () => {
  const { dir, cleanup } = unpack();
  try {
    const json = JSON.parse(readFileSync(path.join(dir, 'package.json'), 'utf8'));
    assert.equal(`lumcode ${json.version}`, lumcode(['--version']).stdout.trim(), 'the package has the project version');
    for (const file of ['index.js', 'index.d.ts', 'lum.wasm', 'lum-fonts.css', 'fonts.json', 'README.md']) {
      assert.ok(existsSync(path.join(dir, file)), file);
    }
    const css = readFileSync(path.join(dir, 'lum-fonts.css'), 'utf8');
    const rules = [...css.matchAll(/@font-face\s*\{([^}]*)\}/g)].map((m) => m[1]);
    const manifest = JSON.parse(readFileSync(path.join(dir, 'fonts.json'), 'utf8'));
    assert.equal(rules.length, Object.keys(manifest.fonts).length);
    const declared = new Set();
    for (const rule of rules) {
      const family = /font-family:\s*"([^"]+)"/.exec(rule)[1];
      const url = /src:\s*url\("([^"]+)"\)\s*format\("woff2"\)/.exec(rule)[1];
      assert.match(rule, /font-display:\s*block;/, family);
      assert.equal(manifest.fonts[family].file, url, family);
      assert.equal(readFileSync(path.join(dir, url)).subarray(0, 4).toString('latin1'), 'wOF2', url);
      declared.add(family);
    }
    // Every font built for the desktop is declared, and every declared font is
    // one the engine names for some symbology and style.
    const built = readdirSync(path.join(root, 'build/fonts')).filter((f) => f.endsWith('.ttf')).map((f) => f.slice(0, -4));
    assert.deepEqual([...declared].sort(), built.sort());
    const named = new Set(symbologies().flatMap((s) => s.styles.map((style) => fontName(s.id, style))));
    for (const family of declared) assert.ok(named.has(family), `${family} is named by the engine`);
    for (const family of Object.keys(manifest.quietZones)) assert.ok(manifest.quietZones[family].left > 0, family);

    // The unpacked package works on its own.
    const unpacked = await import(pathToFileURL(path.join(dir, 'index.js')).href);
    assert.equal(unpacked.encode('590123412345', 'ean13', { check: true }), lumcode(['encode', '--check', 'EAN13', '590123412345']).stdout.trim());
  } finally {
    cleanup();
  }
});

test('rejected texts throw a LumError with the reason, in the language asked for', () => {
  // [text, symbology, options, code, message]
  const rows = [
    ['12a', 'EAN13', { check: true }, 'REJECTED', 'character "a" at position 3 is not allowed; allowed: digits 0-9'],
    ['12a', 'EAN13', { check: true, language: 'it' }, 'REJECTED', 'carattere "a" in posizione 3 non ammesso; ammessi: cifre 0-9'],
    ['1234567890123', 'EAN13', { check: true }, 'REJECTED', 'too long: 13 characters, at most 12 when the check digit is added'],
    ['1234567890123', 'EAN13', { check: true, wording: 'command-line' }, 'REJECTED', 'too long: 13 characters, at most 12 with --check'],
    ['ok ✓', 'C128', {}, 'NO_CP1252_FORM', 'character "✓" (U+2713) at position 4 has no Windows-1252 form'],
    ['😀x', 'C128', { language: 'it' }, 'NO_CP1252_FORM', 'carattere "😀" (U+1F600) in posizione 1 senza equivalente in Windows-1252'],
    ['a\u0080', 'C39FULL', {}, 'NO_CP1252_FORM', 'character U+0080 at position 2 has no Windows-1252 form'],
    ['1', 'NOPE', {}, 'UNKNOWN_SYMBOLOGY', 'unknown symbology identifier "NOPE"'],
    ['1', 'EAN13+ADD3', {}, 'UNKNOWN_SYMBOLOGY', 'unknown symbology identifier "EAN13+ADD3"'],
    ['59012341234552495X', 'EAN13+ADD5', { check: true }, 'REJECTED', 'too long: 18 characters, at most 17 when the check digit is added'],
    ['5901234123455249x', 'EAN13+ADD5', { check: true }, 'REJECTED', 'ADD5: character "x" at position 17 is not allowed; allowed: digits 0-9'],
    ['2234567', 'UPCE+ADD2', { check: true }, 'REJECTED', 'UPCE: first digit "2" is not allowed; the number system digit must be 0 or 1'],
    ['é', 'C39FULL', {}, 'REJECTED', 'character "é" (U+00E9) at position 1 is code 233; C39FULL encodes codes 0 to 127'],
  ];
  for (const [text, symbology, options, code, message] of rows) {
    const where = `${symbology} ${JSON.stringify(text)} ${JSON.stringify(options)}`;
    assert.throws(() => encode(text, symbology, options), (error) => {
      assert.ok(error instanceof LumError, where);
      assert.deepEqual([error.code, error.message, error.symbology, error.text], [code, message, symbology, text], where);
      return true;
    });
    assert.equal(reason(text, symbology, options), message, where);
  }
  assert.equal(reason('590123412345', 'EAN13', { check: true }), '');
  assert.throws(() => encode('1', 'EAN13', { language: 'fr' }), TypeError);
  assert.throws(() => encode(1234, 'EAN13'), TypeError);
});

test('font names: style texts in either language, families with fewer styles, add-on symbols', () => {
  // [symbology, style, font name]: the font-name rule's own examples first.
  const rows = [
    ['C39', 'Stretto e corto', 'VOR39 Narrow Short'],
    ['C128', 'Wide', ''],
    ['C128', 'Corto', 'VOR128 Short'],
    ['EAN13', 'Short', 'VOREAN'],
    ['c93full', 'Wide short', 'VOR93 Wide Short'],
    ['C25', 'Normale', 'VOR25 ITF'],
    ['EAN13+ADD5', 'Narrow', 'VOREAN'],
    ['DELTA', 'Short', 'VORDELTA DA Short'],
    ['C39', 'Bold', ''],
  ];
  for (const [symbology, style, expected] of rows) assert.equal(fontName(symbology, style), expected, `${symbology} ${style}`);
  assert.equal(fontName('POSTNET'), 'VORPOSTNET');
  assert.throws(() => fontName('NOPE', 'Normal'), (e) => e.code === 'UNKNOWN_SYMBOLOGY');
  for (const s of symbologies()) {
    for (const style of s.styles) assert.notEqual(fontName(s.id, style), '', `${s.id} ${style}`);
  }
});

test('the human-readable line follows the desktop program', () => {
  // [text, symbology, options, line]
  const rows = [
    // Code 39: framed by "*"; the check character (A=10 B=11 C=12, 33 mod 43 = "X") only when both options ask.
    ['abc', 'C39', { check: true, checkInHrc: true }, '*ABCX*'],
    ['abc', 'C39', { check: true }, '*ABC*'],
    ['abc', 'C39', { checkInHrc: true }, '*ABC*'],
    // Codabar: lower-cased.
    ['A40156B', 'CBAR', {}, 'a40156b'],
    // Code 128: the code as typed; EAN/UPC, ISBN and add-on symbols print their own.
    ['Code 128', 'C128', {}, 'Code 128'],
    ['590123412345', 'EAN13', { check: true }, ''],
    ['59012341234552495', 'EAN13+ADD5', { check: true }, ''],
    ['12345678', 'C32HRC', { check: true }, ''],
  ];
  for (const [text, symbology, options, line] of rows) {
    assert.equal(humanReadable(text, symbology, options), line, `${symbology} ${text} ${JSON.stringify(options)}`);
  }
  assert.throws(() => humanReadable('12a', 'EAN13', { check: true }), (e) => e.code === 'REJECTED');
});

test('long texts grow the module memory; short ones after them still come out right', () => {
  const short = encode('Code 128', 'C128');
  const long = 'Lorem ipsum 0123456789 '.repeat(20000);
  const bars = encode(long, 'C128');
  assert.ok(bars.length > long.length / 2, 'a font string for the whole text');
  assert.equal(validate(long + 'é', 'C39FULL'), long + 'é', 'no rule: the text as given, é included');
  assert.equal(encode('Code 128', 'C128'), short);
  assert.equal(encode('59012341234552495', 'EAN13+ADD5', { check: true }), encode('590123412345', 'EAN13', { check: true }) + encode('52495', 'ADD5'));
});
