// The game's sound in the browser: silent until the player's first press,
// as browsers demand, then the music reaches the speakers.
'use strict';

const {describe, it} = require('node:test');
const assert = require('node:assert/strict');

const {serveSite, launchBrowser, openGame, canvasShot, poll} = require('../support/browser');
const {kSite, samePicture, readAsset, checkInputs, assertCleanConsole} = require('../support/game');
const {difference} = require('../support/pictures');
const {readTga} = require('../support/tga');

// Music at any audible level moves the samples by far more than this.
const kSilence = 1e-3;

describe('Plombrix! sound in the browser', () => {
  it('keeps its audio suspended until the first press, then plays the music', async () => {
    checkInputs();
    const site = await serveSite(kSite);
    // The page's probe holds the sound until the first press, as a browser
    // with a person in front of it does.
    const browser = await launchBrowser();
    try {
      const {page, watch} = await openGame(browser, site.url);
      const title = readTga(readAsset('images/titlescreen.tga'));
      const shown = await poll(async () => {
        const measured = difference(await canvasShot(page), title);
        return samePicture(measured) ? true : undefined;
      }, {timeoutMs: 30000, intervalMs: 200});
      assert.ok(shown, 'the title screen never showed');
      const loudness = () => page.evaluate(() => {
        const probe = window.plombrixProbe;
        let peak = 0;
        for (const tap of probe.taps) {
          const samples = new Float32Array(tap.fftSize);
          tap.getFloatTimeDomainData(samples);
          for (const sample of samples) peak = Math.max(peak, Math.abs(sample));
        }
        return {states: probe.contexts.map((context) => context.state), peak};
      });

      const before = await loudness();
      assert.ok(before.states.length > 0, 'the game made no audio context at start-up, so the music ' +
        'cannot start with the first press');
      assert.deepEqual(before.states.filter((s) => s !== 'suspended'), [],
        `before any press the game's audio is ${before.states.join(', ')}, not waiting for the player`);

      await page.mouse.click(512, 384);
      let after;
      const playing = await poll(async () => {
        after = await loudness();
        return after.states.includes('running') && after.peak > kSilence ? true : undefined;
      }, {timeoutMs: 5000, intervalMs: 100});
      assert.ok(playing, `after the first press the audio is ${after.states.join(', ') || 'missing'} ` +
        `and the loudest sample reaching the output is ${after.peak.toFixed(5)}: no music`);
      assertCleanConsole(watch);
    } finally {
      await browser.close();
      await site.close();
    }
  });
});
