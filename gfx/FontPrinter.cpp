#include "gfx/FontPrinter.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "gfx/GlIncludes.h"

namespace {
// FreeType's 26.6 fixed point: 64 units a pixel (or a point).
constexpr int kFixedPointShift = 6;
constexpr FT_F26Dot6 kFixedPointOne = 1 << kFixedPointShift;
// Luminance and alpha, both the coverage.
constexpr int kBytesPerTexel = 2;
// First byte value without a glyph of its own.
constexpr unsigned char kFirstUnmappedByte = FontPrinter::kGlyphCount;

// Smallest power of two that holds n texels; an empty bitmap still gets one.
int powerOfTwoAtLeast(int n) {
  int size = 1;
  while (size < n) size <<= 1;
  return size;
}

// Closes FreeType on every way out of loadFont, thrown errors included.
struct FreeTypeSession {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~FreeTypeSession() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

// Owns the glyph copy taken from the slot until its bitmap has been uploaded.
struct GlyphCopy {
  FT_Glyph glyph = nullptr;
  ~GlyphCopy() {
    if (glyph) FT_Done_Glyph(glyph);
  }
};

void makeGlyph(FT_Face face, unsigned char ch, unsigned listBase, std::vector<unsigned>& glyphTextures) {
  if (FT_Load_Glyph(face, FT_Get_Char_Index(face, ch), FT_LOAD_DEFAULT) != 0) {
    throw std::runtime_error("FT_Load_Glyph failed");
  }
  GlyphCopy copy;
  if (FT_Get_Glyph(face->glyph, &copy.glyph) != 0) throw std::runtime_error("FT_Get_Glyph failed");
  FT_Glyph_To_Bitmap(&copy.glyph, FT_RENDER_MODE_NORMAL, nullptr, 1);
  const auto* bitmapGlyph = reinterpret_cast<FT_BitmapGlyph>(copy.glyph);
  const FT_Bitmap& bitmap = bitmapGlyph->bitmap;
  const int width = static_cast<int>(bitmap.width);
  const int rows = static_cast<int>(bitmap.rows);
  const int textureWidth = powerOfTwoAtLeast(width);
  const int textureHeight = powerOfTwoAtLeast(rows);

  // Bitmap row 0 is the glyph's top row and becomes texel row 0 (t = 0); the
  // quad below maps t = 0 to its top edge, so the glyph stands upright.
  std::vector<std::uint8_t> texels(static_cast<std::size_t>(kBytesPerTexel) * textureWidth * textureHeight,
                                   0);
  for (int j = 0; j < rows; ++j) {
    const int sourceRow = bitmap.pitch >= 0 ? j : rows - 1 - j;
    const unsigned char* source =
        bitmap.buffer + static_cast<std::ptrdiff_t>(sourceRow) * std::abs(bitmap.pitch);
    for (int i = 0; i < width; ++i) {
      std::uint8_t* texel = &texels[static_cast<std::size_t>(kBytesPerTexel) * (j * textureWidth + i)];
      texel[0] = source[i];
      texel[1] = source[i];
    }
  }

  glBindTexture(GL_TEXTURE_2D, glyphTextures[ch]);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureWidth, textureHeight, 0, GL_LUMINANCE_ALPHA,
               GL_UNSIGNED_BYTE, texels.data());

  const float u = static_cast<float>(width) / static_cast<float>(textureWidth);
  const float v = static_cast<float>(rows) / static_cast<float>(textureHeight);
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(rows);
  // Arithmetic shift: a negative advance rounds towards minus infinity.
  const auto advance = static_cast<float>(face->glyph->advance.x >> kFixedPointShift);

  glNewList(listBase + ch, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, glyphTextures[ch]);
  glPushMatrix();
  glTranslatef(static_cast<float>(bitmapGlyph->left), 0.0f, 0.0f);
  glTranslatef(0.0f, static_cast<float>(bitmapGlyph->top - rows), 0.0f);
  // Top-left, bottom-left, bottom-right, top-right: counter-clockwise from +z.
  glBegin(GL_QUADS);
  glTexCoord2d(0.0, 0.0);
  glVertex2f(0.0f, h);
  glTexCoord2d(0.0, v);
  glVertex2f(0.0f, 0.0f);
  glTexCoord2d(u, v);
  glVertex2f(w, 0.0f);
  glTexCoord2d(u, 0.0);
  glVertex2f(w, h);
  glEnd();
  glPopMatrix();
  // Left in effect so the next glyph of a glCallLists starts at the new pen.
  glTranslatef(advance, 0.0f, 0.0f);
  glEndList();
}

// Draws one line's bytes with the glyph lists. Bytes without a glyph are left
// out: with the list base set, they would name lists that belong to others.
void callGlyphLists(const char* begin, const char* end) {
  unsigned char glyphs[FontPrinter::kTextBytes];
  GLsizei count = 0;
  for (const char* p = begin; p != end; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    if (byte < kFirstUnmappedByte) glyphs[count++] = byte;
  }
  if (count > 0) glCallLists(count, GL_UNSIGNED_BYTE, glyphs);
}
}  // namespace

FontPrinter& FontPrinter::instance() {
  static FontPrinter* printer = new FontPrinter();
  return *printer;
}

void FontPrinter::loadFont(const char* path, unsigned size) {
  glyphTextures.assign(kGlyphCount, 0);
  fontSize = static_cast<float>(size);

  FreeTypeSession session;
  if (FT_Init_FreeType(&session.library) != 0) throw std::runtime_error("FT_Init_FreeType failed");
  if (FT_New_Face(session.library, path, 0, &session.face) != 0) {
    throw std::runtime_error("FT_New_Face failed (there is probably a problem with your font file)");
  }
  const FT_F26Dot6 charSize = static_cast<FT_F26Dot6>(size) * kFixedPointOne;
  FT_Set_Char_Size(session.face, charSize, charSize, kDotsPerInch, kDotsPerInch);

  listBase = glGenLists(kGlyphCount);
  glGenTextures(kGlyphCount, glyphTextures.data());

  // Glyph rows are 2 * width bytes, unpadded: a texture one texel wide would
  // otherwise be read with 4-byte row padding, past the end of its buffer.
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  try {
    for (int ch = 0; ch < kGlyphCount; ++ch) {
      makeGlyph(session.face, static_cast<unsigned char>(ch), listBase, glyphTextures);
    }
  } catch (...) {
    glPopClientAttrib();
    throw;
  }
  glPopClientAttrib();
}

void printText(FontPrinter& printer, const char* format, ...) {
  if (format == nullptr || printer.listBase == 0) return;

  // vsnprintf cuts a longer text at 255 characters and always terminates it.
  char text[FontPrinter::kTextBytes];
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  if (written < 0) text[0] = '\0';

  const float lineHeight = printer.fontSize * FontPrinter::kLineHeightPerSize;

  glPushAttrib(GL_LIST_BIT | GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TRANSFORM_BIT);
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glListBase(printer.listBase);

  // Each line starts from the caller's matrix moved down in eye units, so the
  // line spacing does not shrink with the caller's scale.
  float callerMatrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, callerMatrix);
  const char* lineStart = text;
  for (int line = 0;; ++line) {
    const char* lineEnd = lineStart;
    while (*lineEnd != '\0' && *lineEnd != '\n') ++lineEnd;
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, -lineHeight * static_cast<float>(line), 0.0f);
    glMultMatrixf(callerMatrix);
    callGlyphLists(lineStart, lineEnd);
    glPopMatrix();
    if (*lineEnd == '\0') break;
    lineStart = lineEnd + 1;
  }

  glPopAttrib();
}
