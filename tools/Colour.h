#pragma once
// Colours of the art, 0..1 per channel, and the cairo calls that use them.

#include <cairo.h>

struct Colour {
  double r = 0.0, g = 0.0, b = 0.0, a = 1.0;

  static constexpr Colour bytes(int r, int g, int b, double a = 1.0) {
    return {r / 255.0, g / 255.0, b / 255.0, a};
  }
  constexpr Colour withAlpha(double alpha) const { return {r, g, b, alpha}; }
  // Linear mix towards other by t (0 keeps this colour).
  constexpr Colour mix(const Colour& other, double t) const {
    return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t, a + (other.a - a) * t};
  }
  void use(cairo_t* cr) const { cairo_set_source_rgba(cr, r, g, b, a); }
  void addStop(cairo_pattern_t* pattern, double offset) const {
    cairo_pattern_add_color_stop_rgba(pattern, offset, r, g, b, a);
  }
};
