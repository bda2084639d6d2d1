#pragma once
// Writes Truevision Targa files the way the game's loader reads them: true
// colour, rows stored top row first (descriptor bit 5), 32 bits with an alpha
// channel where the picture has transparency and 24 bits where it has none,
// run-length packets (type 10) or plain pixels (type 2).

#include <cstdint>
#include <string>
#include <vector>

#include "Image.h"

class TargaFile {
 public:
  enum class Packing { Plain, RunLength };

  static std::vector<std::uint8_t> encode(const Image& image, Packing packing);
  // Chooses the depth from the picture itself; throws on a write error.
  static void write(const std::string& path, const Image& image, Packing packing);
};
