// The WebAssembly build of the engine against lumcode, the native build: for
// every identifier, both check flags and a table of texts, the same font
// string, the same normalised text, and the same rejections with the same
// reasons.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { lum, lumcode, lumcodeAsync, packageDir } from './support.mjs';

// Between them these pass and fail every validation rule: lengths around the
// fixed ones, letters for digits, lower case, Codabar ends, escapes (the last
// two above 255), characters above 127 with and without a Windows-1252 form
// (U+0081 is one of the five bytes the code page leaves undefined, U+0080 is
// not a Windows-1252 character), a control, and long texts. No line breaks:
// lumcode reads one text per line. Not last: the empty text (lumcode would
// not see a final empty line).
const kTexts = [
  '', '0', '123', '1234', '12345', '123456', '1234567', '12345678', '123456789', '12345678901', '123456789012',
  '590123412345', '5901234123457', '03600029145', '9638507', '0123456', '2234567', '885154010', '978885154010',
  '59012341234552495', '0360002914512', '12345678901234567', 'abc-12', 'ABC 12', 'A40156B', 'a123b', 'A123', 'AB',
  '12AB34', '12kl34', '123-45', 'Code 128 / 1234567890', '0195012345678903\\x8110ABC123', 'a\\tb\\\\c\\q',
  '\\d7A\\x4G\\101', '\\d300', '\\xFF\\x7F', 'Grüße', 'café €5', 'Œuvre ½ ÿ', '\u0081', '\u0080', 'Ā', 'ok ✓',
  '😀 1', 'a\tb', 'x'.repeat(300), '9'.repeat(40), 'END',
];

// lumcode validate takes one text per run: a shorter table, on normalisation
// (padding, upper case, lengths, add-on parts, Codabar ends).
const kValidateTexts = [
  '', '123', '123456', '1234567', '12345678901', '590123412345', '5901234123457', '59012341234552495', 'abc-12',
  'a123b', 'AB', '12kl34', 'a\\tb', 'café', 'ok ✓', '9'.repeat(40),
];

const catalogueIds = lumcode(['list']).stdout.trim().split('\n').map((line) => line.split('\t')[0]);
const addOnIds = lum.symbologies().map((s) => s.id).filter((id) => id.includes('+'));

// lumcode's output lines: a two-line font string holds "\r\n" inside, every
// output line ends with "\n" alone.
function outputLines(stdout) {
  const lines = stdout.split(/(?<!\r)\n/);
  assert.equal(lines.pop(), '');
  return lines;
}

// lumcode's messages by input line number: "lumcode: ID: line N: "text": reason".
function messagesByLine(stderr) {
  const messages = new Map();
  for (const line of stderr.split('\n')) {
    const match = /^lumcode: [^:]+: line (\d+): (.*)$/.exec(line);
    if (match) messages.set(Number(match[1]), match[2]);
  }
  return messages;
}

// The package's answer for a text against lumcode's output line and message
// (undefined when lumcode accepts it).
function compare(fn, id, check, text, expected, message) {
  const where = `${fn.name} ${id} check=${check} ${JSON.stringify(text)}`;
  const got = attempt(fn, text, id, check);
  if (message === undefined) {
    assert.equal(got.value, expected, where);
    return;
  }
  assert.ok(got.error, `${where}: lumcode rejects (${message}), the module accepts`);
  // Main symbols with an add-on word their reasons per part; lumcode's are its own.
  if (!id.includes('+')) assert.ok(message.endsWith(`: ${got.error.message}`), `${where}: ${got.error.message}`);
}

// The package's answer for a text: {value} or {error}.
function attempt(fn, text, id, check) {
  try {
    return { value: fn(text, id, { check, wording: 'command-line' }) };
  } catch (error) {
    if (!(error instanceof lum.LumError)) throw error;
    return { error };
  }
}

test('encode: the module agrees with lumcode for every identifier and both flags', () => {
  for (const id of [...catalogueIds, ...addOnIds]) {
    for (const check of [false, true]) {
      // lumcode encode reads one text per line of its input.
      const run = lumcode(['encode', ...(check ? ['--check'] : []), id], kTexts.join('\n') + '\n');
      const lines = outputLines(run.stdout);
      assert.equal(lines.length, kTexts.length, `${id}: one output line per text`);
      const messages = messagesByLine(run.stderr);
      kTexts.forEach((text, i) => compare(lum.encode, id, check, text, lines[i], messages.get(i + 1)));
      assert.equal(run.status, messages.size ? 1 : 0, `${id}: exit status`);
    }
  }
});

test('validate: the module agrees with lumcode for every identifier and both flags', async () => {
  // A few runs at a time.
  const jobs = [];
  for (const id of [...catalogueIds, ...addOnIds]) {
    for (const check of [false, true]) {
      for (const text of kValidateTexts) jobs.push({ id, check, text });
    }
  }
  const next = async () => {
    for (let job = jobs.pop(); job; job = jobs.pop()) {
      const { id, check, text } = job;
      const run = await lumcodeAsync(['validate', ...(check ? ['--check'] : []), id, text]);
      const message = /^lumcode: [^:]+: (.*)\n$/.exec(run.stderr)?.[1];
      compare(lum.validate, id, check, text, run.stdout.replace(/\n$/, ''), message);
    }
  };
  await Promise.all([next(), next(), next(), next()]);
});

test('reason is empty exactly where encode succeeds, and then in Italian too', () => {
  for (const id of catalogueIds) {
    for (const text of kTexts) {
      const encoded = attempt(lum.encode, text, id, true);
      const reason = lum.reason(text, id, { check: true, wording: 'command-line' });
      assert.equal(reason, encoded.value === undefined ? encoded.error.message : '', `${id} ${JSON.stringify(text)}`);
      const italian = lum.reason(text, id, { check: true, language: 'it' });
      assert.equal(italian === '', reason === '', `${id} ${JSON.stringify(text)}: ${italian}`);
    }
  }
});

test('symbologies() is lumcode list, then the add-on names of the desktop program', () => {
  const list = lumcode(['list']).stdout.trim().split('\n').map((line) => line.split('\t'));
  const entries = lum.symbologies();
  assert.deepEqual(entries.slice(0, list.length).map((s) => [s.id, s.names.en, s.names.it, s.family, s.styles.join(', ')]), list);
  // EAN 8, EAN 13, UPC-A and UPC-E, each with a 2- and a 5-digit add-on: display names 413 to 423.
  assert.deepEqual(entries.slice(list.length).map((s) => [s.id, s.nameId]), [
    ['EAN8+ADD2', 413], ['EAN8+ADD5', 414], ['EAN13+ADD2', 416], ['EAN13+ADD5', 417],
    ['UPCA+ADD2', 419], ['UPCA+ADD5', 420], ['UPCE+ADD2', 422], ['UPCE+ADD5', 423],
  ]);
  for (const s of entries.slice(list.length)) assert.match(s.names.en, / Add-on [25]$/);
});

test('the module imports nothing and exports only its C surface', async () => {
  const module = new WebAssembly.Module(await readFile(path.join(packageDir, 'lum.wasm')));
  assert.deepEqual(WebAssembly.Module.imports(module), []);
  assert.deepEqual(WebAssembly.Module.exports(module).map((e) => e.name).sort(), [
    '_initialize', 'lum_alloc', 'lum_encode', 'lum_font_name', 'lum_free', 'lum_hrc', 'lum_reason', 'lum_result',
    'lum_result_size', 'lum_symbologies', 'lum_validate', 'memory',
  ]);
});
