#include "gfx/TgaImage.h"

// Placeholder until the Targa work lands.
bool TgaImage::load(const char*) { return false; }
bool TgaImage::decode(const std::uint8_t*, std::size_t) { return false; }
bool TgaImage::release() {
  const bool had = pixels != nullptr;
  pixels.reset();
  return had;
}
