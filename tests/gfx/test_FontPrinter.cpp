#include "gfx/FontPrinter.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/AssetTree.h"
#include "gfx/GlIncludes.h"
#include "support/Frame.h"
#include "support/GlTestWindow.h"

namespace {

constexpr int kWidth = Frame::kWidth, kHeight = Frame::kHeight;
const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";  // fonts-dejavu-core

// FreeType's own rendering of one character at the game's size and resolution.
struct ReferenceGlyph {
  int left = 0, top = 0, width = 0, rows = 0;
  int advance = 0;                          // whole pixels
  std::vector<std::uint8_t> coverage = {};  // rows top first
  int at(int i, int j) const { return coverage[static_cast<std::size_t>(j * width + i)]; }
};

ReferenceGlyph referenceGlyph(const std::string& path, char ch) {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  FT_Init_FreeType(&library);
  EXPECT_EQ(FT_New_Face(library, path.c_str(), 0, &face), 0) << path;
  FT_Set_Char_Size(face, AssetTree::kFontSize * 64, AssetTree::kFontSize * 64, 96, 96);
  FT_Load_Char(face, static_cast<unsigned char>(ch), FT_LOAD_RENDER);
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  ReferenceGlyph glyph{slot->bitmap_left, slot->bitmap_top, static_cast<int>(bitmap.width),
                       static_cast<int>(bitmap.rows), static_cast<int>(slot->advance.x / 64)};
  for (int j = 0; j < glyph.rows; ++j)
    glyph.coverage.insert(glyph.coverage.end(), bitmap.buffer + j * bitmap.pitch,
                          bitmap.buffer + j * bitmap.pitch + glyph.width);
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return glyph;
}

class FontPrinterTest : public ::testing::Test {
 protected:
  // One font pixel to one window pixel, origin at the window's bottom-left,
  // pen at (x, y) and the picture cleared.
  void penAt(float x, float y) const {
    window.clear();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, kWidth, 0.0, kHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(x, y, 0.0f);
  }
  GlTestWindow& window = GlTestWindow::open();
};

TEST_F(FontPrinterTest, EachGlyphShowsFreeTypesBitmapAtThePenInTheCallersColourAndNothingElse) {
  // Each glyph is printed one space after the pen in half-transparent orange
  // over black. Texel centres land on pixel centres, so coverage c shows as
  // (c * c / 255) * (0.5, 0.25, 0). Other fonts are checked when installed.
  constexpr int kPenX = 300, kPenY = 300;
  for (const std::string& font :
       {kDejaVu, std::string("/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf"),
        std::string("/usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf")}) {
    if (!std::filesystem::exists(font)) continue;
    FontPrinter printer;
    printer.loadFont(font.c_str(), AssetTree::kFontSize);
    const int penX = kPenX + referenceGlyph(font, ' ').advance;
    ASSERT_GT(penX, kPenX);
    // The space has no bitmap: one empty texel that draws nothing.
    for (char ch : std::string("AgjQW%|._~ ")) {
      SCOPED_TRACE(font + " glyph '" + ch + "'");
      const ReferenceGlyph ref = referenceGlyph(font, ch);
      penAt(kPenX, kPenY);
      glColor4f(1.0f, 0.5f, 0.0f, 0.5f);
      printText(printer, " %c", ch);
      const Frame frame;
      int worst = 0;
      for (int j = 0; j < ref.rows; ++j) {
        for (int i = 0; i < ref.width; ++i) {
          const Rgba shown = frame.at(penX + ref.left + i, kPenY + ref.top - 1 - j);
          const float lit = ref.at(i, j) * ref.at(i, j) / 255.0f;
          worst = std::max({worst, std::abs(shown.r - static_cast<int>(0.5f * lit)),
                            std::abs(shown.g - static_cast<int>(0.25f * lit)), shown.b});
        }
      }
      EXPECT_LE(worst, 3) << "the drawn glyph differs from its bitmap in the caller's colour";
      const int x0 = penX + ref.left, y0 = kPenY + ref.top - ref.rows;
      EXPECT_FALSE(frame.anyLitIn(0, 0, x0, kHeight) || frame.anyLitIn(x0 + ref.width, 0, kWidth, kHeight) ||
                   frame.anyLitIn(0, 0, kWidth, y0) || frame.anyLitIn(0, kPenY + ref.top, kWidth, kHeight))
          << "lit outside the glyph's box";
    }
  }
}

// What printing must leave as the caller had it: the model-view matrix and its
// stack depth, the current colour, the enables, the list base and the matrix
// mode. (The blend function and the bound texture are not saved.)
std::vector<double> callerState() {
  std::vector<double> state(20);
  glGetDoublev(GL_MODELVIEW_MATRIX, state.data());
  glGetDoublev(GL_CURRENT_COLOR, state.data() + 16);
  for (GLenum cap : {GL_LIGHTING, GL_DEPTH_TEST, GL_TEXTURE_2D, GL_BLEND}) state.push_back(glIsEnabled(cap));
  GLint listBase = 0, mode = 0;
  glGetIntegerv(GL_LIST_BASE, &listBase);
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  state.insert(state.end(), {double(listBase), double(mode), double(GlTestWindow::modelViewDepth())});
  return state;
}

TEST_F(FontPrinterTest,
       TextTakesTheCallersScaleAndStateLinesStepDownInEyeUnitsAndOverlongTextsStayInTheBuffer) {
  // Size 36: 57.14 eye units a line, at half scale too; the glyphs themselves
  // shrink and move with the scale.
  FontPrinter printer;
  printer.loadFont(kDejaVu.c_str(), AssetTree::kFontSize);
  const ReferenceGlyph bar = referenceGlyph(kDejaVu, '|');
  auto topLitRowFrom = [](const Frame& frame, int fromY) {
    for (int y = fromY; y >= 0; --y)
      if (frame.anyLitIn(0, y, kWidth, y + 1)) return y;
    return -1;
  };
  constexpr float kScale = 0.5f;
  penAt(200.0f, 500.0f);
  glScalef(kScale, kScale, 1.0f);
  // Everything printing changes, set the other way, must come back so.
  glColor4f(0.25f, 0.5f, 0.75f, 0.5f);
  glEnable(GL_LIGHTING);
  glListBase(7);
  glMatrixMode(GL_PROJECTION);
  const std::vector<double> before = callerState();
  printText(printer, "||\n|\n");
  EXPECT_EQ(callerState(), before) << "printing changed the caller's state";
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_LIGHTING);
  const Frame frame;
  const int firstTop = topLitRowFrom(frame, kHeight - 1);
  const int firstBottom = static_cast<int>(500 + kScale * (bar.top - bar.rows));
  EXPECT_NEAR(firstTop, 500 + kScale * bar.top, 1.0);
  EXPECT_NEAR(firstTop - topLitRowFrom(frame, firstBottom - 2), 57.142857, 1.0);
  const int secondBar = static_cast<int>(200 + kScale * (bar.advance + bar.left));
  EXPECT_TRUE(frame.anyLitIn(secondBar - 1, firstBottom, secondBar + 2, firstTop))
      << "the second glyph is not one scaled advance along";
  // The trailing break starts an empty third line: nothing further down.
  EXPECT_FALSE(frame.anyLitIn(0, 0, kWidth, static_cast<int>(firstBottom - 57.14) - 2));
  // Far past the 255 characters kept, and through a format that expands: the
  // sanitizer build watches.
  const std::string huge(100000, '%');
  printText(printer, "%s%s", huge.c_str(), huge.c_str());
}

}  // namespace
