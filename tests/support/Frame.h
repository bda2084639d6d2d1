#pragma once
// The whole back buffer read back in one go, for checks over many pixels: is
// anything drawn in a region, and where. Coordinates are OpenGL's window ones,
// origin at the bottom-left, so they match a pixel-exact orthographic projection.

#include <cstdint>
#include <vector>

#include "support/GlTestWindow.h"

class Frame {
 public:
  // Reads the back buffer once everything drawn so far has landed.
  Frame();
  Rgba at(int x, int y) const;
  // Whether any pixel of x0..x1-1 by y0..y1-1, clipped to the window, is not black.
  bool anyLitIn(int x0, int y0, int x1, int y1) const;
  bool anyLit() const;

  std::vector<std::uint8_t> rgba;  // bottom row first
};
