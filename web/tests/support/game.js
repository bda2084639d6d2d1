// Where the browser tests find what they test, and what they share about
// the game: the built site, the desktop build with its generated assets, and
// the places on the screen a player looks at.
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const assert = require('node:assert/strict');

const kRoot = path.resolve(__dirname, '../../..');
// The site scripts/web.sh assembles, and the desktop build whose generated
// assets it packed (scripts/web.sh packs build/res).
const kSite = path.resolve(process.env.PLOMBRIX_SITE || path.join(kRoot, 'build-web/site'));
const kDesktopBuild = path.resolve(process.env.PLOMBRIX_DESKTOP_BUILD || path.join(kRoot, 'build'));
const kRes = path.join(kDesktopBuild, 'res');

// How far two renderings of one picture may differ (SwiftShader against
// Mesa's llvmpipe: a texel's rounding here and there), as measured by
// pictures.difference; a wrong, moved, flipped or recoloured picture differs
// far more.
const kSamePicture = {mean: 4, share: 0.01};

function samePicture(measured) {
  return measured.mean <= kSamePicture.mean && measured.share <= kSamePicture.share;
}

// The stomach, where the bubbles live: world x -3.43..1.12 above the floor,
// with room above it where new bubbles drop in.
const kStomach = {x: 80, y: 20, width: 570, height: 690};

function readAsset(name) {
  return fs.readFileSync(path.join(kRes, name));
}

function checkInputs() {
  for (const [what, file] of [['the site', path.join(kSite, 'index.html')],
    ['the desktop game', path.join(kDesktopBuild, 'plombrix')],
    ['its generated assets', path.join(kRes, 'images/titlescreen.tga')]]) {
    assert.ok(fs.existsSync(file), `${what} is missing (${file}); build it first (scripts/web.sh)`);
  }
}

// Fails with everything the page reported as going wrong.
function assertCleanConsole(watch) {
  assert.deepEqual(watch.problems, [], `the page reported problems:\n  ${watch.problems.join('\n  ')}`);
}

// The lines the game printed for right-button drags, as world positions.
function pointerLines(logs) {
  return logs.flatMap((line) => {
    const match = /^mouse: x: (-?\d+\.\d{6}), y: (-?\d+\.\d{6})$/.exec(line);
    return match ? [{text: line, x: Number(match[1]), y: Number(match[2])}] : [];
  });
}

module.exports = {
  kSite, kDesktopBuild, kRes, kStomach, samePicture, readAsset, checkInputs, assertCleanConsole, pointerLines,
};
