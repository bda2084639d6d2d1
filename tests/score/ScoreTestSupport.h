#pragma once
// Helpers shared by the score tests: a real font from the Debian font packages
// (the game's own font is generated at build time and not needed here), and
// whole-frame read-back for comparing two drawings pixel for pixel.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/GlIncludes.h"
#include "view/Camera.h"

// A TrueType font of a Debian package (fonts-dejavu-core) wherever it lies
// under /usr/share/fonts; empty when it is not installed.
inline std::string debianFont(const std::string& fileName) {
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it("/usr/share/fonts", error), end; it != end && !error;
       it.increment(error)) {
    if (it->path().filename() == fileName) return it->path().string();
  }
  return {};
}

// The back buffer as RGBA bytes, bottom row first.
inline std::vector<std::uint8_t> grabFrame() {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(Camera::kWindowWidth) * Camera::kWindowHeight * 4);
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Camera::kWindowWidth, Camera::kWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}

// The same without the buffer's alpha, which nobody sees: only red, green and
// blue are kept (each alpha byte reads 0).
inline std::vector<std::uint8_t> grabColours() {
  std::vector<std::uint8_t> rgba = grabFrame();
  for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 0;
  return rgba;
}
