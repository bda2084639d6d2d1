// Compares a picture the browser drew with the one Mesa drew for the same GL
// calls. Two software rasterisers (SwiftShader, llvmpipe) never agree to the
// bit: a filtered texel may come out a level or two apart, and a pixel on a
// slanted edge may be lit by one and not the other. Neither is a wrong
// picture, so a pixel only counts as differing when its colour is off by more
// than the noise AND neither picture has the other's colour within a pixel of
// it. What is left is what a player would see as drawn wrong.
'use strict';

// Levels (of 255) by which a colour may differ and still be the same colour.
const kNoiseLevels = 6;
// How far an edge may be drawn off, in pixels.
const kEdgeReach = 1;

function channelDifference(a, i, b, j) {
  return Math.max(Math.abs(a[i] - b[j]), Math.abs(a[i + 1] - b[j + 1]), Math.abs(a[i + 2] - b[j + 2]));
}

// Whether picture `near` has, within reach of (x, y), the colour `of` has at
// index i.
function colourNearby(of, i, near, x, y, width, height) {
  for (let dy = -kEdgeReach; dy <= kEdgeReach; dy++) {
    const yy = y + dy;
    if (yy < 0 || yy >= height) continue;
    for (let dx = -kEdgeReach; dx <= kEdgeReach; dx++) {
      const xx = x + dx;
      if (xx < 0 || xx >= width) continue;
      if (channelDifference(of, i, near, (yy * width + xx) * 3) <= kNoiseLevels) return true;
    }
  }
  return false;
}

// Both pictures RGB, 3 bytes a pixel, in the same row order. Returns the
// share of differing pixels, the share of edge pixels drawn a pixel off, the
// largest difference of any pixel and of a differing one, and a picture of
// where they are (differing pixels red, edge pixels grey, the rest a dim copy
// of the reference).
function comparePictures(reference, drawn, width, height) {
  let differing = 0;
  let edges = 0;
  let largest = 0;
  let largestDiffering = 0;
  const map = Buffer.alloc(width * height * 3);
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      const i = (y * width + x) * 3;
      const difference = channelDifference(reference, i, drawn, i);
      largest = Math.max(largest, difference);
      if (difference <= kNoiseLevels) {
        for (let c = 0; c < 3; c++) map[i + c] = reference[i + c] >> 2;
      } else if (colourNearby(drawn, i, reference, x, y, width, height) &&
                 colourNearby(reference, i, drawn, x, y, width, height)) {
        edges++;
        map.fill(128, i, i + 3);
      } else {
        differing++;
        largestDiffering = Math.max(largestDiffering, difference);
        map[i] = 255;
      }
    }
  }
  const pixels = width * height;
  return {differingShare: differing / pixels, edgeShare: edges / pixels, largest, largestDiffering, map};
}

module.exports = {comparePictures, kNoiseLevels, kEdgeReach};
