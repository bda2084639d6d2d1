// The web audio back end in headless Chromium, driven by real mouse presses:
// the output waits for the first press, the music then starts from its
// beginning, sounds reach the speakers at their level and soon after the call,
// broken files and missing Web Audio stay silent, and the console stays clean.
//
// The test listens to the output by itself: before the page runs, every
// connection to a context's destination also feeds an analyser of the test's.

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { serveSite, launchBrowser, sleep: pause } = require('../support/browser.js');

const probeDir = path.resolve(process.env.PLOMBRIX_AUDIO_PROBE || path.join(__dirname, '../../../build-web/tests/audio'));
const musicPath = './res/audio/Tolvaren_Drift2.mp3';
const clickLevel = 0.7, musicLevel = 0.45, toneAmplitude = 0.5;  // the bank's levels, the probe tone's peak
const queuedFrames = 2048;  // the back end's blocks in flight
// How far the context's clock and the analyser's picture may disagree: the
// output renders a few 128-frame quanta at a time, and more when it starts.
const clockSlack = 1024, startSlack = 2048;  // frames
let server, browser;

before(async () => {
  assert.ok(fs.existsSync(path.join(probeDir, 'audio-probe.js')), 'build the probe first: web/tests/run.sh does');
  server = await serveSite(probeDir);
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

// What the page's browser lacks: 'webAudio' (all of it), 'worklet' (as on a
// page served neither from https nor from localhost), or nothing.
function tapTheOutput(remove) {
  if (remove === 'webAudio') {
    delete window.AudioContext;
    delete window.webkitAudioContext;
  }
  if (remove === 'webAudio' || remove === 'worklet') {
    delete window.AudioWorkletNode;
    delete BaseAudioContext.prototype.audioWorklet;
  }
  window.audioTaps = [];
  const connect = AudioNode.prototype.connect;
  AudioNode.prototype.connect = function (target, ...rest) {
    const result = connect.call(this, target, ...rest);
    if (target instanceof AudioDestinationNode) {
      const analyser = this.context.createAnalyser();
      analyser.fftSize = 32768;
      connect.call(this, analyser);
      window.audioTaps.push({ context: this.context, analyser });
    }
    return result;
  };
  // The last frames that reached the destination, and the context's clock.
  window.heard = (frames) => {
    const { context, analyser } = window.audioTaps[0];
    const all = new Float32Array(analyser.fftSize);
    analyser.getFloatTimeDomainData(all);
    return { samples: all.subarray(all.length - frames), time: context.currentTime, rate: context.sampleRate };
  };
  window.peakOf = (samples) => samples.reduce((peak, s) => Math.max(peak, Math.abs(s)), 0);
}

// A page of the probe with every console message and page error collected.
// The test's own calls into the page are not user gestures: puppeteer's
// evaluate() would count as one and let the page start its audio unpressed.
async function openProbe({ query = '', remove = '' } = {}) {
  const page = await browser.newPage();
  const messages = [];
  page.on('console', (message) => messages.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => messages.push(`pageerror: ${error.message}`));
  await page.evaluateOnNewDocument(tapTheOutput, remove);
  const session = await page.createCDPSession();
  const inPage = async (fn, ...args) => {
    const { result, exceptionDetails } = await session.send('Runtime.evaluate', {
      expression: `(${fn})(...${JSON.stringify(args)})`, awaitPromise: true, returnByValue: true, userGesture: false,
    });
    if (exceptionDetails) throw new Error(`in the page: ${exceptionDetails.exception?.description}`);
    return result.value;
  };
  const until = async (fn, what, ms = 5000) => {
    for (const start = Date.now(); !(await inPage(fn)); await pause(20))
      assert.ok(Date.now() - start < ms, `${what} did not happen within ${ms} ms`);
  };
  await page.goto(`${server.url}index.html${query}`);
  await until(() => window.probeReady === true, 'the probe\'s start', 20000);
  const call = (name, ...args) =>
    inPage((name, args) => Module.ccall(name, 'number', args.map((a) => typeof a), args), name, args);
  return { page, messages, inPage, until, call };
}

test('the output waits for the first press, then plays the music from its beginning and the sounds at their level', async () => {
  const { page, messages, inPage, until, call } = await openProbe();
  const silentFor = async (ms) => {
    await pause(ms);
    return inPage(() => window.peakOf(window.heard(4096).samples));
  };
  assert.equal(await call('probe_opened'), 1, 'the page has Web Audio, yet the back end did not open');
  assert.equal(await call('probe_load_bank'), 38, 'some of the game\'s sounds did not load');
  await call('probe_music', musicPath);
  await until(() => window.audioTaps.length > 0, 'the output\'s connection');
  // The files decode meanwhile; without a press the output stays suspended.
  await pause(1500);
  assert.equal(await inPage(() => window.audioTaps[0].context.state), 'suspended', 'the output started unpressed');

  await page.mouse.click(300, 200);
  await until(() => window.audioTaps[0].context.state === 'running', 'the output\'s start after a press');
  // Soon after the press the output holds silence, the blocks mixed before
  // the track was decoded, then the track from its first frame at the
  // music's level: nothing of it played while the output waited.
  await pause(300);
  const start = await inPage(async (musicPath, musicLevel) => {
    const { samples, time, rate } = window.heard(32768);
    const first = samples.findIndex((s) => s !== 0);
    const track = await window.audioTaps[0].context.decodeAudioData(
      await (await fetch(musicPath.replace('./', '/'))).arrayBuffer()).catch(() => null);
    if (first < 0 || !track) return { heard: first >= 0, decoded: !!track };
    // The analyser hears both sides averaged. The track's first frames may
    // average to silence, so its opening is looked for a little way in.
    const left = track.getChannelData(0), right = track.getChannelData(track.numberOfChannels - 1);
    const compared = 1024, slack = 64;  // frames
    let best = { error: Infinity, skipped: -1 }, energy = 0;
    for (let skipped = 0; skipped < slack; ++skipped) {
      let error = 0;
      for (let i = 0; i < compared; ++i) {
        const d = samples[first + i] - musicLevel * 0.5 * (left[skipped + i] + right[skipped + i]);
        error += d * d;
      }
      if (error < best.error) best = { error, skipped };
    }
    for (let i = 0; i < compared; ++i) energy += samples[first + i] ** 2;
    return { heard: true, decoded: true, error: best.error / energy,
             onset: Math.round(time * rate) - (samples.length - first) };
  }, musicPath, musicLevel);
  assert.ok(start.decoded, 'the test could not decode the track');
  assert.ok(start.heard, 'no music after the press');
  assert.ok(start.error < 1e-4, `what plays first is not the track's opening at the music's level (relative error ${start.error})`);
  console.log(`music: first heard ${start.onset} output frames after the press`);
  assert.ok(start.onset >= -clockSlack && start.onset <= queuedFrames + startSlack,
    `the music began ${start.onset} frames after the press: more than the queue holds`);

  // A track that cannot be read leaves silence, not the old music.
  await call('probe_music', './res/audio/no-such-track.mp3');
  assert.equal(await silentFor(300), 0, 'the old music plays on');

  // A game sound reaches the output.
  await call('probe_play', 20);
  await pause(200);
  assert.ok((await inPage(() => window.peakOf(window.heard(8192).samples))) > 0.05, 'a click was not heard');

  // A header followed by junk and a missing file fail at once; a file the
  // browser refuses loads, and stays silent. Each replaces a game sound.
  assert.equal(await call('probe_load', 21, './res/audio/corrupt.wav'), 0, 'a corrupt file loaded');
  assert.equal(await call('probe_load', 22, './res/audio/missing.wav'), 0, 'a missing file loaded');
  assert.equal(await call('probe_load', 23, './res/audio/undecodable.wav'), 1, 'a wave file the header check should pass failed');
  await pause(500);
  for (const index of [21, 22, 23]) await call('probe_play', index);
  assert.equal(await silentFor(300), 0, 'a broken or missing sound was heard');

  // A tone of known peak, heard at the click level, and how long after the call.
  assert.equal(await call('probe_load', 24, './res/audio/tone.wav'), 1);
  await pause(300);
  const tone = await inPage(async () => {
    const { time: called } = window.heard(1);
    Module.ccall('probe_play', null, ['number'], [24]);
    for (let waited = 0; waited < 2000; waited += 2) {
      await new Promise((resolve) => setTimeout(resolve, 2));
      const { samples, time, rate } = window.heard(32768);
      const first = samples.findIndex((s) => s !== 0);
      if (first >= 0) {
        await new Promise((resolve) => setTimeout(resolve, 300));
        return { latency: time - (samples.length - first) / rate - called, rate,
                 peak: window.peakOf(window.heard(16384).samples) };
      }
    }
    return null;
  });
  assert.ok(tone, 'the tone was never heard');
  console.log(`tone: heard ${(tone.latency * 1000).toFixed(1)} ms after the call, peak ${tone.peak.toFixed(4)}`);
  assert.ok(Math.abs(tone.peak - toneAmplitude * clickLevel) < 0.01, `the tone peaks at ${tone.peak}, not at a click's level`);
  assert.ok(tone.latency * tone.rate <= queuedFrames + clockSlack,
    `the tone came ${tone.latency} s after the call: more than the queue holds`);

  assert.deepEqual(messages, [], 'the page printed to its console');
  await page.close();
});

test('without Web Audio, without AudioWorklet, or with a worklet script that does not load, nothing reaches the ' +
     'speakers and the console stays quiet', async () => {
  for (const [what, options, opens, loads] of [['without Web Audio', { remove: 'webAudio' }, 0, 0],
    ['without AudioWorklet', { remove: 'worklet' }, 0, 0], ['with a worklet that does not load', { query: '?worklet=index.html' }, 1, 38]]) {
    const { page, messages, inPage, call } = await openProbe(options);
    assert.equal(await call('probe_opened'), opens, `the back end ${opens ? 'did not open' : 'opened'} ${what}`);
    assert.equal(await call('probe_load_bank'), loads, `${loads} of the 38 sounds should load ${what}`);
    await call('probe_music', musicPath);
    await page.mouse.click(300, 200);
    await call('probe_play', 20);
    await pause(1000);
    assert.equal(await inPage(() => window.audioTaps.length), 0, `something reached the speakers ${what}`);
    assert.deepEqual(messages, [], `the page printed to its console ${what}`);
    await page.close();
  }
});
