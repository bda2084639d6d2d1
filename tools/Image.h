#pragma once
// A finished picture: straight (not premultiplied) R, G, B, A bytes, top row
// first, the layout the game's Targa loader produces.

#include <cstdint>
#include <vector>

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  bool hasTransparency() const {
    for (std::size_t i = 3; i < rgba.size(); i += 4)
      if (rgba[i] != 255) return true;
    return false;
  }
};
