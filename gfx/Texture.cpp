#include "gfx/Texture.h"

#include <cstdio>

// Placeholder until the Targa work lands: every load fails cleanly.
unsigned loadTexture(const char* path) {
  std::printf("\nLoading texture %s...", path);
  std::printf("Error: Cannot read file.");
  return 0;
}
