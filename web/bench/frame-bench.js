#!/usr/bin/env node
// The browser build's speed and size, measured beside the desktop build in one
// run on this machine's software renderers (Mesa's llvmpipe for the desktop,
// SwiftShader for headless Chromium):
//   - the playing frame of the same scene (bench/FrameScene) in the browser and
//     on the desktop, and their ratio;
//   - the page's first title frame after navigation from a local server;
//   - the site's size compressed as a web server sends it (gzip).
// Run after scripts/web.sh and a desktop build with benchmarks:
//   node web/bench/frame-bench.js --site build-web/site --bench-page build-web/bench \
//     --desktop-bench build/bench/plombrix_bench
'use strict';

const childProcess = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const {serveSite, launchBrowser, sleep} = require('../tests/support/browser.js');

function argument(name, fallback) {
  const at = process.argv.indexOf(`--${name}`);
  return at >= 0 ? process.argv[at + 1] : fallback;
}

const root = path.resolve(__dirname, '../..');
const site = path.resolve(argument('site', path.join(root, 'build-web/site')));
const benchPage = path.resolve(argument('bench-page', path.join(root, 'build-web/bench')));
const desktopBench = path.resolve(argument('desktop-bench', path.join(root, 'build/bench/plombrix_bench')));
const runs = Number(argument('runs', '3'));

async function webFrame(browser) {
  const server = await serveSite(benchPage);
  try {
    const page = await browser.newPage();
    await page.setViewport({width: 1024, height: 768});
    await page.goto(server.url);
    await page.waitForFunction(() => window.plombrixBench !== undefined, {timeout: 120000, polling: 200});
    const result = await page.evaluate(() => window.plombrixBench);
    await page.close();
    if (result.error) throw new Error(result.error);
    return result;
  } finally {
    await server.close();
  }
}

// The first frame of the title: the first draw the page makes, then the
// animation frame that shows it.
async function firstTitleFrame(browser) {
  const server = await serveSite(site);
  try {
    const page = await browser.newPage();
    await page.setViewport({width: 1024, height: 768});
    await page.evaluateOnNewDocument(() => {
      const patch = (prototype) => {
        const draw = prototype.drawElements;
        prototype.drawElements = function (...args) {
          if (window.firstDrawAt === undefined) {
            window.firstDrawAt = performance.now();
            requestAnimationFrame(() => { window.firstFrameShownAt = performance.now(); });
          }
          return draw.apply(this, args);
        };
      };
      patch(WebGLRenderingContext.prototype);
      if (window.WebGL2RenderingContext) patch(WebGL2RenderingContext.prototype);
    });
    await page.goto(server.url);
    await page.waitForFunction(() => window.firstFrameShownAt !== undefined, {timeout: 30000, polling: 20});
    const shownAt = await page.evaluate(() => window.firstFrameShownAt);
    await page.close();
    return shownAt;  // milliseconds since navigation started
  } finally {
    await server.close();
  }
}

// The desktop's own benchmark of the same scene, under a virtual X server;
// its figures go to a file, apart from what the game prints as it loads.
function desktopFrame() {
  const out = path.join(fs.mkdtempSync(path.join(require('node:os').tmpdir(), 'plombrix-bench-')), 'frame.json');
  childProcess.execFileSync('xvfb-run', [
    '-a', '-s', '-screen 0 1280x1024x24', desktopBench, '--benchmark_filter=^BM_PlayingFrame/',
    `--benchmark_out=${out}`, '--benchmark_out_format=json'], {stdio: 'ignore'});
  const json = JSON.parse(fs.readFileSync(out, 'utf8'));
  fs.rmSync(path.dirname(out), {recursive: true, force: true});
  return json.benchmarks[0].ms_per_frame;
}

function siteSize() {
  let raw = 0, gzipped = 0;
  for (const name of fs.readdirSync(site)) {
    const bytes = fs.readFileSync(path.join(site, name));
    raw += bytes.length;
    gzipped += zlib.gzipSync(bytes, {level: 9}).length;
  }
  return {raw, gzipped};
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

(async () => {
  const browser = await launchBrowser();
  try {
    const web = [], desktop = [], first = [];
    for (let run = 0; run < runs; run++) {
      web.push(await webFrame(browser));
      desktop.push(desktopFrame());
      first.push(await firstTitleFrame(browser));
      await sleep(200);
    }
    const webMs = median(web.map((r) => r.frameMs));
    const desktopMs = median(desktop);
    const size = siteSize();
    const scene = web[0];
    console.log(`scene: ${scene.bubbles} bubbles, ${scene.bursts} bursts, ${scene.puffs} puffs, ${scene.texts} texts; ` +
                `${scene.drawsPerFrame} WebGL draws a frame`);
    console.log(`web frame      ${webMs.toFixed(2)} ms (runs: ${web.map((r) => r.frameMs.toFixed(2)).join(', ')}; ` +
                `read-back ${web[0].readBackMs.toFixed(2)} ms taken off; animation frame every ` +
                `${median(web.map((r) => r.animationFrameMs)).toFixed(2)} ms)`);
    console.log(`desktop frame  ${desktopMs.toFixed(2)} ms (runs: ${desktop.map((v) => v.toFixed(2)).join(', ')})`);
    console.log(`ratio          ${(webMs / desktopMs).toFixed(2)} x (goal: at most 2.0)`);
    console.log(`first title frame ${median(first).toFixed(0)} ms after navigation (runs: ` +
                `${first.map((v) => v.toFixed(0)).join(', ')}; goal: at most 3000)`);
    console.log(`site           ${(size.gzipped / 1e6).toFixed(2)} MB gzipped, ${(size.raw / 1e6).toFixed(2)} MB raw ` +
                `(goal: at most 4 MB compressed)`);
  } finally {
    await browser.close();
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
