// The browser's GL 1.x layer held to Mesa: every conformance case drawn by the
// desktop runner with Mesa's OpenGL (the reference) and by the browser runner
// through the layer in headless Chromium, compared picture by picture and
// state check by state check. One page load draws all cases.
//
//   PLOMBRIX_GL_REFERENCE  the desktop runner's output folder
//   PLOMBRIX_GL_CASES_PAGE the web build's gl-cases folder (page and program)
//
// For a failing case, the browser's picture is written beside the page
// (drawn/<case>.png) with a map of the differences (drawn/<case>.difference.png).
'use strict';

const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const {describe, test, before, after} = require('node:test');

const {serveSite, launchBrowser, watchPage} = require('../support/browser.js');
const {encodePng} = require('../support/png.js');
const {comparePictures, kNoiseLevels} = require('../support/pictureDifference.js');

// Shares of a case's pixels. Differing pixels are those no edge shift or
// filtering explains; a wrong picture has thousands. Edge pixels are bounded
// too, so a picture drawn a pixel off everywhere does not pass as "edges".
// Measured on a correct layer: at most 0.003% differing (glyph edges of
// minified text) and 0.08% edges.
const kMaxDifferingShare = 0.0002;
const kMaxEdgeShare = 0.002;
// A float state answer read back through the same single-precision value.
const kCheckTolerance = 1e-5;
const kDrawTimeoutMs = 60000;

const referenceFolder = process.env.PLOMBRIX_GL_REFERENCE;
const pageFolder = process.env.PLOMBRIX_GL_CASES_PAGE;
if (!referenceFolder || !pageFolder) throw new Error('set PLOMBRIX_GL_REFERENCE and PLOMBRIX_GL_CASES_PAGE (run.sh does)');
const caseNames = fs.readFileSync(path.join(referenceFolder, 'cases.txt'), 'utf8').split('\n').filter(Boolean);
const drawnFolder = path.join(pageFolder, 'drawn');

const parseChecks = (text) => text.split('\n').filter(Boolean).map((line) => {
  const [what, answer, expected] = line.split('\t');
  return {what, answer: Number(answer), expected: Number(expected)};
});

// The desktop's binary PPM: "P6 <width> <height> 255", then RGB rows top first.
function readPpm(file) {
  const bytes = fs.readFileSync(file);
  const header = /^P6\s(\d+) (\d+)\s255\s/.exec(bytes.toString('latin1', 0, 32));
  return {width: Number(header[1]), height: Number(header[2]), rgb: bytes.subarray(header[0].length)};
}

// Runs in the page: one case's pixels, gzipped and in base64, to keep what
// crosses to the test small.
async function packCase(index) {
  const drawnCase = Module.glCases[index];
  const stream = new Blob([drawnCase.pixels]).stream().pipeThrough(new CompressionStream('gzip'));
  const packed = new Uint8Array(await new Response(stream).arrayBuffer());
  let text = '';
  for (let i = 0; i < packed.length; i += 0x8000) text += String.fromCharCode(...packed.subarray(i, i + 0x8000));
  const {name, width, height, checks} = drawnCase;
  return {name, width, height, checks, gzip: btoa(text)};
}

const percent = (share) => `${(100 * share).toFixed(3)}%`;

describe('the GL layer draws what Mesa draws', () => {
  const drawn = new Map();
  let site;
  let browser;
  let watch;
  let finished;

  before(async () => {
    fs.mkdirSync(drawnFolder, {recursive: true});
    site = await serveSite(pageFolder);
    browser = await launchBrowser();
    const page = await browser.newPage();
    watch = watchPage(page);
    await page.goto(`${site.url}gl_cases.html`);
    await page.waitForFunction(() => window.Module && Module.glCasesFinished, {timeout: kDrawTimeoutMs});
    finished = await page.evaluate(() => Module.glCasesFinished);
    const count = await page.evaluate(() => Module.glCases.length);
    for (let i = 0; i < count; i++) {
      const packed = await page.evaluate(packCase, i);
      drawn.set(packed.name, {...packed, rgb: zlib.gunzipSync(Buffer.from(packed.gzip, 'base64')),
        checks: parseChecks(packed.checks)});
    }
  });

  after(async () => {
    await browser?.close();
    await site?.close();
  });

  test('the page draws every case the desktop drew, without a problem', () => {
    assert.strictEqual(finished, 'drawn', 'the page never finished drawing the cases');
    assert.deepStrictEqual(watch.problems, []);
    assert.deepStrictEqual([...drawn.keys()], caseNames);
  });

  for (const name of caseNames) {
    test(name, (t) => {
      const layer = drawn.get(name);
      assert.ok(layer, `the browser drew no case ${name}`);
      const mesa = readPpm(path.join(referenceFolder, `${name}.ppm`));
      assert.deepStrictEqual([layer.width, layer.height], [mesa.width, mesa.height]);
      const {width, height} = mesa;
      const result = comparePictures(mesa.rgb, layer.rgb, width, height);
      t.diagnostic(`differing ${percent(result.differingShare)} (up to ${result.largestDiffering} levels), edges ` +
                   `${percent(result.edgeShare)}, largest difference ${result.largest} (noise: ${kNoiseLevels})`);
      const wrong = result.differingShare > kMaxDifferingShare || result.edgeShare > kMaxEdgeShare;
      if (wrong) {
        fs.writeFileSync(path.join(drawnFolder, `${name}.png`), encodePng({width, height, data: layer.rgb}));
        fs.writeFileSync(path.join(drawnFolder, `${name}.difference.png`), encodePng({width, height, data: result.map}));
      }
      assert.ok(!wrong, `the layer draws ${name} unlike Mesa: ${percent(result.differingShare)} of the pixels ` +
                        `differ (up to ${result.largestDiffering} levels), ${percent(result.edgeShare)} are edges ` +
                        `drawn a pixel off; see ${drawnFolder}/${name}.difference.png`);

      // Every state answer: the layer's, Mesa's and GL's documented one agree.
      const mesaChecks = parseChecks(fs.readFileSync(path.join(referenceFolder, `${name}.checks`), 'utf8'));
      assert.deepStrictEqual(layer.checks.map((c) => c.what), mesaChecks.map((c) => c.what));
      mesaChecks.forEach((expected, i) => {
        const got = layer.checks[i];
        assert.ok(Math.abs(got.answer - expected.answer) <= kCheckTolerance &&
                  Math.abs(got.answer - got.expected) <= kCheckTolerance,
        `${name}: "${got.what}": the layer answers ${got.answer}, Mesa ${expected.answer}, GL says ${got.expected}`);
      });
    });
  }
});
