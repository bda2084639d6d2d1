#!/usr/bin/env python3
"""Writes the small broken or unusual Targa files the loader tests read.

Each file holds one fault. The well-formed ones among them carry the same 2 x 2
picture, top row red then half-transparent green, bottom row quarter-opaque
blue then white, so a test compares every successful load with one expectation.
Run from anywhere; the files land beside this script.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

TOP_FIRST = 0x20
ALPHA_BITS = 0x08

# R, G, B, A, top row first.
PICTURE = [(255, 0, 0, 255), (0, 255, 0, 128), (0, 0, 255, 64), (255, 255, 255, 255)]


def header(image_type=2, width=2, height=2, depth=32, descriptor=ALPHA_BITS,
           id_length=0, map_type=0, map_length=0, map_depth=0):
    return struct.pack('<BBBHHBHHhhBB', id_length, map_type, image_type, 0, map_length,
                       map_depth, 0, 0, width, height, depth, descriptor)


def bgra(pixel):
    r, g, b, a = pixel
    return bytes((b, g, r, a))


def stored_bottom_first():
    """The picture's pixel values in the format's default row order."""
    return b''.join(bgra(p) for p in PICTURE[2:] + PICTURE[:2])


def write(name, data):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)


def main():
    good = header() + stored_bottom_first()

    write('empty.tga', b'')
    write('short_header.tga', header()[:17])
    write('truncated_raw.tga', good[:18 + 13])

    # One raw packet of all four pixels, cut in the middle of the third value.
    rle_four = header(image_type=10) + bytes([0x03]) + stored_bottom_first()
    write('truncated_rle.tga', rle_four[:18 + 1 + 4 * 2 + 2])

    # A run of 128 over a 4-pixel picture: clipped to the picture.
    write('rle_run_past_end.tga', header(image_type=10) + bytes([0xFF]) + bgra(PICTURE[3]))
    # One raw pixel, then a raw packet announcing six values where three remain.
    values = [bgra(p) for p in PICTURE[2:] + PICTURE[:2]]
    write('rle_raw_past_end.tga', header(image_type=10) + bytes([0x00]) + values[0] + bytes([0x05]) +
          b''.join(values[1:]) + bgra((9, 9, 9, 9)) * 3)

    write('zero_width.tga', header(width=0) + stored_bottom_first())
    write('zero_height.tga', header(height=0) + stored_bottom_first())
    write('negative_width.tga', header(width=-1) + stored_bottom_first())
    write('negative_height.tga', header(height=-32768) + stored_bottom_first())

    # Headers that claim 32767 x 32767 pixels over a few bytes of data.
    write('huge_raw.tga', header(width=32767, height=32767) + bytes(8))
    write('huge_rle.tga', header(image_type=10, width=32767, height=32767) + (bytes([0xFF]) + bgra(PICTURE[0])) * 2)

    # Greyscale run-length data: a run of two 0x40, then a raw pair 0x80, 0xC0.
    write('rle_8bit.tga', header(image_type=10, depth=8, descriptor=0) + bytes([0x81, 0x40, 0x01, 0x80, 0xC0]))

    write('id_field.tga', header(id_length=7) + b'plombrx' + stored_bottom_first())
    write('colour_map_on_truecolour.tga', header(id_length=2, map_type=1, map_length=3, map_depth=24) +
          b'id' + bytes(range(9)) + stored_bottom_first())
    write('colour_map_on_rle.tga', header(image_type=10, map_type=1, map_length=2, map_depth=32) +
          bytes(8) + bytes([0x03]) + stored_bottom_first())
    write('id_past_end.tga', header(id_length=255) + stored_bottom_first())
    write('colour_map_past_end.tga', header(map_type=1, map_length=1000, map_depth=24) + stored_bottom_first())

    # A Targa 2.0 footer after the pixels.
    write('trailing_data.tga', good + struct.pack('<II', 0, 0) + b'TRUEVISION-XFILE.\0')

    write('colour_mapped.tga', header(image_type=1, depth=8, map_type=1, map_length=2, map_depth=24) +
          bytes(6) + bytes(4))
    write('depth_16.tga', header(depth=16) + bytes(8))
    write('grey_8bit.tga', header(image_type=3, depth=8, descriptor=TOP_FIRST) + bytes([0x10, 0x20, 0x30, 0x40]))


if __name__ == '__main__':
    main()
