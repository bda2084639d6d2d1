#pragma once
// The game's font (the file shipped as Cookies.ttf) opened through FreeType for
// Cairo, so the labels, titles and instructions painted into the pictures use
// the same letters as the numbers the game prints over them. Hinting is off, so
// the shapes depend on nothing but the font file.

#include <cairo.h>

#include <string>

class Typeface {
 public:
  enum class Align { Left, Centre, Right };

  explicit Typeface(const std::string& path);
  Typeface(const Typeface&) = delete;
  Typeface& operator=(const Typeface&) = delete;
  ~Typeface();

  // Selects the face at a size in user units of cr's current transform.
  void use(cairo_t* cr, double size) const;
  double advance(cairo_t* cr, const std::string& text) const;
  // Adds the text's outline to the current path, baseline at (x, y).
  void addPath(cairo_t* cr, const std::string& text, double x, double y, Align align) const;
  void fill(cairo_t* cr, const std::string& text, double x, double y, Align align) const;
  // Text with a rounded outline drawn behind its fill, as cartoon titles have.
  void fillOutlined(cairo_t* cr, const std::string& text, double x, double y, Align align,
                    double outlineWidth) const;

 private:
  struct FreeTypeHandles;
  FreeTypeHandles* ft_;
  cairo_font_face_t* face_;
};
