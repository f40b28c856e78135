// The label page's address: what a link asks for, and that the address the
// page writes reads back the same.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { siteDir } from './support.mjs';

const { kDefaults, readState, writeState } = await import(pathToFileURL(path.join(siteDir, 'state.js')).href);
const texts = JSON.parse(readFileSync(path.join(siteDir, 'texts.json'), 'utf8'));
const styles = [278, 279, 280, 281, 282, 283].map((id) => texts[id]);
const ids = ['C39', 'EAN13', 'C128', 'EAN13+ADD5', 'C32'];

test('an address gives the choices; what it leaves out or gets wrong falls back to the defaults', () => {
  // [query, browser language, choices that differ from the defaults]
  const rows = [
    ['?symbology=EAN13&text=590123412345&check=1&style=Normal&size=72', 'en-GB',
      { symbology: 'EAN13', text: '590123412345', check: true, style: 'Normal', size: 72 }],
    ['?symbology=ean13%2Badd5&text=59012341234552495&check=0', '', { symbology: 'EAN13+ADD5', text: '59012341234552495', check: false }],
    ['?style=stretto%20e%20corto&size=12.25&hrc=off&hrccheck=yes', '', { style: 'Narrow short', size: 12.3, hrc: false, checkInHrc: true }],
    ['?style=WIDE%20SHORT&lang=IT', 'en', { style: 'Wide short', lang: 'it' }],
    ['', 'it-IT', { lang: 'it' }],
    ['?lang=en', 'it-IT', {}],
    ['?symbology=NOPE&style=Bold&size=abc&check=maybe&lang=fr', '', {}],
    ['?size=0', '', {}],
    ['?size=-5', '', {}],
    ['?size=99999', '', { size: 2000 }],
    ['?size=0.01', '', { size: 1 }],
    ['?text=a%26b%3Dc%20%C3%BC%E2%9C%93', '', { text: 'a&b=c ü✓' }],
  ];
  for (const [query, language, changes] of rows) {
    assert.deepEqual(readState(query, ids, styles, language), { ...kDefaults, ...changes }, `${query} (${language})`);
  }
});

test('the address the page writes reads back as the same choices', () => {
  const states = [
    { ...kDefaults },
    { symbology: 'EAN13+ADD5', text: ' a&b=c+d %20 ü ✓ ', check: false, style: 'Narrow short', size: 7.5, hrc: false, checkInHrc: true, lang: 'it' },
  ];
  for (const state of states) assert.deepEqual(readState(writeState(state), ids, styles, 'en'), state);
});
