// Comparing what the canvas shows: differences between pictures, the
// selection ring's place, a zoom's factor, and pictures saved for a person to
// look at when a check fails. Pictures are {width, height, data} with RGBA
// data, rows from the top; regions are {x, y, width, height} in pixels.
'use strict';

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const {encodePng} = require('./png');

// A pixel "differs" when one of its channels is off by more than this.
const kClearDifference = 48;

function whole(picture) {
  return {x: 0, y: 0, width: picture.width, height: picture.height};
}

// {mean, share}: the mean difference of the channels (0..255) and the share
// of pixels that clearly differ (0..1), over a region both pictures hold.
function difference(a, b, region = whole(a)) {
  let sum = 0;
  let differing = 0;
  for (let y = region.y; y < region.y + region.height; ++y) {
    for (let x = region.x; x < region.x + region.width; ++x) {
      const i = (y * a.width + x) * 4;
      const j = (y * b.width + x) * 4;
      let largest = 0;
      for (let c = 0; c < 3; ++c) {
        const d = Math.abs(a.data[i + c] - b.data[j + c]);
        sum += d;
        largest = Math.max(largest, d);
      }
      if (largest > kClearDifference) ++differing;
    }
  }
  const count = region.width * region.height;
  return {mean: sum / (3 * count), share: differing / count};
}

function describeDifference({mean, share}) {
  return `${(100 * share).toFixed(1)} % of the pixels differ clearly, mean difference ${mean.toFixed(1)} of 255`;
}

// A picture made of another's pixels: pixel (x, y) is `from(x, y)` of the
// original, clamped to its edges.
function remapped(picture, from) {
  const {width, height} = picture;
  const data = new Uint8Array(picture.data.length);
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      const [sx, sy] = from(x, y).map((v, axis) => Math.min((axis ? height : width) - 1, Math.max(0, v)));
      data.set(picture.data.subarray((sy * width + sx) * 4, (sy * width + sx) * 4 + 4), (y * width + x) * 4);
    }
  }
  return {width, height, data};
}

const shifted = (picture, dx, dy) => remapped(picture, (x, y) => [x - dx, y - dy]);
const upsideDown = (picture) => remapped(picture, (x, y) => [x, picture.height - 1 - y]);

// The picture with red and blue swapped: the same shapes in wrong colours.
function channelsSwapped(picture) {
  const data = Uint8Array.from(picture.data);
  for (let i = 0; i < data.length; i += 4) [data[i], data[i + 2]] = [picture.data[i + 2], picture.data[i]];
  return {...picture, data};
}

// Where the selection ring is, when the ring's picture is pure magenta: the
// count of its pixels in the region, their centre and their mean distance
// from it (about half the ring's radius for a ring of arrows).
function findRing(picture, region = whole(picture)) {
  let count = 0;
  let sx = 0;
  let sy = 0;
  const spots = [];
  for (let y = region.y; y < region.y + region.height; ++y) {
    for (let x = region.x; x < region.x + region.width; ++x) {
      const i = (y * picture.width + x) * 4;
      const [r, g, b] = picture.data.subarray(i, i + 3);
      if (r > 200 && b > 200 && g < 60) {
        ++count;
        sx += x;
        sy += y;
        spots.push([x, y]);
      }
    }
  }
  if (count === 0) return {count, x: NaN, y: NaN, radius: NaN};
  const x = sx / count;
  const y = sy / count;
  const radius = spots.reduce((sum, [px, py]) => sum + Math.hypot(px - x, py - y), 0) / count;
  return {count, x, y, radius};
}

// How badly `shot` matches `reference` magnified by `factor` about the
// window's centre, over `region` of the shot: the mean channel difference.
function zoomMisfit(shot, reference, factor, region) {
  const cx = reference.width / 2;
  const cy = reference.height / 2;
  let sum = 0;
  for (let y = region.y; y < region.y + region.height; ++y) {
    for (let x = region.x; x < region.x + region.width; ++x) {
      const rx = cx + (x + 0.5 - cx) / factor - 0.5;
      const ry = cy + (y + 0.5 - cy) / factor - 0.5;
      const x0 = Math.floor(rx);
      const y0 = Math.floor(ry);
      const fx = rx - x0;
      const fy = ry - y0;
      const i = (y * shot.width + x) * 4;
      for (let c = 0; c < 3; ++c) {
        const at = (px, py) => reference.data[(py * reference.width + px) * 4 + c];
        const value = (at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx) * (1 - fy) +
          (at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx) * fy;
        sum += Math.abs(shot.data[i + c] - value);
      }
    }
  }
  return sum / (3 * region.width * region.height);
}

// Saves pictures as PNG files where a failed run can be looked into, and
// returns the folder.
function savePictures(pictures) {
  const folder = process.env.PLOMBRIX_TEST_OUTPUT || path.join(os.tmpdir(), 'plombrix-web-tests');
  fs.mkdirSync(folder, {recursive: true});
  for (const [name, picture] of Object.entries(pictures)) {
    fs.writeFileSync(path.join(folder, `${name}.png`), encodePng(picture));
  }
  return folder;
}

module.exports = {
  difference, describeDifference, shifted, upsideDown, channelsSwapped, findRing, zoomMisfit, savePictures,
};
