// What every browser test needs: the site served on the loopback interface,
// Debian's Chromium started headless with WebGL on the software rasteriser,
// and a record of everything the page reported as going wrong.
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const kChromium = process.env.PLOMBRIX_CHROMIUM || '/usr/bin/chromium';
// Without the background services Chromium keeps trying this machine's closed
// network; SwiftShader gives WebGL without a GPU.
const kChromiumFlags = [
  '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic',
  '--disable-default-apps', '--mute-audio',
];
const kTypes = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.png': 'image/png', '.txt': 'text/plain; charset=utf-8',
};

// Serves a folder as any static host would; `hide` names files to answer
// with 404, to play a site with a file missing.
function serveSite(root, {hide = []} = {}) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(root, name === '/' ? 'index.html' : name);
    if (!file.startsWith(path.resolve(root)) || hide.includes(path.basename(file)) || !fs.existsSync(file) ||
        fs.statSync(file).isDirectory()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream'});
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({url: `http://127.0.0.1:${server.address().port}/`, close: () => new Promise((r) => server.close(r))});
    });
  });
}

async function launchBrowser({extraFlags = []} = {}) {
  return puppeteer.launch({
    executablePath: kChromium,
    headless: true,
    args: [...kChromiumFlags, ...extraFlags],
    userDataDir: fs.mkdtempSync(path.join(require('node:os').tmpdir(), 'plombrix-chromium-')),
  });
}

// Everything the page says went wrong: console errors, uncaught exceptions,
// failed loads. `problems` is the list a test asserts empty.
function watchPage(page) {
  const watch = {problems: [], logs: [], warnings: []};
  page.on('console', (message) => {
    const text = message.text();
    if (message.type() === 'error') watch.problems.push(`console error: ${text}`);
    else if (message.type() === 'warn' || message.type() === 'warning') watch.warnings.push(text);
    else watch.logs.push(text);
  });
  page.on('pageerror', (error) => watch.problems.push(`uncaught: ${error.message}`));
  page.on('requestfailed', (request) => watch.problems.push(`request failed: ${request.url()}`));
  return watch;
}

function sleep(ms) {
  return new Promise((resolve) => setTimeout(resolve, ms));
}

module.exports = {serveSite, launchBrowser, watchPage, sleep};
