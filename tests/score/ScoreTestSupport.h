#pragma once
// Helpers shared by the score tests: a real font from the Debian font packages
// (the game's own font is generated at build time and not needed here), and a
// whole-frame read-back for comparing two drawings pixel for pixel.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/GlIncludes.h"
#include "view/Camera.h"

// Path of a TrueType font shipped by a Debian package (fonts-dejavu-core,
// fonts-liberation), wherever the package put it under /usr/share/fonts; empty
// when it is not installed.
inline std::string debianFont(const std::string& fileName) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::recursive_directory_iterator it("/usr/share/fonts", error), end; it != end; it.increment(error)) {
    if (error) break;
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

// Window pixels (top-left origin) whose red channel differs from the
// background's by more than a little, as (x, y) pairs.
inline std::vector<std::pair<int, int>> markedPixels(const std::vector<std::uint8_t>& frame, int background) {
  std::vector<std::pair<int, int>> marked;
  for (int y = 0; y < Camera::kWindowHeight; ++y) {
    for (int x = 0; x < Camera::kWindowWidth; ++x) {
      const int red = frame[(static_cast<std::size_t>(y) * Camera::kWindowWidth + x) * 4];
      if (std::abs(red - background) > 2) marked.emplace_back(x, Camera::kWindowHeight - 1 - y);
    }
  }
  return marked;
}
