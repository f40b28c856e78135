// The label page in headless Chromium, served on 127.0.0.1 as ./run.sh web
// serves it: links that open a ready barcode read back by zbarimg, the page's
// own controls driven from the keyboard, and the downloaded SVG read back too.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { Browser, scan } from './browser.mjs';
import { lum, siteDir } from './support.mjs';

const work = mkdtempSync(path.join(tmpdir(), 'lum-web-'));
const texts = JSON.parse(readFileSync(path.join(siteDir, 'texts.json'), 'utf8'));
let server;
let base;
let browser;
const kShift = 8; // the modifier bit of a key event

before(async () => {
  server = spawn('/usr/bin/python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '--directory', siteDir, '0'],
    { stdio: ['ignore', 'pipe', 'pipe'] });
  base = await new Promise((resolve, reject) => {
    let out = '';
    server.stdout.setEncoding('utf8').on('data', (s) => {
      out += s;
      const match = /port (\d+)/.exec(out);
      if (match) resolve(`http://127.0.0.1:${match[1]}/`);
    });
    server.on('exit', (code) => reject(new Error(`http.server exited (${code})`)));
  });
  browser = Browser.launch();
});

after(async () => {
  await browser?.close();
  server?.kill();
  rmSync(work, { recursive: true, force: true });
});

test('a link opens a ready barcode that zbarimg reads as the data', { timeout: 120000 }, async () => {
  // [query, device pixels a CSS pixel, what zbarimg reads]. At the default
  // 100 points an EAN-13 module is 1.6 pixels of a plain screen; at 72 points
  // it takes a high-density one.
  const rows = [
    ['?symbology=EAN13&text=590123412345&check=1', 1, 'EAN-13:5901234123457'],
    ['?symbology=EAN13&text=590123412345&check=1&style=Normal&size=72', 2, 'EAN-13:5901234123457'],
    ['?symbology=C128&text=LUM-2024%2Fabc%20%7B42%7D&lang=it', 1, 'CODE-128:LUM-2024/abc {42}'],
  ];
  const page = await browser.newPage();
  for (const [query, scale, data] of rows) {
    const file = path.join(work, 'link.png');
    await page.screenshot(base + query, file, { width: 1400, height: 600, scale });
    assert.deepEqual(await scan(file), [data], query);
  }
});

test('the page driven from the keyboard: type a code, change symbology and language, read what it shows', { timeout: 120000 }, async () => {
  const page = await browser.newPage();
  await page.open(`${base}?symbology=C39&check=1&hrc=1&lang=en`);
  await page.until("document.body.dataset.ready === 'true'");

  // Tab and Shift+Tab reach every control in turn.
  const focusOn = async (id, modifiers = 0) => {
    for (let i = 0; i < 12 && (await page.evaluate('document.activeElement.id')) !== id; ++i) await page.press('Tab', modifiers);
    assert.equal(await page.evaluate('document.activeElement.id'), id, `${id} is reachable from the keyboard`);
  };
  await focusOn('code');
  await page.type('abc-12');
  const shown = () => page.evaluate(`({
    fontString: document.getElementById('font-string').value,
    hrc: document.getElementById('human-readable').textContent,
    font: getComputedStyle(document.getElementById('bars')).fontFamily,
    error: document.getElementById('error').textContent,
    query: location.search,
  })`);
  let now = await shown();
  assert.equal(now.fontString, lum.encode('abc-12', 'C39', { check: true }));
  assert.equal(now.hrc, lum.humanReadable('abc-12', 'C39', { check: true }));
  assert.equal(now.font.replaceAll('"', ''), 'VOR39');
  assert.match(now.query, /symbology=C39&text=abc-12&check=1/);

  // Back to the symbology list, and its next entry.
  await focusOn('symbology', kShift);
  await page.press('ArrowDown');
  now = await shown();
  assert.equal(now.fontString, lum.encode('abc-12', 'C39FULL', { check: true }));
  assert.match(now.query, /symbology=C39FULL/);

  // The language list: Italian captions from the desktop program's texts, Italian reasons.
  await focusOn('language', kShift);
  await page.press('ArrowDown');
  assert.equal(await page.evaluate("document.querySelector('label[for=code]').textContent"), texts[268].it.replace('&', ''));
  await focusOn('code');
  await page.press('End');
  await page.type('é');
  now = await shown();
  assert.equal(now.fontString, '');
  assert.equal(now.error, `${texts[93].it}: ${lum.reason('abc-12é', 'C39FULL', { check: true, language: 'it' })}`);
});

test('the downloaded SVG draws the barcode from the font outlines, readable in and out of the browser', { timeout: 120000 }, async () => {
  const page = await browser.newPage();
  const downloads = path.join(work, 'downloads');
  await browser.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads, eventsEnabled: true });
  // [query, file name, what zbarimg reads]
  const rows = [
    ['?symbology=EAN13&text=590123412345&check=1&size=90', 'EAN13-590123412345.svg', 'EAN-13:5901234123457'],
    ['?symbology=C128&text=Label%2042&style=Short&size=40', 'C128-Label_42.svg', 'CODE-128:Label 42'],
  ];
  for (const [query, name, data] of rows) {
    await page.open(base + query);
    await page.until("document.body.dataset.ready === 'true' && !document.getElementById('download').disabled");
    const done = browser.event('Browser.downloadProgress', (p) => p.state === 'completed');
    await page.evaluate("document.getElementById('download').focus()");
    await page.press('Enter');
    await done;
    const file = path.join(downloads, name);
    assert.ok(existsSync(file), name);
    const svg = readFileSync(file, 'utf8');
    assert.match(svg, /^<\?xml[^>]*>\n<svg xmlns="http:\/\/www.w3.org\/2000\/svg"/);
    assert.doesNotMatch(svg, /font-family="VOR|@font-face/, 'the bars are outlines, not text in a font');

    await page.open(`file://${file}`);
    await page.send('Emulation.setDeviceMetricsOverride', { width: 900, height: 400, deviceScaleFactor: 1, mobile: false });
    const { data: png } = await page.send('Page.captureScreenshot', { format: 'png' });
    const image = path.join(work, 'svg.png');
    writeFileSync(image, Buffer.from(png, 'base64'));
    assert.deepEqual(await scan(image), [data], name);
    // Outside the browser too: librsvg, as image and document programs use it.
    execFileSync('/usr/bin/rsvg-convert', ['-z', '2', '-o', image, file]);
    assert.deepEqual(await scan(image), [data], `${name} (rsvg-convert)`);
  }
});
