#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot create canvas");
}

Canvas::Canvas(const Image& image)
    : width_(image.width),
      height_(image.height),
      surface_(surfaceFromImage(image)),
      cr_(cairo_create(surface_)) {}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

std::uint8_t* Canvas::pixel(int x, int y) {
  return cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_) + x * 4;
}

Image Canvas::toImage() {
  flush();
  Image image;
  image.width = width_;
  image.height = height_;
  image.rgba.resize(static_cast<std::size_t>(width_) * height_ * 4);
  std::uint8_t* out = image.rgba.data();
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x, out += 4) {
      const std::uint32_t argb = *reinterpret_cast<const std::uint32_t*>(pixel(x, y));
      const unsigned a = argb >> 24;
      const unsigned r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
      if (a == 0) {
        out[0] = out[1] = out[2] = out[3] = 0;
        continue;
      }
      // Undo Cairo's premultiplication, rounding to nearest.
      out[0] = static_cast<std::uint8_t>(std::min(255u, (r * 255 + a / 2) / a));
      out[1] = static_cast<std::uint8_t>(std::min(255u, (g * 255 + a / 2) / a));
      out[2] = static_cast<std::uint8_t>(std::min(255u, (b * 255 + a / 2) / a));
      out[3] = static_cast<std::uint8_t>(a);
    }
  }
  return image;
}

void Canvas::savePng(const std::string& path) {
  flush();
  cairo_surface_write_to_png(surface_, path.c_str());
}

cairo_surface_t* surfaceFromImage(const Image& image, double tintR, double tintG, double tintB) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
  cairo_surface_flush(surface);
  std::uint8_t* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const double tint[3] = {tintR, tintG, tintB};
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* in = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
      const unsigned a = in[3];
      unsigned c[3];
      for (int k = 0; k < 3; ++k) c[k] = static_cast<unsigned>(std::lround(in[k] * tint[k] * a / 255.0));
      row[x] = (a << 24) | (c[0] << 16) | (c[1] << 8) | c[2];
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}
