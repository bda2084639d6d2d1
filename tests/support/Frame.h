#pragma once
// The whole back buffer read back in one go, for checks over many pixels: is
// anything drawn in a region, and where. Coordinates are OpenGL's window ones,
// origin at the bottom-left, so they match a pixel-exact orthographic projection.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "view/Camera.h"

class Frame {
 public:
  static constexpr int kWidth = Camera::kWindowWidth;
  static constexpr int kHeight = Camera::kWindowHeight;

  // Reads the back buffer once everything drawn so far has landed.
  Frame() {
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  }
  Rgba at(int x, int y) const {
    const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * kWidth + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
  // Whether any pixel of x0..x1-1 by y0..y1-1, clipped to the window, is not black.
  bool anyLitIn(int x0, int y0, int x1, int y1) const {
    for (int y = std::max(y0, 0); y < std::min(y1, kHeight); ++y)
      for (int x = std::max(x0, 0); x < std::min(x1, kWidth); ++x)
        if (const Rgba p = at(x, y); p.r > 0 || p.g > 0 || p.b > 0) return true;
    return false;
  }

  std::vector<std::uint8_t> rgba =
      std::vector<std::uint8_t>(std::size_t{kWidth} * kHeight * 4);  // bottom row first
};
