#include "gfx/Texture.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "gfx/GlIncludes.h"
#include "gfx/TgaImage.h"

namespace {

constexpr char kTgaExtension[] = ".tga";
constexpr int kUploadBytesPerPixel = 4;  // every upload is RGBA, one byte a channel
constexpr int kUploadBitsPerPixel = 32;
constexpr GLint kBaseLevel = 0;
constexpr GLint kNoBorder = 0;

// Only the name is judged, from the last dot on, ignoring letter case.
bool hasTgaExtension(const char* path) {
  const char* dot = std::strrchr(path, '.');
  if (dot == nullptr || std::strlen(dot) != std::strlen(kTgaExtension)) return false;
  for (std::size_t i = 0; kTgaExtension[i] != '\0'; ++i) {
    if (std::tolower(static_cast<unsigned char>(dot[i])) != kTgaExtension[i]) return false;
  }
  return true;
}

}  // namespace

unsigned loadTexture(const char* path) {
  if (path == nullptr) path = "";
  std::printf("\nLoading texture %s...", path);
  if (!hasTgaExtension(path)) {
    std::printf("Error: not a .tga image.");
    return 0;
  }
  TgaImage image;
  if (!image.load(path)) {
    std::printf("Error: Cannot read file.");
    return 0;
  }
  // 8-bit pictures decode fine but the game only uploads colour.
  if (image.bitsPerPixel != kUploadBitsPerPixel) {
    std::printf("Error: Incorrect bit depth.");
    return 0;
  }

  // Rows are tightly packed whatever the width.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  // No mipmaps are built, so minification must not ask for them.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  // Row 0 is the top row, so the image's top edge lands at t = 0.
  glTexImage2D(GL_TEXTURE_2D, kBaseLevel, GL_RGBA, image.width, image.height, kNoBorder, GL_RGBA,
               GL_UNSIGNED_BYTE, image.pixels.get());
  std::printf("%dx%d:%d", image.width, image.height, kUploadBytesPerPixel);
  return name;
}
