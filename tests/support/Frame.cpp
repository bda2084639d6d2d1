#include "support/Frame.h"

#include <algorithm>

#include "gfx/GlIncludes.h"
#include "view/Camera.h"

namespace {
constexpr int kWidth = Camera::kWindowWidth;
constexpr int kHeight = Camera::kWindowHeight;
}  // namespace

Frame::Frame() : rgba(static_cast<std::size_t>(kWidth) * kHeight * 4) {
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
}

Rgba Frame::at(int x, int y) const {
  const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * kWidth + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

bool Frame::anyLitIn(int x0, int y0, int x1, int y1) const {
  for (int y = std::max(y0, 0); y < std::min(y1, kHeight); ++y)
    for (int x = std::max(x0, 0); x < std::min(x1, kWidth); ++x)
      if (const Rgba p = at(x, y); p.r > 0 || p.g > 0 || p.b > 0) return true;
  return false;
}

bool Frame::anyLit() const { return anyLitIn(0, 0, kWidth, kHeight); }
