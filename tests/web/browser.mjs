// Headless Chromium for the page tests, and a small client of the Chrome
// DevTools Protocol over the pipe Chromium opens with --remote-debugging-pipe:
// requests go to its file descriptor 3, replies and events come from 4, each
// message JSON followed by a NUL byte. No WebSocket, no npm package.
import { execFile, spawn } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';

export const kChromium = '/usr/bin/chromium';
export const kChromiumFlags = [
  '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--hide-scrollbars', '--force-color-profile=srgb',
];

function run(file, args, timeout) {
  return new Promise((resolve, reject) => {
    execFile(file, args, { timeout, encoding: 'utf8' }, (error, stdout, stderr) => {
      if (error && typeof error.code !== 'number') reject(new Error(`${file}: ${error.message}\n${stderr}`));
      else resolve({ status: error ? error.code : 0, stdout, stderr });
    });
  });
}

/** What zbarimg reads in an image: "EAN-13:5901234123457" lines. */
export async function scan(file) {
  const { stdout } = await run('/usr/bin/zbarimg', ['-q', file], 30000);
  return stdout.trim().split('\n').filter(Boolean);
}

export class Browser {
  #child;
  #profile;
  #nextId = 1;
  #pending = new Map();
  #listeners = new Set();
  #stderr = '';

  static launch() {
    const browser = new Browser();
    browser.#profile = mkdtempSync(path.join(tmpdir(), 'lum-chromium-'));
    browser.#child = spawn(kChromium, [...kChromiumFlags, `--user-data-dir=${browser.#profile}`, '--remote-debugging-pipe',
      'about:blank'], { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
    browser.#child.stderr.setEncoding('utf8').on('data', (s) => { browser.#stderr = (browser.#stderr + s).slice(-4000); });
    let buffer = '';
    browser.#child.stdio[4].setEncoding('utf8').on('data', (chunk) => {
      buffer += chunk;
      for (let end = buffer.indexOf('\0'); end >= 0; end = buffer.indexOf('\0')) {
        browser.#dispatch(JSON.parse(buffer.slice(0, end)));
        buffer = buffer.slice(end + 1);
      }
    });
    browser.#child.on('exit', (code) => {
      for (const { reject } of browser.#pending.values()) reject(new Error(`chromium exited (${code}):\n${browser.#stderr}`));
      browser.#pending.clear();
    });
    return browser;
  }

  #dispatch(message) {
    if (message.id === undefined) {
      for (const listener of this.#listeners) listener(message);
      return;
    }
    const request = this.#pending.get(message.id);
    this.#pending.delete(message.id);
    if (message.error) request.reject(new Error(`${request.method}: ${message.error.message}`));
    else request.resolve(message.result);
  }

  /** Sends a command, to the browser or to a page's session. */
  send(method, params = {}, sessionId = undefined) {
    const id = this.#nextId++;
    return new Promise((resolve, reject) => {
      this.#pending.set(id, { resolve, reject, method });
      this.#child.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
    });
  }

  /** The next event `method` whose params satisfy `accept`, within `timeout` ms. */
  event(method, accept = () => true, timeout = 30000) {
    return new Promise((resolve, reject) => {
      const listener = (message) => {
        if (message.method !== method || !accept(message.params)) return;
        this.#listeners.delete(listener);
        clearTimeout(timer);
        resolve(message.params);
      };
      const timer = setTimeout(() => {
        this.#listeners.delete(listener);
        reject(new Error(`no ${method} within ${timeout} ms`));
      }, timeout);
      this.#listeners.add(listener);
    });
  }

  /** A new tab, as a Page. */
  async newPage() {
    const { targetId } = await this.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true });
    const page = new Page(this, sessionId);
    await page.send('Page.enable');
    await page.send('Runtime.enable');
    return page;
  }

  async close() {
    if (this.#child.exitCode === null) {
      const exited = new Promise((resolve) => this.#child.once('exit', resolve));
      this.send('Browser.close').catch(() => {});
      const timer = setTimeout(() => this.#child.kill('SIGKILL'), 5000);
      await exited;
      clearTimeout(timer);
    }
    rmSync(this.#profile, { recursive: true, force: true });
  }
}

const kKeys = {
  Tab: { code: 'Tab', windowsVirtualKeyCode: 9 },
  Enter: { code: 'Enter', windowsVirtualKeyCode: 13, text: '\r' },
  ArrowDown: { code: 'ArrowDown', windowsVirtualKeyCode: 40 },
  End: { code: 'End', windowsVirtualKeyCode: 35 },
};

export class Page {
  constructor(browser, sessionId) {
    this.browser = browser;
    this.sessionId = sessionId;
  }

  send(method, params = {}) {
    return this.browser.send(method, params, this.sessionId);
  }

  async evaluate(expression) {
    const { result, exceptionDetails } = await this.send('Runtime.evaluate',
      { expression, returnByValue: true, awaitPromise: true });
    if (exceptionDetails) throw new Error(`${expression}: ${exceptionDetails.exception?.description ?? exceptionDetails.text}`);
    return result.value;
  }

  /** Waits until `expression` is true in the page. */
  async until(expression, timeout = 20000) {
    const end = Date.now() + timeout;
    while (!(await this.evaluate(expression))) {
      if (Date.now() > end) throw new Error(`not true within ${timeout} ms: ${expression}`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }

  /** Opens `url` and waits for the label page to be ready. */
  async open(url) {
    const loaded = this.browser.event('Page.loadEventFired');
    await this.send('Page.navigate', { url });
    await loaded;
  }

  /**
   * A PNG of the page at `url` once it is ready and every font it asked for
   * has arrived, `scale` device pixels to a CSS pixel.
   */
  async screenshot(url, file, { width = 1000, height = 700, scale = 1 } = {}) {
    await this.send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: scale, mobile: false });
    await this.open(url);
    await this.until("document.body.dataset.ready === 'true' && document.fonts.status === 'loaded'");
    await this.evaluate('document.fonts.ready.then(() => new Promise((r) => requestAnimationFrame(() => r(true))))');
    const { data } = await this.send('Page.captureScreenshot', { format: 'png' });
    writeFileSync(file, Buffer.from(data, 'base64'));
  }

  /** Presses a named key (Tab, Enter, ArrowDown, End), with modifiers (8: Shift). */
  async press(key, modifiers = 0) {
    const { text, ...down } = { key, ...kKeys[key] };
    await this.send('Input.dispatchKeyEvent', { type: text ? 'keyDown' : 'rawKeyDown', modifiers, ...down, ...(text ? { text } : {}) });
    await this.send('Input.dispatchKeyEvent', { type: 'keyUp', modifiers, ...down });
  }

  /** Types text as key presses, character by character. */
  async type(text) {
    for (const ch of text) {
      await this.send('Input.dispatchKeyEvent', { type: 'keyDown', key: ch, text: ch });
      await this.send('Input.dispatchKeyEvent', { type: 'keyUp', key: ch });
    }
  }
}
