#pragma once
// All on-screen text: one TrueType font rasterised once into 128 glyph textures
// and display lists; printing then formats printf-style and draws each line
// with a single glCallLists in the caller's transform and colour.

#include <vector>

class FontPrinter {
 public:
  static FontPrinter& instance();

  // Builds the glyphs of codes 0..127; throws std::runtime_error on failure.
  void loadFont(const char* path, unsigned size);

  float fontSize = 0.0f;
  std::vector<unsigned> glyphTextures;
  unsigned listBase = 0;
};

// Formats like printf (at most 255 characters) and draws the text at the current
// transform; a null format prints nothing.
void printText(FontPrinter& printer, const char* format, ...) __attribute__((format(printf, 2, 3)));
