#include "Typeface.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

#include "Palette.h"

struct Typeface::FreeTypeHandles {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

Typeface::Typeface(const std::string& path) : ft_(new FreeTypeHandles) {
  if (FT_Init_FreeType(&ft_->library) != 0) throw std::runtime_error("FreeType did not start");
  if (FT_New_Face(ft_->library, path.c_str(), 0, &ft_->face) != 0)
    throw std::runtime_error("cannot open the font " + path);
  face_ = cairo_ft_font_face_create_for_ft_face(ft_->face, 0);
}

Typeface::~Typeface() {
  cairo_font_face_destroy(face_);
  FT_Done_Face(ft_->face);
  FT_Done_FreeType(ft_->library);
  delete ft_;
}

void Typeface::use(cairo_t* cr, double size) const {
  cairo_set_font_face(cr, face_);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

double Typeface::advance(cairo_t* cr, const std::string& text) const {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  return extents.x_advance;
}

void Typeface::addPath(cairo_t* cr, const std::string& text, double x, double y, Align align) const {
  double start = x;
  if (align == Align::Centre) start -= advance(cr, text) / 2.0;
  if (align == Align::Right) start -= advance(cr, text);
  cairo_move_to(cr, start, y);
  cairo_text_path(cr, text.c_str());
}

void Typeface::fill(cairo_t* cr, const std::string& text, double x, double y, Align align) const {
  cairo_new_path(cr);
  addPath(cr, text, x, y, align);
  cairo_fill(cr);
}

void Typeface::fillOutlined(cairo_t* cr, const std::string& text, double x, double y, Align align,
                            double outlineWidth) const {
  cairo_save(cr);
  cairo_pattern_t* fillSource = cairo_get_source(cr);
  cairo_pattern_reference(fillSource);
  cairo_new_path(cr);
  addPath(cr, text, x, y, align);
  Palette::kInk.use(cr);
  cairo_set_line_width(cr, outlineWidth);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  cairo_set_source(cr, fillSource);
  cairo_fill(cr);
  cairo_pattern_destroy(fillSource);
  cairo_restore(cr);
}
