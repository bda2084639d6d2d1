#include "Cartoon.h"

#include <cmath>

#include "Palette.h"

namespace Cartoon {

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0.0, 0.0, 1.0, 0.0, 2.0 * M_PI);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2.0, 0.0);
  cairo_arc(cr, x + w - radius, y + h - radius, radius, 0.0, M_PI / 2.0);
  cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2.0, M_PI);
  cairo_arc(cr, x + radius, y + radius, radius, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void fillInked(cairo_t* cr, const Colour& fill, double lineWidth) {
  fill.use(cr);
  cairo_fill_preserve(cr);
  strokeInk(cr, lineWidth);
}

void strokeInk(cairo_t* cr, double lineWidth) {
  Palette::kInk.use(cr);
  cairo_set_line_width(cr, lineWidth);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void tube(cairo_t* cr, const Colour& fill, double width, double lineWidth) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  Palette::kInk.use(cr);
  cairo_set_line_width(cr, width + 2.0 * lineWidth);
  cairo_stroke_preserve(cr);
  fill.use(cr);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void eye(cairo_t* cr, double cx, double cy, double radius, double lookX, double lookY, double lineWidth) {
  cairo_new_path(cr);
  ellipse(cr, cx, cy, radius * 0.86, radius);
  fillInked(cr, Palette::kEyeWhite, lineWidth);
  const double pupil = radius * 0.52;
  const double px = cx + lookX * radius * 0.3, py = cy + lookY * radius * 0.38;
  cairo_new_path(cr);
  ellipse(cr, px, py, pupil * 0.9, pupil);
  Palette::kInk.use(cr);
  cairo_fill(cr);
  cairo_new_path(cr);
  ellipse(cr, px - pupil * 0.35, py - pupil * 0.4, pupil * 0.32, pupil * 0.32);
  Palette::kWhite.use(cr);
  cairo_fill(cr);
}

void shine(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_pattern_t* glow = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  Palette::kWhite.withAlpha(alpha).addStop(glow, 0.0);
  Palette::kWhite.withAlpha(alpha * 0.6).addStop(glow, 0.5);
  Palette::kWhite.withAlpha(0.0).addStop(glow, 1.0);
  cairo_set_source(cr, glow);
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  cairo_restore(cr);
}

void fillStomachLining(cairo_t* cr, double topY, double bottomY) {
  cairo_pattern_t* lining = cairo_pattern_create_linear(0, topY, 0, bottomY);
  Palette::kStomachTop.addStop(lining, 0.0);
  Palette::kStomachBottom.addStop(lining, 1.0);
  cairo_set_source(cr, lining);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(lining);
  cairo_save(cr);
  cairo_clip(cr);
}

}  // namespace Cartoon
