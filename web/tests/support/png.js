// Reads and writes the PNG files of the GL conformance test: 8-bit RGB or
// RGBA, not interlaced, which is all the desktop runner writes and all a
// person needs to look at a drawn picture or a difference.
'use strict';

const fs = require('node:fs');
const zlib = require('node:zlib');

const kSignature = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
const kChannelsByColourType = {2: 3, 6: 4};

const kCrcTable = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

function crc32(bytes) {
  let c = 0xffffffff;
  for (const byte of bytes) c = kCrcTable[(c ^ byte) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a);
  const pb = Math.abs(p - b);
  const pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// {width, height, rgb}: rgb holds 3 bytes a pixel, top row first.
function readPng(file) {
  const data = fs.readFileSync(file);
  if (!data.subarray(0, 8).equals(kSignature)) throw new Error(`${file} is not a PNG file`);
  let width = 0;
  let height = 0;
  let channels = 0;
  const packed = [];
  for (let at = 8; at < data.length;) {
    const length = data.readUInt32BE(at);
    const type = data.toString('latin1', at + 4, at + 8);
    const body = data.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      channels = kChannelsByColourType[body[9]];
      if (body[8] !== 8 || !channels || body[12] !== 0) throw new Error(`${file}: only 8-bit RGB(A) is read`);
    } else if (type === 'IDAT') {
      packed.push(body);
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(packed));
  const stride = width * channels;
  const pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const row = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    if (filter === 0) {
      row.copy(pixels, y * stride);
      continue;
    }
    for (let i = 0; i < stride; i++) {
      const left = i >= channels ? pixels[y * stride + i - channels] : 0;
      const up = y > 0 ? pixels[(y - 1) * stride + i] : 0;
      const upLeft = y > 0 && i >= channels ? pixels[(y - 1) * stride + i - channels] : 0;
      let predictor = paeth(left, up, upLeft);
      if (filter === 1) predictor = left;
      else if (filter === 2) predictor = up;
      else if (filter === 3) predictor = (left + up) >> 1;
      pixels[y * stride + i] = (row[i] + predictor) & 0xff;
    }
  }
  if (channels === 3) return {width, height, rgb: pixels};
  const rgb = Buffer.alloc(width * height * 3);
  for (let p = 0; p < width * height; p++) {
    rgb[p * 3] = pixels[p * 4];
    rgb[p * 3 + 1] = pixels[p * 4 + 1];
    rgb[p * 3 + 2] = pixels[p * 4 + 2];
  }
  return {width, height, rgb};
}

function chunk(type, body) {
  const length = Buffer.alloc(4);
  length.writeUInt32BE(body.length);
  const typed = Buffer.concat([Buffer.from(type, 'latin1'), body]);
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(typed));
  return Buffer.concat([length, typed, crc]);
}

// rgb: 3 bytes a pixel, top row first.
function writePng(file, width, height, rgb) {
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header[8] = 8;
  header[9] = 2;
  const raw = Buffer.alloc((width * 3 + 1) * height);
  for (let y = 0; y < height; y++) rgb.copy(raw, y * (width * 3 + 1) + 1, y * width * 3, (y + 1) * width * 3);
  fs.writeFileSync(file, Buffer.concat([kSignature, chunk('IHDR', header),
    chunk('IDAT', zlib.deflateSync(raw, {level: 1})), chunk('IEND', Buffer.alloc(0))]));
}

module.exports = {readPng, writePng};
