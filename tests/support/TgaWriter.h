#pragma once
// Writes small Targa files for tests: uncompressed or run-length (a run packet
// a pixel), 24 or 32 bit, either row order. Pixels are given top row first as
// R, G, B, A.

#include <cstdint>
#include <string>
#include <vector>

struct TgaLayout {
  int width = 1;
  int height = 1;
  int bits = 32;         // 24 or 32
  bool rle = false;      // type 10 instead of 2
  bool topFirst = true;  // descriptor bit 5
};

std::vector<std::uint8_t> encodeTga(const TgaLayout& layout, const std::vector<std::uint8_t>& rgbaTopFirst);
void writeTga(const std::string& path, const TgaLayout& layout,
              const std::vector<std::uint8_t>& rgbaTopFirst);
// A whole image in one colour.
void writeSolidTga(const std::string& path, int width, int height, std::uint8_t r, std::uint8_t g,
                   std::uint8_t b, std::uint8_t a = 255);
