#pragma once
// A sprite picture of the built tree, decoded by the game's loader, with
// lookups by position relative to its centre (radius 1 at the picture's edge).

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "AssetFiles.h"
#include "gfx/TgaImage.h"

class SpritePicture {
 public:
  explicit SpritePicture(const std::string& name) {
    const std::string path = (AssetFiles::resDir() / "images" / name).string();
    if (!image_.load(path.c_str())) throw std::runtime_error("cannot load " + path);
  }

  int width() const { return image_.width; }
  int height() const { return image_.height; }
  const std::uint8_t* at(int x, int y) const {
    return &image_.pixels[(static_cast<std::size_t>(y) * image_.width + x) * 4];
  }
  // Distance of a pixel's centre from the picture's centre, 1 at the edge.
  double radius(int x, int y) const {
    const double u = (x + 0.5) / width() * 2.0 - 1.0, v = (y + 0.5) / height() * 2.0 - 1.0;
    return std::hypot(u, v);
  }
  // Alpha (0..1) at polar position (r, angle in radians) about the centre.
  double alphaAt(double r, double angle) const {
    const int x = static_cast<int>((1.0 + r * std::cos(angle)) * 0.5 * width());
    const int y = static_cast<int>((1.0 + r * std::sin(angle)) * 0.5 * height());
    return at(std::min(x, width() - 1), std::min(y, height() - 1))[3] / 255.0;
  }

 private:
  TgaImage image_;
};
