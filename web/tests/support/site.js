// Sites for the browser tests: the built one, or a copy of it whose packed
// files differ (a picture missing, a font broken, a picture recoloured),
// packed again by emscripten's own packer as the build packs them, so the game
// meets exactly what it would meet had the asset tree been so at build time.
'use strict';

const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

// What the build's packing step writes beside the game (web/CMakeLists.txt).
const kPackage = 'plombrix.data';
const kPackageLoader = 'plombrix-data.js';
const kPackedFolders = ['images', 'audio', 'fonts'];

function filePackager() {
  if (process.env.PLOMBRIX_FILE_PACKAGER) return process.env.PLOMBRIX_FILE_PACKAGER;
  const root = execFileSync('em-config', ['EMSCRIPTEN_ROOT'], {encoding: 'utf8'}).trim();
  return path.join(root, 'tools', 'file_packager.py');
}

function filesUnder(folder, prefix = '') {
  return fs.readdirSync(folder, {withFileTypes: true}).flatMap((entry) =>
    (entry.isDirectory() ? filesUnder(path.join(folder, entry.name), `${prefix}${entry.name}/`)
      : [`${prefix}${entry.name}`]));
}

// A copy of `site` whose package holds the asset tree `res` with the files
// named in `without` left out and those in `replaced` (path -> bytes) put in
// their place; paths are relative to res/, as "images/titlescreen.tga".
// Returns {root, remove}.
function makeSiteVariant({site, res, without = [], replaced = {}}) {
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'plombrix-site-'));
  const root = path.join(scratch, 'site');
  fs.mkdirSync(root);
  for (const name of fs.readdirSync(site)) {
    if (name !== kPackage && name !== kPackageLoader) fs.symlinkSync(path.resolve(site, name), path.join(root, name));
  }
  const tree = path.join(scratch, 'res');
  for (const folder of kPackedFolders) {
    for (const name of filesUnder(path.join(res, folder), `${folder}/`)) {
      if (without.includes(name) || name in replaced) continue;
      fs.mkdirSync(path.dirname(path.join(tree, name)), {recursive: true});
      fs.symlinkSync(path.resolve(res, name), path.join(tree, name));
    }
  }
  for (const [name, bytes] of Object.entries(replaced)) {
    fs.mkdirSync(path.dirname(path.join(tree, name)), {recursive: true});
    fs.writeFileSync(path.join(tree, name), bytes);
  }
  for (const folder of kPackedFolders) fs.mkdirSync(path.join(tree, folder), {recursive: true});
  execFileSync('python3', [filePackager(), kPackage, '--no-node', '--preload',
    ...kPackedFolders.map((folder) => `${path.join(tree, folder)}@/res/${folder}`),
    `--js-output=${kPackageLoader}`], {cwd: root, stdio: ['ignore', 'ignore', 'pipe']});
  return {root, remove: () => fs.rmSync(scratch, {recursive: true, force: true})};
}

module.exports = {makeSiteVariant};
