#include "gfx/FontPrinter.h"

// Placeholder until the text work lands.

FontPrinter& FontPrinter::instance() {
  static FontPrinter* printer = new FontPrinter();
  return *printer;
}

void FontPrinter::loadFont(const char*, unsigned size) { fontSize = static_cast<float>(size); }
void printText(FontPrinter&, const char*, ...) {}
