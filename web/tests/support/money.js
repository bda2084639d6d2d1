// Reads the money the playing screen shows ("$%d", black, tilted, at the top
// of the patient's chart) from a screenshot of that corner, the way a player
// reads it: by the shapes of its characters.
//
// The game prints the text with the font's glyphs, each a picture of the
// glyph at 48 pixels an em, stood on the baseline, moved on by the glyph's
// whole-pixel advance, scaled and turned by the wallet's transform. So the
// glyph at any pen position predicts, pixel for pixel, how much of the paper
// it covers. The reader measures that cover against the bare background
// picture and finds the string whose glyphs explain it best: a shortest path
// over pen positions, each step one character. A reading whose best string
// still leaves much of the ink unexplained (a floating text over the money,
// say) is refused, not guessed.
'use strict';

// Where and how the wallet prints, in window pixels of the default camera
// (128 pixels a world unit, y downwards): the pen starts at world (2, 4.46),
// a glyph pixel is 0.005 world units, the text turns 4 degrees upwards.
const kOriginX = 768;
const kOriginY = 197.12;
const kScale = 0.64;
const kTilt = (4 * Math.PI) / 180;
const kCoverAlpha = 0.9;  // the text's colour is black at this opacity
const kEm = 48;           // pixels an em of the rasterised font
// The window box that holds any amount up to seven digits with a sign.
const kBox = {x: 760, y: 146, width: 250, height: 66};
const kGlyphs = '$-0123456789';
// Share of the ink energy the best string may leave unexplained: a clean
// reading leaves well under one per cent.
const kMaxMisfit = 0.05;

// Renders the glyphs with the game's font file in the browser, each on its own
// canvas with its pen at a known place, and measures the advances.
async function renderGlyphs(page, fontBytes) {
  return page.evaluate(async (fontBase64, glyphs, em) => {
    const bytes = Uint8Array.from(atob(fontBase64), (c) => c.charCodeAt(0));
    const face = new FontFace('plombrix-money-probe', bytes.buffer);
    await face.load();
    document.fonts.add(face);
    const size = 2 * em;
    const penX = em / 2;
    const penY = Math.round(em * 1.25);
    const result = {};
    for (const ch of glyphs) {
      const canvas = document.createElement('canvas');
      canvas.width = size;
      canvas.height = size;
      const context = canvas.getContext('2d');
      context.font = `${em}px plombrix-money-probe`;
      context.fillStyle = '#000';
      context.fillText(ch, penX, penY);
      const alpha = [];
      const pixels = context.getImageData(0, 0, size, size).data;
      for (let i = 3; i < pixels.length; i += 4) alpha.push(pixels[i]);
      result[ch] = {size, penX, penY, advance: Math.round(context.measureText(ch).width), alpha};
    }
    document.fonts.delete(face);
    return result;
  }, fontBytes.toString('base64'), kGlyphs, kEm);
}

class MoneyReader {
  // page: any page of the browser (it draws the glyphs); fontBytes: the
  // game's font file; background: the playing background picture (RGBA,
  // 1024 x 768), which the text is printed on.
  static async create(page, fontBytes, background) {
    return new MoneyReader(await renderGlyphs(page, fontBytes), background);
  }

  constructor(glyphs, background) {
    this.glyphs = {};
    for (const [ch, glyph] of Object.entries(glyphs)) {
      const cover = Float32Array.from(glyph.alpha, (a) => a / 255);
      let left = glyph.size;
      let right = -1;
      let top = glyph.size;
      let bottom = -1;
      for (let y = 0; y < glyph.size; ++y) {
        for (let x = 0; x < glyph.size; ++x) {
          if (cover[y * glyph.size + x] > 0) {
            left = Math.min(left, x);
            right = Math.max(right, x);
            top = Math.min(top, y);
            bottom = Math.max(bottom, y);
          }
        }
      }
      // Extent in glyph units from the pen (y upwards), a pixel of margin for
      // the texture's blending.
      this.glyphs[ch] = {
        ...glyph, cover,
        from: left - glyph.penX - 1, to: right + 1 - glyph.penX + 1,
        low: glyph.penY - bottom - 2, high: glyph.penY - top + 1,
      };
    }
    this.box = kBox;
    this.paper = new Float32Array(kBox.width * kBox.height);
    // Each window pixel's place in glyph units: along the baseline and up.
    this.alongs = new Float32Array(kBox.width * kBox.height);
    this.ups = new Float32Array(kBox.width * kBox.height);
    const cos = Math.cos(kTilt);
    const sin = Math.sin(kTilt);
    for (let j = 0; j < kBox.height; ++j) {
      for (let i = 0; i < kBox.width; ++i) {
        const n = j * kBox.width + i;
        const s = ((kBox.y + j) * background.width + kBox.x + i) * 4;
        this.paper[n] = background.data[s] + background.data[s + 1] + background.data[s + 2];
        const dx = kBox.x + i + 0.5 - kOriginX;
        const dy = kOriginY - (kBox.y + j + 0.5);
        this.alongs[n] = (dx * cos + dy * sin) / kScale;
        this.ups[n] = (-dx * sin + dy * cos) / kScale;
      }
    }
    // Window pixels by the whole glyph unit they fall in along the baseline.
    this.firstAlong = Math.floor(Math.min(...this.alongs));
    const columns = Math.floor(Math.max(...this.alongs)) - this.firstAlong + 1;
    this.byAlong = Array.from({length: columns}, () => []);
    this.alongs.forEach((along, n) => this.byAlong[Math.floor(along) - this.firstAlong].push(n));
  }

  // How much of a glyph pixel's cover the glyph lends the window pixel n when
  // its pen is at `pen`: the texture's bilinear blend of its texels.
  coverAt(glyph, pen, n) {
    const x = glyph.penX + this.alongs[n] - pen - 0.5;
    const y = glyph.penY - this.ups[n] - 0.5;
    const x0 = Math.floor(x);
    const y0 = Math.floor(y);
    if (x0 < 0 || y0 < 0 || x0 + 1 >= glyph.size || y0 + 1 >= glyph.size) return 0;
    const fx = x - x0;
    const fy = y - y0;
    const c = glyph.cover;
    const row = y0 * glyph.size + x0;
    return (c[row] * (1 - fx) + c[row + 1] * fx) * (1 - fy) +
      (c[row + glyph.size] * (1 - fx) + c[row + glyph.size + 1] * fx) * fy;
  }

  // shot: a PNG-decoded picture of the whole canvas, or of exactly this.box.
  // Returns {text, value, misfit}; value is null when the reading is refused.
  read(shot) {
    const {box} = this;
    const dx = shot.width === box.width ? 0 : box.x;
    const dy = shot.height === box.height ? 0 : box.y;
    const ink = new Float32Array(box.width * box.height);
    let inkEnergy = 0;
    for (let j = 0; j < box.height; ++j) {
      for (let i = 0; i < box.width; ++i) {
        const n = j * box.width + i;
        const s = ((j + dy) * shot.width + i + dx) * 4;
        const shown = shot.data[s] + shot.data[s + 1] + shot.data[s + 2];
        ink[n] = Math.max(0, 1 - shown / Math.max(1, this.paper[n])) / kCoverAlpha;
        inkEnergy += ink[n] * ink[n];
      }
    }
    // No glyph starts past the last inked column.
    let lastPen = 0;
    ink.forEach((cover, n) => {
      if (cover > 0.25) lastPen = Math.max(lastPen, Math.ceil(this.alongs[n]) + 1);
    });
    // What placing a glyph at a pen changes in the squared error: it only
    // touches its own pixels, and glyphs never overlap.
    const gains = {};
    const gain = (ch, pen) => {
      const known = (gains[ch] ||= new Float64Array(lastPen + 1).fill(NaN));
      if (Number.isNaN(known[pen])) {
        const glyph = this.glyphs[ch];
        const from = Math.max(0, Math.floor(pen + glyph.from) - this.firstAlong);
        const to = Math.min(this.byAlong.length - 1, Math.ceil(pen + glyph.to) - this.firstAlong);
        let sum = 0;
        for (let c = from; c <= to; ++c) {
          for (const n of this.byAlong[c]) {
            if (this.ups[n] < glyph.low || this.ups[n] > glyph.high) continue;
            const t = this.coverAt(glyph, pen, n);
            sum += t * t - 2 * ink[n] * t;
          }
        }
        known[pen] = sum;
      }
      return known[pen];
    };
    // States: after the dollar sign, after the minus, after a leading zero
    // (which must be the last digit), after any other digit; the best cost
    // and text of each at each pen position, filled in pen order since every
    // character moves the pen on.
    const endPen = lastPen + kEm;
    const table = Array.from({length: endPen + 1}, () => new Map());
    const offer = (pen, state, cost, text) => {
      const held = table[pen].get(state);
      if (!held || held.cost > cost) table[pen].set(state, {cost, text});
    };
    offer(this.glyphs.$.advance, 'sign', gain('$', 0), '$');
    const ends = [];
    for (let pen = 0; pen <= endPen; ++pen) {
      for (const [state, {cost, text}] of table[pen]) {
        if (state === 'zero' || state === 'digit') ends.push({cost, text});
        if (state === 'zero' || pen > lastPen) continue;
        const choices = state === 'sign' ? '-0123456789' : state === 'minus' ? '123456789' : '0123456789';
        for (const ch of choices) {
          const next = ch === '-' ? 'minus' : ch === '0' && state === 'sign' ? 'zero' : 'digit';
          offer(pen + this.glyphs[ch].advance, next, cost + gain(ch, pen), text + ch);
        }
      }
    }
    if (ends.length === 0) return {text: '', value: null, misfit: 1};
    const end = ends.reduce((a, b) => (b.cost < a.cost ? b : a));
    const misfit = inkEnergy > 0 ? (inkEnergy + end.cost) / inkEnergy : 1;
    const value = misfit <= kMaxMisfit ? Number(end.text.slice(1)) : null;
    return {text: end.text, value, misfit: Math.round(misfit * 1000) / 1000};
  }
}

module.exports = {MoneyReader, kMoneyBox: kBox};
