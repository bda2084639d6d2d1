// The browser's GLUT (web/glut) as a GLUT program meets it. The probe
// (GlutProbe.cpp) records every callback it gets; these cases drive its page
// in headless Chromium with real input (puppeteer's mouse, keyboard and touch
// screen, through the browser's own input handling) and check what a GLUT
// program relies on. One page load for all of them, in order.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const {describe, it, before, after} = require('node:test');
const {serveSite, launchBrowser, watchPage, sleep} = require('../support/browser.js');

const kProbeDir = path.resolve(process.env.PLOMBRIX_GLUT_PROBE || path.join(__dirname, '../../../build-web/tests/glut'));
// Wider and taller than the window, so a pointer can leave it and the page
// can scroll; touch on, so the same page takes a tap.
const kViewport = {width: 1280, height: 900, hasTouch: true};
const kWidth = 1024;  // pixels, what the probe asks glutInitWindowSize for
const kHeight = 768;
const kHiddenFrames = 10;  // animation frames the page stays hidden for
const kScrollStillFrames = 5;  // animation frames without a scroll that mean the page is at rest
const kScrollMaxFrames = 120;
const GLUT = {SHIFT: 1, CTRL: 2, ALT: 4, KEY_F1: 1, KEY_LEFT: 100, KEY_DOWN: 103, KEY_PAGE_DOWN: 105, KEY_CTRL_L: 0x72};

// A call as a GLUT programmer would write it: mouse(0, GLUT_DOWN, 400, 250),
// or a key call without the pointer's position: keyboard(97).
function shown(call, withPosition = true) {
  const args = withPosition ? [...call.args] : call.args.slice(0, 1);
  if (call.callback === 'mouse') args[1] = ['GLUT_DOWN', 'GLUT_UP'][args[1]] ?? args[1];
  return `${call.callback}(${args.join(', ')})`;
}

function expectCalls(calls, expected, why, withPosition = true) {
  const got = calls.map((call) => shown(call, withPosition));
  if (JSON.stringify(got) !== JSON.stringify(expected)) {
    assert.fail(`${why}\n    expected: ${expected.join(', ') || 'no call'}\n    got:      ${got.join(', ') || 'no call'}`);
  }
}

describe('the browser GLUT, driven by real input', () => {
  let browser;
  let server;
  let page;
  let watch;

  before(async () => {
    assert.ok(fs.existsSync(path.join(kProbeDir, 'glut-probe.js')), `no GLUT probe in ${kProbeDir}: run.sh builds it`);
    server = await serveSite(kProbeDir);
    browser = await launchBrowser();
    page = await browser.newPage();
    await page.setViewport(kViewport);
    watch = watchPage(page);
    await page.goto(server.url);
    await page.waitForFunction(() => window.glutCalls.some((call) => call.callback === 'display'),
                               {timeout: 20000, polling: 20});
  });

  after(async () => {
    await browser?.close();
    await server?.close();
  });

  // Where window pixel (x, y) is on the page, however the canvas is shown.
  async function pagePoint(x, y) {
    const box = await page.$eval('#canvas', (canvas) => {
      const rect = canvas.getBoundingClientRect();
      return {left: rect.left, top: rect.top, sx: rect.width / canvas.width, sy: rect.height / canvas.height};
    });
    return {x: box.left + x * box.sx, y: box.top + y * box.sy};
  }

  async function moveTo(x, y) {
    const at = await pagePoint(x, y);
    await page.mouse.move(at.x, at.y);
  }

  const click = async (button = 'left') => {
    await page.mouse.down({button});
    await page.mouse.up({button});
  };
  const displays = () => page.evaluate(() => window.glutCalls.filter((call) => call.callback === 'display').length);
  const pageEventCount = () => page.evaluate(() => window.pageEvents.length);

  // The input callbacks that `action` brought about. An event is handled
  // before the animation frame that follows it, so one frame is enough.
  async function inputCalls(action) {
    const from = await page.evaluate(() => window.glutCalls.length);
    await action();
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => resolve())));
    return page.evaluate((start) => window.glutCalls.slice(start).filter(
        (call) => call.callback !== 'display' && call.callback !== 'idle'), from);
  }

  // How far `action` scrolled the page once it came to rest (the browser
  // scrolls smoothly, over several frames); the page is put back after, so
  // the cases after it still find the window where it was.
  async function scrolledBy(action) {
    const atRest = () => page.evaluate(async (stillFrames, maxFrames) => {
      let last = window.scrollY;
      for (let frame = 0, still = 0; frame < maxFrames && still < stillFrames; frame++) {
        await new Promise((resolve) => requestAnimationFrame(() => resolve()));
        still = window.scrollY === last ? still + 1 : 0;
        last = window.scrollY;
      }
      return last;
    }, kScrollStillFrames, kScrollMaxFrames);
    try {
      await action();
      return await atRest();
    } finally {
      await atRest();
      await page.evaluate(() => window.scrollTo(0, 0));
    }
  }

  // The page's own record of `type` events since `from`: whether the window
  // kept the browser from its default action.
  const pageEvents = (type, from) => page.evaluate((t, start) => window.pageEvents.slice(start)
      .filter((event) => event.type === t)
      .map((event) => ({key: event.key, repeat: event.repeat, prevented: event.defaultPrevented})), type, from);

  it('reshapes the window to 1024 x 768 before the first display', async () => {
    const calls = await page.evaluate(() => window.glutCalls);
    const firstDisplay = calls.findIndex((call) => call.callback === 'display');
    expectCalls(calls.slice(0, firstDisplay).filter((call) => call.callback === 'reshape'), [`reshape(${kWidth}, ${kHeight})`],
                'the reshape callback must run, with the window size, before the first display: a GLUT program ' +
                'sets its viewport and projection there');
    assert.deepEqual(await page.$eval('#canvas', (canvas) => [canvas.width, canvas.height]), [kWidth, kHeight],
                     'the window (the canvas drawing buffer) has the size glutInitWindowSize asked for');
  });

  it('reports motion at the position the pointer moved to: passive with no button, active with one held', async () => {
    const hover = await inputCalls(async () => {
      await moveTo(300, 200);
      await moveTo(400, 250);
    });
    expectCalls(hover, ['passiveMotion(300, 200)', 'passiveMotion(400, 250)'],
                'a move with no button held reaches the passive motion callback with the pointer\'s new position');
    const drag = await inputCalls(async () => {
      await page.mouse.down();
      await moveTo(500, 300);
      await moveTo(520, 310);
      await page.mouse.up();
    });
    expectCalls(drag, ['mouse(0, GLUT_DOWN, 400, 250)', 'motion(500, 300)', 'motion(520, 310)', 'mouse(0, GLUT_UP, 520, 310)'],
                'a move with a button held reaches the motion callback, not the passive one, with the new position');
  });

  it('reports the left, middle and right buttons as 0, 1 and 2, a second held button, a release outside, and ' +
     'never opens the context menu', async () => {
    await moveTo(600, 400);
    const eventsBefore = await pageEventCount();
    for (const [name, button] of [['left', 0], ['middle', 1], ['right', 2]]) {
      expectCalls(await inputCalls(() => click(name)),
                  [`mouse(${button}, GLUT_DOWN, 600, 400)`, `mouse(${button}, GLUT_UP, 600, 400)`],
                  `the ${name} button is GLUT button ${button}, pressed then released where the pointer is`);
    }
    const menus = await pageEvents('contextmenu', eventsBefore);
    assert.ok(menus.length > 0, 'the browser asked for no context menu on a right click: the check saw nothing');
    assert.ok(menus.every((menu) => menu.prevented), 'a right click over the window opened the browser\'s context menu');
    const chord = await inputCalls(async () => {
      await page.mouse.down({button: 'left'});
      await click('right');
      await page.mouse.up({button: 'left'});
    });
    expectCalls(chord, ['mouse(0, GLUT_DOWN, 600, 400)', 'mouse(2, GLUT_DOWN, 600, 400)', 'mouse(2, GLUT_UP, 600, 400)',
                        'mouse(0, GLUT_UP, 600, 400)'],
                'a button pressed and released while another is held is reported like any other, and without a ' +
                'motion, since the pointer did not move');
    const escape = await inputCalls(async () => {
      await page.mouse.down();
      await moveTo(kWidth + 100, 400);
      await page.mouse.up();
    });
    expectCalls(escape, ['mouse(0, GLUT_DOWN, 600, 400)', `motion(${kWidth + 100}, 400)`,
                         `mouse(0, GLUT_UP, ${kWidth + 100}, 400)`],
                'a button pressed in the window and released outside it: the drag and the release are still ' +
                'reported, or the program thinks the button is held for ever');
  });

  it('turns the wheel into a press and release of button 3 (up) or 4 (down) and does not scroll the page', async () => {
    await moveTo(512, 384);
    const eventsBefore = await pageEventCount();
    let turns;
    const scrolled = await scrolledBy(async () => {
      turns = await inputCalls(async () => {
        await page.mouse.wheel({deltaY: -120});
        await page.mouse.wheel({deltaY: 120});
      });
    });
    expectCalls(turns, ['mouse(3, GLUT_DOWN, 512, 384)', 'mouse(3, GLUT_UP, 512, 384)', 'mouse(4, GLUT_DOWN, 512, 384)',
                        'mouse(4, GLUT_UP, 512, 384)'],
                'a wheel turn away from the user is button 3 and towards the user button 4, as freeglut reports it ' +
                'to a program without a wheel callback');
    const wheels = await pageEvents('wheel', eventsBefore);
    assert.ok(wheels.length === 2 && wheels.every((wheel) => wheel.prevented),
              'a wheel turn over the window is the program\'s: the browser must not scroll with it');
    assert.equal(scrolled, 0, 'the wheel over the window scrolled the page');
  });

  it('reports a key once pressed and once released, a held key once, at the pointer\'s position', async () => {
    await moveTo(200, 100);
    expectCalls(await inputCalls(() => page.keyboard.press('a')), ['keyboard(97, 200, 100)', 'keyboardUp(97, 200, 100)'],
                'a key press reaches the keyboard callback and its release the keyboard-up callback, each once, ' +
                'with the pointer\'s position in the window');
    const eventsBefore = await pageEventCount();
    const held = await inputCalls(async () => {
      await page.keyboard.down('b');
      await page.keyboard.down('b');
      await page.keyboard.up('b');
    });
    assert.deepEqual((await pageEvents('keydown', eventsBefore)).map((key) => key.repeat), [false, true],
                     'the browser saw the second press of the held key as its own repeat');
    expectCalls(held, ['keyboard(98)', 'keyboardUp(98)'],
                'with glutIgnoreKeyRepeat(1) a held key reaches the keyboard callback once, however long it is held', false);
  });

  it('sends arrows and function keys to the special callback, Enter, Escape, Backspace, Delete as ASCII, leaves Ctrl ' +
     'shortcuts to the browser, and Space and the arrows do not scroll the page', async () => {
    const keys = await inputCalls(async () => {
      for (const key of ['ArrowLeft', 'F1', 'Enter', 'Escape', 'Backspace', 'Delete']) await page.keyboard.press(key);
    });
    expectCalls(keys, [`special(${GLUT.KEY_LEFT})`, `specialUp(${GLUT.KEY_LEFT})`, `special(${GLUT.KEY_F1})`,
                       `specialUp(${GLUT.KEY_F1})`, 'keyboard(13)', 'keyboardUp(13)', 'keyboard(27)', 'keyboardUp(27)',
                       'keyboard(8)', 'keyboardUp(8)', 'keyboard(127)', 'keyboardUp(127)'],
                'the left arrow is GLUT_KEY_LEFT and F1 GLUT_KEY_F1 in the special callback; Enter, Escape, Backspace ' +
                'and Delete are 13, 27, 8 and 127 in the keyboard callback', false);

    const eventsBefore = await pageEventCount();
    const shortcut = await inputCalls(async () => {
      await page.keyboard.down('Control');
      await page.keyboard.press('a');
      await page.keyboard.up('Control');
    });
    expectCalls(shortcut, [`special(${GLUT.KEY_CTRL_L})`, `specialUp(${GLUT.KEY_CTRL_L})`],
                'Ctrl+A belongs to the browser and reaches no callback; Ctrl itself is reported like Shift and Alt, ' +
                'its press with its release', false);
    const shortcutKey = (await pageEvents('keydown', eventsBefore)).find((key) => key.key === 'a');
    assert.equal(shortcutKey.prevented, false, 'the window kept Ctrl+A from the browser');

    let scrolling;
    const scrolled = await scrolledBy(async () => {
      scrolling = await inputCalls(async () => {
        for (const key of ['Space', 'ArrowDown', 'PageDown']) await page.keyboard.press(key);
      });
    });
    expectCalls(scrolling, ['keyboard(32)', 'keyboardUp(32)', `special(${GLUT.KEY_DOWN})`, `specialUp(${GLUT.KEY_DOWN})`,
                            `special(${GLUT.KEY_PAGE_DOWN})`, `specialUp(${GLUT.KEY_PAGE_DOWN})`],
                'Space, the down arrow and Page Down reach the program', false);
    assert.equal(scrolled, 0, 'Space, the down arrow or Page Down scrolled the page instead of only reaching the program');
  });

  it('shows Shift, Ctrl and Alt held during a press in glutGetModifiers()', async () => {
    await moveTo(300, 300);
    for (const [held, expected] of [[['Shift'], GLUT.SHIFT], [['Control'], GLUT.CTRL], [['Alt'], GLUT.ALT],
      [['Shift', 'Control', 'Alt'], GLUT.SHIFT | GLUT.CTRL | GLUT.ALT], [[], 0]]) {
      const calls = await inputCalls(async () => {
        for (const key of held) await page.keyboard.down(key);
        await click();
        for (const key of held) await page.keyboard.up(key);
      });
      assert.deepEqual(calls.filter((call) => call.callback === 'mouse').map((call) => call.modifiers), [expected, expected],
                       `with ${held.join('+') || 'no modifier'} held, glutGetModifiers() in the mouse callback is ` +
                       `${expected} for the press and the release`);
    }
    const shifted = await inputCalls(async () => {
      await page.keyboard.down('Shift');
      await page.keyboard.press('KeyA');  // the key, so Shift makes it 'A' as on a real keyboard
      await page.keyboard.up('Shift');
    });
    const letter = shifted.find((call) => call.callback === 'keyboard' && call.args[0] === 'A'.charCodeAt(0));
    assert.ok(letter?.modifiers === GLUT.SHIFT,
              'Shift+A reaches the keyboard callback as \'A\' with GLUT_ACTIVE_SHIFT in glutGetModifiers()');
  });

  it('reports drawing-buffer pixels when the canvas is shown at 50 % and at 75 % of its size', async () => {
    try {
      for (const shownWidth of [kWidth / 2, kWidth * 3 / 4]) {
        await page.$eval('#canvas', (canvas, width) => { canvas.style.width = `${width}px`; }, shownWidth);
        for (const [x, y, where] of [[kWidth / 2, kHeight / 2, 'centre'], [0, 0, 'top-left corner']]) {
          const calls = await inputCalls(async () => {
            await moveTo(x, y);
            await click();
          });
          const what = `the ${where} of the window shown ${shownWidth} pixels wide`;
          expectCalls(calls.filter((call) => call.callback === 'mouse'),
                      [`mouse(0, GLUT_DOWN, ${x}, ${y})`, `mouse(0, GLUT_UP, ${x}, ${y})`],
                      `a click at ${what} is at (${x}, ${y}) of the 1024 x 768 window, however large the page shows it`);
          expectCalls(calls.filter((call) => call.callback === 'passiveMotion').slice(-1), [`passiveMotion(${x}, ${y})`],
                      `the move to ${what}`);
        }
      }
    } finally {
      await page.$eval('#canvas', (canvas) => { canvas.style.width = ''; });
    }
  });

  it('on a touch screen, moves the pointer to a tap and then presses and releases button 0 there', async () => {
    const at = await pagePoint(250, 150);
    expectCalls(await inputCalls(() => page.touchscreen.tap(at.x, at.y)),
                ['passiveMotion(250, 150)', 'mouse(0, GLUT_DOWN, 250, 150)', 'mouse(0, GLUT_UP, 250, 150)'],
                'a finger has no hover: the pointer must move to the tapped point before the press, so a program ' +
                'that acts on the last motion acts where the finger is');
  });

  it('runs no display while the page is hidden, and runs it again once the page is shown', async () => {
    // A real hide first: another tab in front. Chromium then stops the
    // page's animation frames altogether, so this shows that frames come
    // back; whether the window itself holds them back is the second part.
    const other = await browser.newPage();
    try {
      await other.bringToFront();
      assert.equal(await page.evaluate(() => document.hidden), true, 'a tab behind another is hidden');
      const hiddenFrom = await displays();
      await sleep(200);
      assert.equal(await displays(), hiddenFrom, 'the window drew while its tab was behind another');
      await page.bringToFront();
      await page.waitForFunction((count) => window.glutCalls.filter((call) => call.callback === 'display').length > count,
                                 {timeout: 2000, polling: 20}, hiddenFrom)
          .catch(() => assert.fail('no display ran after the tab came back to the front'));
    } finally {
      await other.close();
    }

    // The page says it is hidden exactly as the browser does (document.hidden,
    // visibilityState and the visibilitychange event), while animation frames
    // keep coming, as they do where a browser keeps rendering a hidden page.
    const counts = await page.evaluate(async (frames) => {
      const displayCount = () => window.glutCalls.filter((call) => call.callback === 'display').length;
      const framesPass = async () => {
        const from = displayCount();
        for (let i = 0; i < frames; i++) await new Promise((resolve) => requestAnimationFrame(() => resolve()));
        return displayCount() - from;
      };
      Object.defineProperty(document, 'hidden', {configurable: true, get: () => true});
      Object.defineProperty(document, 'visibilityState', {configurable: true, get: () => 'hidden'});
      document.dispatchEvent(new Event('visibilitychange'));
      const whileHidden = await framesPass();
      delete document.hidden;
      delete document.visibilityState;
      document.dispatchEvent(new Event('visibilitychange'));
      return {whileHidden, afterShown: await framesPass()};
    }, kHiddenFrames);
    assert.equal(counts.whileHidden, 0, `the display callback ran ${counts.whileHidden} times in ${kHiddenFrames} ` +
                 'animation frames while the page was hidden');
    assert.ok(counts.afterShown > 0, `no display ran in ${kHiddenFrames} animation frames after the page was shown`);
  });

  it('counts glutGet(GLUT_ELAPSED_TIME) in milliseconds of wall time', async () => {
    await sleep(300);
    const frames = await page.evaluate(() => window.glutCalls.filter((call) => call.callback === 'display'));
    const [first, last] = [frames[0], frames.at(-1)];
    const wallMs = last.at - first.at;
    const elapsedMs = last.args[0] - first.args[0];
    assert.ok(wallMs > 1000, `the run is long enough to compare clocks (${wallMs} ms)`);
    assert.ok(Math.abs(elapsedMs - wallMs) <= 20, `between two displays ${wallMs.toFixed(0)} ms apart on the page's ` +
              `clock, glutGet(GLUT_ELAPSED_TIME) grew by ${elapsedMs}`);
    assert.ok(first.args[0] >= 0 && first.args[0] <= first.at,
              `at the first display GLUT_ELAPSED_TIME is ${first.args[0]}, more than the page has been open`);
  });

  it('leaves the console free of errors', () => {
    assert.deepEqual(watch.problems, []);
  });
});
