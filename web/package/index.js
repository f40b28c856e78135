// LUM barcode encoder for browsers and Node: the engine of the LUM library
// and desktop program built to WebAssembly (lum.wasm, beside this file). It
// turns a text into the font string that prints the barcode when set in the
// matching barcode font; lum-fonts.css declares those fonts.
//
// The module loads when this file is imported (top-level await), so every
// function below is synchronous.

const kFlags = { check: 1, italian: 2, commandLine: 4, checkInHrc: 8 };
const kStatusCodes = ['OK', 'REJECTED', 'UNKNOWN_SYMBOLOGY', 'NO_CP1252_FORM', 'INVALID_UTF8'];

/** A request the engine refuses; `message` says why, `code` how. */
export class LumError extends Error {
  constructor(code, message, symbology, text) {
    super(message);
    this.name = 'LumError';
    this.code = code;
    this.symbology = symbology;
    this.text = text;
  }
}

async function moduleBytes(url) {
  if (url.protocol === 'file:') {
    const { readFile } = await import('node:fs/promises');
    return readFile(url);
  }
  const response = await fetch(url);
  if (!response.ok) throw new Error(`cannot load ${url}: HTTP ${response.status}`);
  return response.arrayBuffer();
}

const { instance } = await WebAssembly.instantiate(await moduleBytes(new URL('./lum.wasm', import.meta.url)), {});
const lum = instance.exports;
lum._initialize();

const utf8Encoder = new TextEncoder();
const utf8Decoder = new TextDecoder('utf-8', { fatal: true });

// One block of module memory takes the arguments of every call; it grows as
// texts need.
let block = 0;
let blockSize = 0;

function reserve(size) {
  if (size <= blockSize) return;
  if (block) lum.lum_free(block);
  blockSize = Math.max(size, 256);
  block = lum.lum_alloc(blockSize);
}

// The module's memory as bytes. Growing the memory detaches the buffer under
// the old view, which then has no bytes: a new view is taken.
let bytes = new Uint8Array(lum.memory.buffer);

function memory() {
  if (bytes.length === 0) bytes = new Uint8Array(lum.memory.buffer);
  return bytes;
}

// Writes `s` as UTF-8 from `at`, before `end`; the bytes written. ASCII, the
// common case, is copied as it is.
function write(s, m, at, end) {
  let i = 0;
  for (; i < s.length; ++i) {
    const c = s.charCodeAt(i);
    if (c >= 0x80) break;
    m[at + i] = c;
  }
  return i === s.length ? i : utf8Encoder.encodeInto(s, m.subarray(at, end)).written;
}

// Writes two strings as UTF-8 into the block: [pointer, size] of each.
function put(first, second) {
  // A UTF-16 code unit takes at most three UTF-8 bytes.
  reserve(3 * (first.length + second.length));
  const m = memory();
  const end = block + blockSize;
  const a = write(first, m, block, end);
  const b = write(second, m, block + a, end);
  return [block, a, block + a, b];
}

// The result of the last call. Font strings are short and mostly ASCII: those
// are read without the decoder.
function result() {
  const start = lum.lum_result();
  const end = start + lum.lum_result_size();
  const m = memory();
  if (end - start <= 64) {
    let s = '';
    for (let i = start; i < end; ++i) {
      if (m[i] >= 0x80) return utf8Decoder.decode(m.subarray(start, end));
      s += String.fromCharCode(m[i]);
    }
    return s;
  }
  return utf8Decoder.decode(m.subarray(start, end));
}

function flagsOf(options = {}) {
  const { check = false, language = 'en', wording = 'argument', checkInHrc = false } = options;
  if (language !== 'en' && language !== 'it') throw new TypeError(`language must be "en" or "it", not ${JSON.stringify(language)}`);
  if (wording !== 'argument' && wording !== 'command-line') {
    throw new TypeError(`wording must be "argument" or "command-line", not ${JSON.stringify(wording)}`);
  }
  return (check ? kFlags.check : 0) | (language === 'it' ? kFlags.italian : 0) |
    (wording === 'command-line' ? kFlags.commandLine : 0) | (checkInHrc ? kFlags.checkInHrc : 0);
}

// Runs one text call: { status, output } with the status as its code word.
function call(fn, text, symbology, options) {
  if (typeof text !== 'string') throw new TypeError('text must be a string');
  if (typeof symbology !== 'string') throw new TypeError('symbology must be a string');
  const flags = flagsOf(options);
  const status = fn(...put(text, symbology), flags);
  return { status: kStatusCodes[status] ?? `STATUS_${status}`, output: result() };
}

function valueOrThrow(fn, text, symbology, options) {
  const { status, output } = call(fn, text, symbology, options);
  if (status !== 'OK') throw new LumError(status, output, symbology, text);
  return output;
}

/**
 * The font string for `text` in `symbology` ("EAN13", "C128", "EAN13+ADD5", any
 * letter case). Throws a LumError with the reason when the text is rejected.
 */
export function encode(text, symbology, options) {
  return valueOrThrow(lum.lum_encode, text, symbology, options);
}

/** The text as the symbology's rule normalises it (upper case, left padding). */
export function validate(text, symbology, options) {
  return valueOrThrow(lum.lum_validate, text, symbology, options);
}

/** Why encode would reject the text, or "" when it accepts it. */
export function reason(text, symbology, options) {
  const { status, output } = call(lum.lum_reason, text, symbology, options);
  return status === 'OK' ? '' : output;
}

/**
 * The human-readable line the LUM desktop program prints under the bars; ""
 * where the font string carries its own (EAN/UPC, ISBN, Code 32 with HRC).
 */
export function humanReadable(text, symbology, options) {
  return valueOrThrow(lum.lum_hrc, text, symbology, options);
}

/**
 * The font name for the symbology's family in a style given by its English or
 * Italian display name ("Normal", "Narrow short", "Corto"); "" when the family
 * has no such style.
 */
export function fontName(symbology, style = 'Normal') {
  if (typeof style !== 'string') throw new TypeError('style must be a string');
  return valueOrThrow(lum.lum_font_name, style, symbology, {});
}

let catalogue = null;

/** Every symbology the engine knows, in resolution order, then the main symbols with an add-on. */
export function symbologies() {
  if (!catalogue) {
    lum.lum_symbologies();
    catalogue = Object.freeze(JSON.parse(result()).map((entry) => Object.freeze({
      ...entry,
      names: Object.freeze(entry.names),
      styles: Object.freeze(entry.styles),
    })));
  }
  return catalogue;
}
