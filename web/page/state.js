// The label page's choices and their form in the address, so that a link
// opens a ready barcode:
//   ?symbology=EAN13&text=590123412345&check=1&style=Normal&size=72&hrc=1&hrccheck=0&lang=it

export const kDefaults = Object.freeze({
  symbology: 'C39',
  text: '',
  check: true,
  style: 'Normal',
  size: 100, // points, as the desktop program's default
  hrc: true,
  checkInHrc: false,
  lang: 'en',
});

export const kMinSize = 1;
export const kMaxSize = 2000;

const kTrue = new Set(['1', 'true', 'yes', 'on']);
const kFalse = new Set(['0', 'false', 'no', 'off']);

function readFlag(value, fallback) {
  if (value === null) return fallback;
  const v = value.trim().toLowerCase();
  if (kTrue.has(v)) return true;
  if (kFalse.has(v)) return false;
  return fallback;
}

function readSize(value, fallback) {
  if (value === null || value.trim() === '') return fallback;
  const n = Number(value);
  if (!Number.isFinite(n) || n <= 0) return fallback;
  return Math.min(kMaxSize, Math.max(kMinSize, Math.round(n * 10) / 10));
}

// The entry of `ids` equal to `value` in any letter case, else undefined.
function pick(value, ids) {
  if (value === null) return undefined;
  const wanted = value.trim().toUpperCase();
  return ids.find((id) => id.toUpperCase() === wanted);
}

/**
 * The choices an address asks for. `symbologyIds` are the identifiers the page
 * offers; `styles` the style names as [{en, it}]; `language` the browser's
 * preferred language ("it-IT", ...), used when the address names none.
 */
export function readState(search, symbologyIds, styles, language = '') {
  const q = new URLSearchParams(search);
  const style = q.get('style');
  const wantedStyle = style === null ? '' : style.trim().toLowerCase();
  const styleEntry = styles.find((s) => s.en.toLowerCase() === wantedStyle || s.it.toLowerCase() === wantedStyle);
  const lang = pick(q.get('lang'), ['en', 'it']) ?? (language.toLowerCase().startsWith('it') ? 'it' : kDefaults.lang);
  return {
    symbology: pick(q.get('symbology'), symbologyIds) ?? kDefaults.symbology,
    text: q.get('text') ?? kDefaults.text,
    check: readFlag(q.get('check'), kDefaults.check),
    style: styleEntry ? styleEntry.en : kDefaults.style,
    size: readSize(q.get('size'), kDefaults.size),
    hrc: readFlag(q.get('hrc'), kDefaults.hrc),
    checkInHrc: readFlag(q.get('hrccheck'), kDefaults.checkInHrc),
    lang,
  };
}

/** The address query for the choices: readState reads it back unchanged. */
export function writeState(state) {
  const q = new URLSearchParams();
  q.set('symbology', state.symbology);
  q.set('text', state.text);
  q.set('check', state.check ? '1' : '0');
  q.set('style', state.style);
  q.set('size', String(state.size));
  q.set('hrc', state.hrc ? '1' : '0');
  q.set('hrccheck', state.checkInHrc ? '1' : '0');
  q.set('lang', state.lang);
  return '?' + q.toString();
}
