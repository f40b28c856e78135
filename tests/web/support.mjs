// Where the web tests find what web/build.sh and the main tree built.
import { execFile, spawnSync } from 'node:child_process';
import { fileURLToPath, pathToFileURL } from 'node:url';
import path from 'node:path';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const webDir = path.join(root, 'build-web');
export const packageDir = path.join(webDir, 'package');
export const siteDir = path.join(webDir, 'site');
export const lumcodePath = path.join(root, 'build/cli/lumcode');

/** The package as web/build.sh assembled it. */
export const lum = await import(pathToFileURL(path.join(packageDir, 'index.js')).href);

/** Runs lumcode with the arguments and standard input: {status, stdout, stderr}. */
export function lumcode(args, input = '') {
  const run = spawnSync(lumcodePath, args, { input, encoding: 'utf8' });
  if (run.error) throw run.error;
  return run;
}

/** lumcode with the arguments, without waiting: {status, stdout, stderr}. */
export function lumcodeAsync(args) {
  return new Promise((resolve, reject) => {
    execFile(lumcodePath, args, { encoding: 'utf8' }, (error, stdout, stderr) => {
      if (error && typeof error.code !== 'number') reject(error);
      else resolve({ status: error ? error.code : 0, stdout, stderr });
    });
  });
}
