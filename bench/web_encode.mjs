// Encode calls per second in Node through the WebAssembly module, against the
// native library on the same texts (bench/typical_texts.tsv, check flag set).
//   bench/web_compare.sh [SECONDS]
// Measures the package's encode() (JavaScript strings in and out, UTF-8 and
// Windows-1252 conversion included), the module's lum_encode alone (UTF-8
// already in its memory, the font string left there), and the library export
// VORStringToBarcodeBufDLL (build/bench/library_texts_bench), in turn for
// five rounds; prints the median of each and the ratios.
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const seconds = Number(process.argv[2] ?? 5);
const rounds = 5;

const requests = readFileSync(path.join(root, 'bench/typical_texts.tsv'), 'utf8').split('\n')
  .filter((line) => line && !line.startsWith('#')).map((line) => line.split('\t'));

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

// Calls per second of `pass` (one call per request) over one round.
function rate(pass) {
  let calls = 0;
  const start = process.hrtime.bigint();
  const end = start + BigInt(Math.round((seconds / rounds) * 1e9));
  let now = start;
  while (now < end) {
    calls += pass();
    now = process.hrtime.bigint();
  }
  return calls / (Number(now - start) / 1e9);
}

const lum = await import(pathToFileURL(path.join(root, 'build-web/package/index.js')).href);
const packagePass = () => {
  for (const [id, text] of requests) lum.encode(text, id, { check: true });
  return requests.length;
};

// The module alone: a fresh instance, every request written into its memory once.
const { instance } = await WebAssembly.instantiate(readFileSync(path.join(root, 'build-web/package/lum.wasm')), {});
const wasm = instance.exports;
wasm._initialize();
const encoder = new TextEncoder();
const calls = requests.map(([id, text]) => {
  const bytes = [encoder.encode(text), encoder.encode(id)];
  const at = bytes.map((b) => {
    const p = wasm.lum_alloc(b.length);
    new Uint8Array(wasm.memory.buffer, p, b.length).set(b);
    return p;
  });
  return [at[0], bytes[0].length, at[1], bytes[1].length];
});
const modulePass = () => {
  for (const c of calls) {
    if (wasm.lum_encode(c[0], c[1], c[2], c[3], 1) !== 0) throw new Error('a typical text was rejected');
  }
  return calls.length;
};

function libraryRate() {
  const run = spawnSync(path.join(root, 'build/bench/library_texts_bench'),
    ['--benchmark_format=json', `--benchmark_min_time=${seconds / rounds}`], { encoding: 'utf8' });
  if (run.status !== 0) throw new Error(`library_texts_bench failed:\n${run.stderr}`);
  return JSON.parse(run.stdout).benchmarks[0].items_per_second;
}

// The three in turn, round after round, so that a change of load on the
// machine falls on all of them. The first rounds of the module also let the
// engine compile it fully.
rate(modulePass);
rate(packagePass);
const rates = { library: [], module: [], package: [] };
for (let round = 0; round < rounds; ++round) {
  rates.library.push(libraryRate());
  rates.module.push(rate(modulePass));
  rates.package.push(rate(packagePass));
}
const [nativeRate, moduleRate, packageRate] = [rates.library, rates.module, rates.package].map(median);

const f = (n) => Math.round(n).toLocaleString('en');
console.log(`${requests.length} texts, check flag set, median of ${rounds} rounds`);
console.log(`library (native, VORStringToBarcodeBufDLL)  ${f(nativeRate).padStart(12)} calls/s`);
console.log(`module (lum_encode, UTF-8 in memory)         ${f(moduleRate).padStart(12)} calls/s  library/module ${(nativeRate / moduleRate).toFixed(2)}`);
console.log(`package (encode(), JavaScript strings)       ${f(packageRate).padStart(12)} calls/s  library/package ${(nativeRate / packageRate).toFixed(2)}`);
