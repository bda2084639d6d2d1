// What every browser test needs: a folder served on the loopback interface,
// Debian's Chromium started headless with WebGL on the software rasteriser,
// the game's page opened with a probe of its own, and a record of everything
// a page reported as going wrong.
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const {decodePng} = require('./png');

// Without the background services Chromium keeps trying this machine's closed
// network; SwiftShader gives WebGL without a GPU.
const kChromiumFlags = [
  '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic', '--disable-default-apps',
  '--mute-audio',
];
const kTypes = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.png': 'image/png', '.txt': 'text/plain; charset=utf-8',
};

// Serves a folder (an absolute path) as any static host would.
function serveSite(root) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(root, name === '/' ? 'index.html' : name);
    if (!file.startsWith(path.resolve(root)) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream'});
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`, close: () => new Promise((r) => server.close(r)),
  })));
}

// A browser with a profile of its own, removed with it once its process has ended.
async function launchBrowser({extraFlags = []} = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'plombrix-chromium-'));
  const browser = await puppeteer.launch({executablePath: process.env.PLOMBRIX_CHROMIUM || '/usr/bin/chromium',
    headless: true, args: [...kChromiumFlags, ...extraFlags], userDataDir: profile});
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, {recursive: true, force: true});
  };
  return browser;
}

// Everything the page says went wrong (console errors, uncaught exceptions,
// failed loads) in `problems`, the list a test asserts empty; its other
// console lines in `logs`.
function watchPage(page) {
  const watch = {problems: [], logs: []};
  page.on('console', (message) => {
    if (message.type() === 'error') watch.problems.push(`console error: ${message.text()}`);
    else if (!message.type().startsWith('warn')) watch.logs.push(message.text());
  });
  page.on('pageerror', (error) => watch.problems.push(`uncaught: ${error.message}`));
  page.on('requestfailed', (request) => watch.problems.push(`request failed: ${request.url()}`));
  return watch;
}

// Runs in the page before any of its scripts. It only watches: it counts the
// animation frames the page asks for, notes every context-menu event and
// whether the page kept the menu shut, and taps the sound: every node that
// feeds an audio context's output also feeds an analyser the test can read.
function pageProbe() {
  const probe = {frames: 0, menus: [], contexts: [], taps: []};
  window.plombrixProbe = probe;
  const requestFrame = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => requestFrame((time) => {
    probe.frames += 1;
    callback(time);
  });
  // Listened to on the window, so every handler on the canvas has run.
  window.addEventListener('contextmenu', (event) => probe.menus.push(event.defaultPrevented));

  // Browsers keep a page's sound off until the person on it has pressed
  // something; headless Chromium under a test leaves that rule out (every
  // evaluation counts as a gesture), so the probe puts it back: until the
  // first real press or key an audio context starts suspended and does not
  // resume.
  const Context = window.AudioContext || window.webkitAudioContext;
  if (!Context) return;
  let pressed = false;
  for (const type of ['pointerdown', 'mousedown', 'keydown', 'touchend']) {
    window.addEventListener(type, (event) => {
      pressed = pressed || event.isTrusted;
    }, true);
  }
  window.AudioContext = window.webkitAudioContext = class extends Context {
    constructor(...options) {
      super(...options);
      probe.contexts.push(this);
      if (!pressed) super.suspend();
    }

    resume() {
      return pressed ? super.resume() : super.suspend();
    }
  };
  const connect = AudioNode.prototype.connect;
  AudioNode.prototype.connect = function (target, ...rest) {
    const result = connect.call(this, target, ...rest);
    if (target instanceof AudioDestinationNode) {
      let tap = probe.taps.find((t) => t.context === target.context);
      if (!tap) {
        tap = target.context.createAnalyser();
        tap.fftSize = 2048;
        // Pulled through a silent gain, so the analyser runs whatever the
        // browser does with nodes that lead nowhere.
        const silent = target.context.createGain();
        silent.gain.value = 0;
        connect.call(tap, silent);
        connect.call(silent, target);
        probe.taps.push(tap);
      }
      connect.call(this, tap);
    }
    return result;
  };
}

// Opens the game's page with the probe in place. The viewport is the page's
// size in CSS pixels; the canvas keeps its 1024 x 768 drawing buffer.
async function openGame(browser, url, {hasTouch = false} = {}) {
  const page = await browser.newPage();
  await page.setViewport({width: 1024, height: 768, hasTouch, deviceScaleFactor: 1});
  await page.evaluateOnNewDocument(pageProbe);
  const watch = watchPage(page);
  await page.goto(url);
  return {page, watch};
}

// The canvas as shown, one screenshot pixel a CSS pixel, decoded to RGBA;
// `clip` (canvas CSS pixels) takes a part of it.
async function canvasShot(page, clip) {
  const box = await page.$eval('#canvas', (canvas) => {
    const rect = canvas.getBoundingClientRect();
    return {x: rect.left, y: rect.top, width: rect.width, height: rect.height};
  });
  const area = clip ? {...clip, x: box.x + clip.x, y: box.y + clip.y} : box;
  return decodePng(Buffer.from(await page.screenshot({clip: area, type: 'png'})));
}

// Waits until the page has run `count` more animation frames. Polled on a
// timer: a poll on animation frames would count its own.
async function waitFrames(page, count, timeoutMs = 10000) {
  const target = (await page.evaluate(() => window.plombrixProbe.frames)) + count;
  await page.waitForFunction((n) => window.plombrixProbe.frames >= n, {timeout: timeoutMs, polling: 20}, target)
      .catch((error) => {
        throw new Error(`the game stopped drawing: fewer than ${count} frames in ${timeoutMs / 1000} s (${error.message})`);
      });
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Calls `probe` until it returns something other than undefined, every
// `intervalMs`, for at most `timeoutMs` but at least `tries` times (a probe
// that takes a screenshot gets slow on a busy machine); then returns that, or
// undefined.
async function poll(probe, {timeoutMs = 10000, intervalMs = 50, tries = 3} = {}) {
  const end = Date.now() + timeoutMs;
  for (let done = 1; ; ++done) {
    const value = await probe();
    if (value !== undefined) return value;
    if (Date.now() >= end && done >= tries) return undefined;
    await sleep(intervalMs);
  }
}

module.exports = {serveSite, launchBrowser, watchPage, openGame, canvasShot, waitFrames, poll, sleep};
