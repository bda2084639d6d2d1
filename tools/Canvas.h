#pragma once
// A Cairo drawing surface of a fixed pixel size, starting fully transparent.
// Art code draws on context() with the usual Cairo calls and takes the result
// out as a straight-alpha Image.

#include <cairo.h>

#include <cstdint>
#include <string>

#include "Image.h"

class Canvas {
 public:
  Canvas(int width, int height);
  // Wraps an existing picture, so it can be drawn onto or over again.
  explicit Canvas(const Image& image);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  cairo_t* context() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Direct access to one premultiplied pixel (Cairo's B, G, R, A byte order on
  // little-endian machines). Call flush() before and markDirty() after.
  std::uint8_t* pixel(int x, int y);
  void flush() { cairo_surface_flush(surface_); }
  void markDirty() { cairo_surface_mark_dirty(surface_); }

  Image toImage();
  void savePng(const std::string& path);

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// A Cairo surface holding the picture, premultiplied, optionally multiplied by a
// colour first (the way the game tints a sprite). The caller destroys it.
cairo_surface_t* surfaceFromImage(const Image& image, double tintR = 1.0, double tintG = 1.0,
                                  double tintB = 1.0);
