// The web audio back end in headless Chromium, driven by real mouse presses:
// the output waits for the first press, the music then starts from its
// beginning, sounds reach the speakers at their level and soon after the call,
// broken files and missing Web Audio stay silent, and the console stays clean.
// run-audio-probe.sh builds the probe page first.
//
// The test listens to the output by itself: before the page runs, every
// connection to a context's destination also feeds an analyser of the test's.

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const probeDir = path.resolve(process.env.PLOMBRIX_AUDIO_PROBE || path.join(__dirname, '../../../build-web/tests/audio'));
const chromiumArgs = ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
  '--disable-quic'];
const musicPath = './res/audio/Tolvaren_Drift2.mp3';
const clickLevel = 0.7, musicLevel = 0.45, toneAmplitude = 0.5;  // the bank's levels, the probe tone's peak
const queuedFrames = 2048;  // the back end's blocks in flight
// How far the context's clock and the analyser's picture may disagree: the
// output renders a few 128-frame quanta at a time, and more when it starts.
const clockSlack = 1024, startSlack = 2048;  // frames

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
let server, browser, origin;

before(async () => {
  assert.ok(fs.existsSync(path.join(probeDir, 'audio-probe.js')), 'build the probe first: web/tests/run.sh does');
  server = http.createServer((request, response) => {
    const file = path.join(probeDir, new URL(request.url, 'http://x').pathname);
    if (!file.startsWith(probeDir) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    response.end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  origin = `http://127.0.0.1:${server.address().port}`;
  browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, args: chromiumArgs });
});

after(async () => {
  await browser?.close();
  server?.close();
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

const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

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
  await page.goto(`${origin}/index.html${query}`);
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

test('without Web Audio or without AudioWorklet the back end stays closed and plays nothing, quietly', async () => {
  for (const remove of ['webAudio', 'worklet']) {
    const { page, messages, inPage, call } = await openProbe({ remove });
    assert.equal(await call('probe_opened'), 0, `the back end opened without ${remove}`);
    assert.equal(await call('probe_load_bank'), 0, `sounds loaded without ${remove}`);
    await call('probe_music', musicPath);
    await page.mouse.click(300, 200);
    await call('probe_play', 20);
    await pause(300);
    assert.equal(await inPage(() => window.audioTaps.length), 0, `something reached the speakers without ${remove}`);
    assert.deepEqual(messages, [], `the page printed to its console without ${remove}`);
    await page.close();
  }
});

test('a worklet script that does not load leaves silence and a quiet console', async () => {
  const { page, messages, inPage, call } = await openProbe({ query: '?worklet=index.html' });
  assert.equal(await call('probe_opened'), 1);
  assert.equal(await call('probe_load_bank'), 38);
  await call('probe_music', musicPath);
  await page.mouse.click(300, 200);
  await call('probe_play', 20);
  await pause(1000);
  assert.equal(await inPage(() => window.audioTaps.length), 0, 'something reached the speakers');
  assert.deepEqual(messages, [], 'the page printed to its console');
  await page.close();
});
