// The Targa files the asset generator writes (true colour, raw or
// run-length, either row order), read into RGBA pixels, and written back
// raw, so a test can make a variant of a picture for a site of its own.
'use strict';

// {width, height, data}: data holds RGBA pixels row by row from the top.
function readTga(buffer) {
  const idLength = buffer[0];
  const type = buffer[2];
  const width = buffer.readUInt16LE(12);
  const height = buffer.readUInt16LE(14);
  const bytesPerPixel = buffer[16] / 8;
  const topFirst = (buffer[17] & 0x20) !== 0;
  if ((type !== 2 && type !== 10) || (bytesPerPixel !== 3 && bytesPerPixel !== 4)) {
    throw new Error(`unsupported Targa file: type ${type}, ${buffer[16]} bits a pixel`);
  }
  const count = width * height;
  const pixels = new Uint8Array(count * 4);
  let at = 18 + idLength;
  const put = (index) => {
    pixels[index * 4] = buffer[at + 2];
    pixels[index * 4 + 1] = buffer[at + 1];
    pixels[index * 4 + 2] = buffer[at];
    pixels[index * 4 + 3] = bytesPerPixel === 4 ? buffer[at + 3] : 255;
  };
  for (let n = 0; n < count;) {
    if (type === 2) {
      put(n++);
      at += bytesPerPixel;
      continue;
    }
    const header = buffer[at++];
    const run = (header & 0x7f) + 1;
    for (let k = 0; k < run && n < count; ++k) {
      put(n++);
      if (!(header & 0x80)) at += bytesPerPixel;
    }
    if (header & 0x80) at += bytesPerPixel;
  }
  const data = new Uint8Array(count * 4);
  for (let y = 0; y < height; ++y) {
    const from = topFirst ? y : height - 1 - y;
    data.set(pixels.subarray(from * width * 4, (from + 1) * width * 4), y * width * 4);
  }
  return {width, height, data};
}

// A raw 32-bit Targa file, top row first.
function writeTga({width, height, data}) {
  const out = Buffer.alloc(18 + width * height * 4);
  out[2] = 2;
  out.writeUInt16LE(width, 12);
  out.writeUInt16LE(height, 14);
  out[16] = 32;
  out[17] = 0x28;
  for (let p = 0; p < width * height; ++p) {
    out[18 + p * 4] = data[p * 4 + 2];
    out[18 + p * 4 + 1] = data[p * 4 + 1];
    out[18 + p * 4 + 2] = data[p * 4];
    out[18 + p * 4 + 3] = data[p * 4 + 3];
  }
  return out;
}

module.exports = {readTga, writeTga};
