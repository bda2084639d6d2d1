// What a player sees when the browser or the site lets the game down: a
// browser without WebGL gets a plain message instead of a blank canvas; a
// missing or broken picture is drawn as a plain square and the game goes on,
// as on the desktop; a game without its font, or whose files never arrive,
// says why in the page.
'use strict';

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const {after, before, describe, it} = require('node:test');
const assert = require('node:assert/strict');

const {serveSite, launchBrowser, openGame, canvasShot, poll} = require('../support/browser');
const {kSite, kRes, kStomach, samePicture, readAsset, checkInputs, assertCleanConsole} = require('../support/game');
const {difference, describeDifference} = require('../support/pictures');
const {makeSiteVariant} = require('../support/site');
const {readTga} = require('../support/tga');

async function shownMessage(page) {
  const handle = await page.waitForSelector('#message:not([hidden])', {timeout: 20000}).catch(() => null);
  return handle && page.evaluate(() => ({
    text: document.getElementById('message').textContent,
    canvasShown: !document.getElementById('canvas').hidden,
  }));
}

// The share of the canvas that is plain white, the colour of a square
// without its picture.
function whiteShare(shot) {
  let white = 0;
  for (let i = 0; i < shot.data.length; i += 4) white += shot.data[i] > 250 && shot.data[i + 1] > 250 && shot.data[i + 2] > 250;
  return white / (shot.width * shot.height);
}

describe('Plombrix! in the browser when something is missing', () => {
  let browser;
  const sites = [];

  before(async () => {
    checkInputs();
    browser = await launchBrowser();
  });

  after(async () => {
    await browser?.close();
    for (const {site, variant} of sites) {
      await site.close();
      variant.remove();
    }
  });

  // The game's page on a site built from an asset tree so changed.
  async function openVariant(change) {
    const variant = makeSiteVariant({site: kSite, res: kRes, ...change});
    const site = await serveSite(variant.root);
    sites.push({site, variant});
    return openGame(browser, site.url);
  }

  it('tells a browser without WebGL so in the page instead of showing a blank canvas', async () => {
    const site = await serveSite(kSite);
    const noWebGl = await launchBrowser({extraFlags: ['--disable-webgl', '--disable-3d-apis']});
    try {
      const {page, watch} = await openGame(noWebGl, site.url);
      const message = await shownMessage(page);
      assert.ok(message, 'without WebGL the page shows no message');
      assert.match(message.text, /WebGL/, `without WebGL the page says "${message.text}"`);
      assert.equal(message.canvasShown, false, 'without WebGL the blank canvas is still shown');
      assertCleanConsole(watch);
    } finally {
      await noWebGl.close();
      await site.close();
    }
  });

  it('draws a missing or unreadable picture as a plain square and plays on', async () => {
    const {page, watch} = await openVariant({
      without: ['images/titlescreen.tga'],
      replaced: {'images/instructions.tga': Buffer.from('this is not a picture\n'.repeat(50))},
    });
    for (const [screen, file] of [['title', 'titlescreen'], ['instructions', 'instructions']]) {
      let shot;
      const plain = await poll(async () => {
        shot = await canvasShot(page);
        return whiteShare(shot) > 0.99 ? true : undefined;
      }, {timeoutMs: screen === 'title' ? 30000 : 5000, intervalMs: 100});
      assert.ok(plain, `without its picture, the ${screen} screen is not a plain white square ` +
        `(${(100 * whiteShare(shot)).toFixed(1)} % white)`);
      const line = `Loading texture ./res/images/${file}.tga...Error: Cannot read file.`;
      assert.ok(watch.logs.includes(line), `the console does not say "${line}"`);
      await page.mouse.click(512, 384);
    }
    // Play goes on over the real background picture, drawn 1:1 from its file.
    const background = readTga(readAsset('images/background.tga'));
    const chart = {x: 760, y: 420, width: 250, height: 320};
    let measured;
    const playing = await poll(async () => {
      measured = difference(await canvasShot(page), background, chart);
      return samePicture(measured) ? true : undefined;
    }, {timeoutMs: 5000});
    assert.ok(playing, `after two presses the playing screen does not show its background: ${describeDifference(measured)}`);
    const bubbles = await poll(async () => {
      const covered = difference(await canvasShot(page), background, kStomach).share;
      return covered > 0.2 ? covered : undefined;
    }, {timeoutMs: 15000, intervalMs: 200});
    assert.ok(bubbles, 'no bubbles came after the pictures went missing');
    assertCleanConsole(watch);
  });

  it('says in the page that the game could not start without its font', async () => {
    const {page, watch} = await openVariant({without: ['fonts/Cookies.ttf']});
    const message = await shownMessage(page);
    assert.ok(message, 'without its font the game shows no message in the page');
    assert.equal(message.text,
      'Plombrix! could not start: FT_New_Face failed (there is probably a problem with your font file)');
    assert.equal(message.canvasShown, false, 'without its font the canvas is still shown');
    assertCleanConsole(watch);
  });

  it('says in the page that the game could not be loaded when its packed files never arrive', async () => {
    const root = fs.mkdtempSync(path.join(os.tmpdir(), 'plombrix-site-'));
    for (const name of fs.readdirSync(kSite)) {
      if (name !== 'plombrix.data') fs.symlinkSync(path.resolve(kSite, name), path.join(root, name));
    }
    const site = await serveSite(root);
    sites.push({site, variant: {remove: () => fs.rmSync(root, {recursive: true, force: true})}});
    const {page} = await openGame(browser, site.url);
    const message = await shownMessage(page);
    assert.ok(message, 'without its packed files the page shows no message');
    assert.match(message.text, /^Plombrix! could not be loaded/);
    assert.equal(message.canvasShown, false, 'without its packed files the blank canvas is still shown');
  });
});
