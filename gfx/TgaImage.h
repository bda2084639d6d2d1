#pragma once
// Reads one Truevision Targa file (types 2, 3 and 10; 8, 24 or 32 bits) and
// decodes it into a top-row-first pixel array: R, G, B, A bytes for colour
// images, one byte a pixel for 8-bit ones. loadTexture drives it once per
// picture; the fuzzer feeds decode directly.
//
// Files come from disk, so nothing in them is trusted: every size is checked
// against the bytes actually present before anything is allocated or read, and
// a file that cannot fill the whole picture is refused rather than padded.

#include <cstddef>
#include <cstdint>
#include <memory>

struct TgaImage {
  std::uint8_t idLength = 0;
  std::uint8_t colorMapType = 0;
  std::uint8_t imageType = 0;
  std::uint16_t colorMapStart = 0;
  std::uint16_t colorMapLength = 0;
  std::uint8_t colorMapDepth = 0;
  std::uint16_t xOrigin = 0;
  std::uint16_t yOrigin = 0;
  std::int16_t fileWidth = 0;
  std::int16_t fileHeight = 0;
  std::uint8_t pixelDepth = 0;
  std::uint8_t descriptor = 0;

  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  std::unique_ptr<std::uint8_t[]> pixels;

  // Reads and decodes the file; true at once if pixels are already present.
  bool load(const char* path);
  // Decodes a whole file image held in memory (the file reader and the fuzzer
  // share it). Replaces any image held; on false there are no pixels and width,
  // height and bitsPerPixel are 0.
  bool decode(const std::uint8_t* data, std::size_t size);
  // Frees the pixels; true if there were any.
  bool release();
};
