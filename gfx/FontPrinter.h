#pragma once
// All on-screen text: one TrueType font rasterised once into 128 glyph textures
// and display lists; printing then formats printf-style and draws each line
// with a single glCallLists in the caller's transform and colour.
//
// Glyph geometry is in pixels of the rasterised font (y up, pen on the
// baseline), so callers scale into world units before printing. The Wallet
// loads the one font at start-up and prints the money and best chain; the
// floating texts print the chain messages.

#include <vector>

class FontPrinter {
 public:
  // Character codes that get a glyph of their own; bytes from here up draw
  // nothing.
  static constexpr int kGlyphCount = 128;
  // Size of the formatting buffer: at most 255 characters and the terminator.
  static constexpr int kTextBytes = 256;
  // Line height a point of font size: 1 / 0.63, in single precision.
  static constexpr float kLineHeightPerSize = 1.5873016f;
  // Dots per inch the font is rasterised at: an em of 4/3 pixels a point of size.
  static constexpr unsigned kDotsPerInch = 96;

  static FontPrinter& instance();

  // Builds the glyphs of codes 0..127; throws std::runtime_error on failure.
  // Needs a current GL context.
  void loadFont(const char* path, unsigned size);

  float fontSize = 0.0f;
  std::vector<unsigned> glyphTextures;
  unsigned listBase = 0;
};

// Formats like printf (at most 255 characters, longer texts are cut) and draws
// the text at the current transform in the current colour; each '\n' starts a
// new line one line height lower in eye units. A null format, or a printer
// whose font was never loaded, prints nothing.
void printText(FontPrinter& printer, const char* format, ...) __attribute__((format(printf, 2, 3)));
