#pragma once
// Helpers shared by the score tests: a real font of the Debian font packages
// (the game's own font is generated at build time and not needed here), and
// whole-frame read-back for comparing two drawings pixel for pixel.

#include <cstdint>
#include <vector>

#include "gfx/GlIncludes.h"
#include "view/Camera.h"

// fonts-dejavu-core, one of the test packages.
constexpr const char* kTestFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The back buffer as RGBA bytes, bottom row first, without the alpha nobody
// sees: every alpha byte reads 0.
inline std::vector<std::uint8_t> grabFrame() {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(Camera::kWindowWidth) * Camera::kWindowHeight * 4);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Camera::kWindowWidth, Camera::kWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 0;
  return rgba;
}
