// The label page: pick a symbology, a style and a size, type the code, and
// see, copy, download or print the barcode. The encoding is the LUM engine's
// (lum/index.js); the captions are the desktop program's own texts
// (texts.json, made from its string table at build time) beside the few this
// page adds.
import { encode, fontName, humanReadable, LumError, symbologies } from './lum/index.js';
import { readState, writeState } from './state.js';
import { labelSvg } from './svg.js';

// Texts of this page that the desktop program has no counterpart for.
const kPageTexts = {
  title: { en: 'LUM barcode label', it: 'Etichetta con codice a barre LUM' },
  fontString: { en: 'Font string', it: 'Stringa per il font' },
  copyFontString: { en: 'Copy font string', it: 'Copia la stringa' },
  download: { en: 'Download SVG', it: 'Scarica SVG' },
  print: { en: 'Print', it: 'Stampa' },
  copied: { en: 'Copied to the clipboard', it: 'Copiato negli appunti' },
  copyFailed: { en: 'The clipboard cannot be written here', it: 'Impossibile scrivere negli appunti' },
  noFont: { en: 'This page has no font for "{font}", so the barcode cannot be shown; the font string below is right.',
    it: 'Questa pagina non ha il font "{font}", quindi il codice a barre non può essere mostrato; la stringa qui sotto è corretta.' },
};
const kTextNotAllowed = 93; // "The value introduced is not allowed"
const kStyleTextIds = [278, 279, 280, 281, 282, 283];

async function fetchJson(path) {
  const response = await fetch(path);
  if (!response.ok) throw new Error(`cannot load ${path}: HTTP ${response.status}`);
  return response.json();
}

const [texts, fonts] = await Promise.all([fetchJson('texts.json'), fetchJson('lum/fonts.json')]);

const $ = (id) => document.getElementById(id);
const controls = {
  language: $('language'), symbology: $('symbology'), style: $('style'), size: $('size'), code: $('code'),
  check: $('check'), hrc: $('hrc'), checkInHrc: $('check-in-hrc'),
};

// The symbologies the page offers, by display name as the desktop program
// lists them; Code 32 with the human-readable option takes its other entry.
const hrcVariants = new Set(symbologies().map((s) => s.withHrc).filter(Boolean));
const offered = symbologies().filter((s) => s.nameId && !hrcVariants.has(s.id)).sort((a, b) => a.nameId - b.nameId);
const byId = new Map(offered.map((s) => [s.id, s]));
const styleNames = kStyleTextIds.map((id) => texts[id]);

let state = readState(location.search, offered.map((s) => s.id), styleNames, navigator.language);
let shown = null; // what the label shows: {bars, hrc, font, symbology}

function text(id) {
  return texts[id]?.[state.lang] ?? '';
}

function pageText(key, values = {}) {
  return kPageTexts[key][state.lang].replace(/\{(\w+)\}/g, (_, name) => values[name]);
}

// "Si&ze:" → the caption and its access key; "&&" is a literal "&".
function mnemonic(caption) {
  let plain = '';
  let key = -1;
  for (let i = 0; i < caption.length; ++i) {
    if (caption[i] === '&' && i + 1 < caption.length) {
      ++i;
      if (caption[i] !== '&' && key < 0) key = plain.length;
    }
    plain += caption[i];
  }
  return { plain, key };
}

function setCaption(element, caption, usedKeys) {
  const { plain, key } = mnemonic(caption);
  const target = element.closest('label, button') ?? element;
  const letter = key >= 0 ? plain[key].toLowerCase() : '';
  if (element.tagName === 'OPTION' || !letter || usedKeys.has(letter)) {
    element.textContent = plain;
    return;
  }
  usedKeys.add(letter);
  target.accessKey = letter;
  const u = document.createElement('u');
  u.textContent = plain[key];
  element.replaceChildren(plain.slice(0, key), u, plain.slice(key + 1));
}

function applyTexts() {
  document.documentElement.lang = state.lang;
  document.title = pageText('title');
  for (const element of document.querySelectorAll('[accesskey]')) element.removeAttribute('accesskey');
  const usedKeys = new Set();
  for (const element of document.querySelectorAll('[data-text]')) setCaption(element, text(element.dataset.text), usedKeys);
  for (const element of document.querySelectorAll('[data-tip]')) {
    const target = element.closest('label') ?? element;
    target.title = mnemonic(text(element.dataset.tip)).plain;
  }
  for (const element of document.querySelectorAll('[data-page-text]')) element.textContent = pageText(element.dataset.pageText);
  controls.symbology.replaceChildren(...offered.map((s) => new Option(s.names[state.lang], s.id)));
}

function styleCaption(english) {
  return mnemonic(styleNames.find((s) => s.en === english)?.[state.lang] ?? english).plain;
}

// The human-readable line's size for a barcode size, both in points.
function hrcPoints(size) {
  return Math.max(8, Math.round(size * 0.12));
}

function showControls() {
  const entry = byId.get(state.symbology);
  if (!entry.styles.includes(state.style)) state.style = entry.styles[0];
  controls.language.value = state.lang;
  controls.symbology.value = state.symbology;
  controls.style.replaceChildren(...entry.styles.map((s) => new Option(styleCaption(s), s)));
  controls.style.value = state.style;
  controls.style.disabled = entry.styles.length < 2 || new Set(entry.styles.map((s) => fontName(entry.id, s))).size < 2;
  if (Number(controls.size.value) !== state.size) controls.size.value = String(state.size);
  if (controls.code.value !== state.text) controls.code.value = state.text;
  controls.check.checked = entry.check === 'always' || (entry.check === 'optional' && state.check);
  controls.check.disabled = entry.check !== 'optional';
  controls.hrc.checked = state.hrc;
  controls.checkInHrc.checked = state.checkInHrc;
  controls.checkInHrc.disabled = !state.hrc;
}

function showError(message) {
  $('error').textContent = message;
}

function showLabel(bars, hrc, font) {
  const face = fonts.fonts[font];
  const label = $('label');
  const barsElement = $('bars');
  $('notice').textContent = face ? '' : pageText('noFont', { font });
  label.hidden = !face;
  if (face) {
    const m = face.module / face.unitsPerEm;
    const q = fonts.quietZones[face.family];
    barsElement.style.fontFamily = `"${font}"`;
    barsElement.style.fontSize = `${state.size}pt`;
    barsElement.style.padding = `${q.top * m}em ${q.right * m}em ${q.bottom * m}em ${q.left * m}em`;
    barsElement.textContent = bars.replaceAll('\r\n', '\n');
    const line = $('human-readable');
    line.style.fontSize = `${hrcPoints(state.size)}pt`;
    line.textContent = hrc;
  }
  const fontString = $('font-string');
  fontString.value = bars;
  fontString.rows = bars.split('\r\n').length;
  $('font-name').textContent = `(${font})`;
}

function render() {
  showControls();
  history.replaceState(null, '', writeState(state));
  const entry = byId.get(state.symbology);
  const id = state.hrc && entry.withHrc ? entry.withHrc : entry.id;
  const options = { check: controls.check.checked, language: state.lang, checkInHrc: state.checkInHrc };
  shown = null;
  showError('');
  $('copied').textContent = '';
  if (state.text !== '') {
    try {
      const bars = encode(state.text, id, options);
      const hrc = state.hrc ? humanReadable(state.text, id, options) : '';
      shown = { bars, hrc, font: fontName(id, state.style), symbology: id };
    } catch (error) {
      if (!(error instanceof LumError)) throw error;
      showError(`${text(kTextNotAllowed)}: ${error.message}`);
    }
  }
  if (shown) {
    showLabel(shown.bars, shown.hrc, shown.font);
  } else {
    $('label').hidden = true;
    $('notice').textContent = '';
    $('font-string').value = '';
    $('font-name').textContent = '';
  }
  for (const id of ['copy-font-string', 'copy-label', 'download', 'print']) $(id).disabled = !shown;
  $('download').disabled = !shown || !fonts.fonts[shown.font];
}

function update(change) {
  state = { ...state, ...change };
  render();
}

function escapeHtml(s) {
  return s.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
}

async function copy(plain, html) {
  try {
    if (html && typeof ClipboardItem === 'function') {
      await navigator.clipboard.write([new ClipboardItem({
        'text/plain': new Blob([plain], { type: 'text/plain' }),
        'text/html': new Blob([html], { type: 'text/html' }),
      })]);
    } else {
      await navigator.clipboard.writeText(plain);
    }
    $('copied').textContent = pageText('copied');
  } catch {
    $('copied').textContent = pageText('copyFailed');
  }
}

// The label as rich text for a word processor, as the desktop program copies
// its preview: the font string in the barcode font, the line under it.
function labelHtml() {
  const bars = escapeHtml(shown.bars).replaceAll('\r\n', '<br>');
  let html = `<p style="font-family:'${shown.font}';font-size:${state.size}pt;line-height:normal">${bars}</p>`;
  if (shown.hrc) {
    html += `<p style="font-family:'Courier New',monospace;font-size:${hrcPoints(state.size)}pt">${escapeHtml(shown.hrc)}</p>`;
  }
  return html;
}

async function downloadSvg() {
  const face = fonts.fonts[shown.font];
  const stem = face.file.replace(/^fonts\//, '').replace(/\.woff2$/, '');
  const outline = await fetchJson(`outlines/${stem}.json`);
  const svg = labelSvg({
    fontString: shown.bars, outline, size: state.size, quiet: fonts.quietZones[face.family],
    hrc: shown.hrc, hrcSize: hrcPoints(state.size), title: `${shown.symbology} ${state.text}`,
  });
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([svg], { type: 'image/svg+xml' }));
  link.download = `${shown.symbology}-${state.text.replace(/[^\w.-]+/g, '_').slice(0, 40) || 'label'}.svg`;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

controls.language.addEventListener('change', () => {
  state.lang = controls.language.value;
  applyTexts();
  render();
});
controls.symbology.addEventListener('change', () => update({ symbology: controls.symbology.value }));
controls.style.addEventListener('change', () => update({ style: controls.style.value }));
controls.size.addEventListener('input', () => {
  const size = Number(controls.size.value);
  if (controls.size.checkValidity() && size > 0) update({ size });
});
controls.code.addEventListener('input', () => update({ text: controls.code.value }));
controls.check.addEventListener('change', () => update({ check: controls.check.checked }));
controls.hrc.addEventListener('change', () => update({ hrc: controls.hrc.checked }));
controls.checkInHrc.addEventListener('change', () => update({ checkInHrc: controls.checkInHrc.checked }));
$('controls').addEventListener('submit', (event) => event.preventDefault());
$('copy-font-string').addEventListener('click', () => copy(shown.bars));
$('copy-label').addEventListener('click', () => copy(shown.bars, labelHtml()));
$('download').addEventListener('click', downloadSvg);
$('print').addEventListener('click', () => window.print());

applyTexts();
render();
document.body.dataset.ready = 'true';
