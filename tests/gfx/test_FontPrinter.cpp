#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <sys/wait.h>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "gfx/FontPrinter.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned kGameFontSize = 36;
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// Path of a TrueType font shipped by a Debian package (fonts-dejavu-core,
// fonts-liberation, fonts-comic-neue), found wherever the package put it under
// /usr/share/fonts; empty when that package is not installed.
std::string debianFont(const std::string& fileName) {
  std::error_code error;
  for (fs::recursive_directory_iterator it("/usr/share/fonts", error), end; it != end; it.increment(error)) {
    if (error) break;
    if (it->path().filename() == fileName) return it->path().string();
  }
  return {};
}

// DejaVu comes with the test packages; the others are checked when present.
std::vector<std::string> fixtureFonts() {
  std::vector<std::string> fonts{debianFont("DejaVuSans.ttf")};
  for (const char* optional : {"LiberationSerif-Regular.ttf", "ComicNeue-Regular.ttf"}) {
    const std::string path = debianFont(optional);
    if (!path.empty()) fonts.push_back(path);
  }
  return fonts;
}

// FreeType's own rendering of one character at the game's size and resolution,
// for comparing against what the printer built.
struct ReferenceGlyph {
  int left = 0, top = 0, width = 0, rows = 0;
  int advance = 0;                     // whole pixels
  std::vector<std::uint8_t> coverage;  // rows top first
  int at(int i, int j) const { return coverage[static_cast<std::size_t>(j * width + i)]; }
};

ReferenceGlyph referenceGlyph(const std::string& path, char ch) {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ReferenceGlyph glyph;
  if (FT_Init_FreeType(&library) != 0) return glyph;
  if (FT_New_Face(library, path.c_str(), 0, &face) == 0) {
    FT_Set_Char_Size(face, kGameFontSize * 64, kGameFontSize * 64, 96, 96);
    if (FT_Load_Char(face, static_cast<unsigned char>(ch), FT_LOAD_RENDER) == 0) {
      const FT_GlyphSlot slot = face->glyph;
      glyph.left = slot->bitmap_left;
      glyph.top = slot->bitmap_top;
      glyph.width = static_cast<int>(slot->bitmap.width);
      glyph.rows = static_cast<int>(slot->bitmap.rows);
      glyph.advance = static_cast<int>(slot->advance.x / 64);
      for (int j = 0; j < glyph.rows; ++j) {
        for (int i = 0; i < glyph.width; ++i)
          glyph.coverage.push_back(slot->bitmap.buffer[j * slot->bitmap.pitch + i]);
      }
    }
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  return glyph;
}

int nextPowerOfTwo(int n) {
  int size = 1;
  while (size < n) size <<= 1;
  return size;
}

// One font pixel to one window pixel, origin at the window's bottom-left.
void pixelExactView() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, kWidth, 0.0, kHeight, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

// The back buffer as RGBA rows, bottom row first (OpenGL's window coordinates).
struct Frame {
  std::vector<std::uint8_t> rgba;
  static Frame grab() {
    Frame frame;
    frame.rgba.resize(static_cast<std::size_t>(kWidth) * kHeight * 4);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
    return frame;
  }
  const std::uint8_t* at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * kWidth + x) * 4]; }
  bool lit(int x, int y) const { return at(x, y)[0] > 0 || at(x, y)[1] > 0 || at(x, y)[2] > 0; }
  int leftmostLitColumn() const {
    for (int x = 0; x < kWidth; ++x)
      for (int y = 0; y < kHeight; ++y)
        if (lit(x, y)) return x;
    return -1;
  }
  bool anyLitIn(int x0, int y0, int x1, int y1) const {
    for (int y = std::max(y0, 0); y < std::min(y1, kHeight); ++y)
      for (int x = std::max(x0, 0); x < std::min(x1, kWidth); ++x)
        if (lit(x, y)) return true;
    return false;
  }
};

class FontPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dejaVu = debianFont("DejaVuSans.ttf");
    ASSERT_FALSE(dejaVu.empty()) << "fonts-dejavu-core is one of the test packages";
    window = &GlTestWindow::open();
  }
  // A printer with the font loaded at the game's size.
  FontPrinter load(const std::string& path) {
    FontPrinter printer;
    printer.loadFont(path.c_str(), kGameFontSize);
    return printer;
  }
  std::string dejaVu;
  GlTestWindow* window = nullptr;
};

TEST_F(FontPrinterTest, GlyphTexturesHoldFreeTypesCoverageTopRowFirstInPowerOfTwoSizes) {
  for (const std::string& font : fixtureFonts()) {
    const FontPrinter printer = load(font);
    ASSERT_EQ(printer.glyphTextures.size(), 128u);
    EXPECT_FLOAT_EQ(printer.fontSize, 36.0f);
    for (char ch : std::string("AgjW%|._~")) {
      SCOPED_TRACE(font + " glyph '" + ch + "'");
      const ReferenceGlyph ref = referenceGlyph(font, ch);
      ASSERT_GT(ref.width * ref.rows, 0);
      glBindTexture(GL_TEXTURE_2D, printer.glyphTextures[static_cast<unsigned char>(ch)]);
      GLint w = 0, h = 0;
      glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
      glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
      ASSERT_EQ(w, nextPowerOfTwo(ref.width));
      ASSERT_EQ(h, nextPowerOfTwo(ref.rows));
      std::vector<std::uint8_t> texels(static_cast<std::size_t>(w) * h * 4);
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
      int mismatches = 0;
      for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
          const std::uint8_t* t = &texels[(static_cast<std::size_t>(j) * w + i) * 4];
          const int expected = (i < ref.width && j < ref.rows) ? ref.at(i, j) : 0;
          if (t[0] != expected || t[1] != expected || t[2] != expected || t[3] != expected) ++mismatches;
        }
      }
      EXPECT_EQ(mismatches, 0) << "texels differ from the glyph's bitmap";
    }
  }
}

TEST_F(FontPrinterTest, DrawnGlyphIsFreeTypesBitmapStandingOnThePen) {
  // Texel centres land on pixel centres, so each covered pixel shows the
  // coverage c as white times alpha c over black: c * c / 255. This pins the
  // offsets from the pen and the texture coordinates u = width / W, v = rows / H.
  constexpr int kPenX = 300, kPenY = 300;
  for (const std::string& font : fixtureFonts()) {
    FontPrinter printer = load(font);
    for (char ch : std::string("AgjW%Q")) {
      SCOPED_TRACE(font + " glyph '" + ch + "'");
      const ReferenceGlyph ref = referenceGlyph(font, ch);
      window->clear();
      pixelExactView();
      glTranslatef(kPenX, kPenY, 0.0f);
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
      printText(printer, "%c", ch);
      const Frame frame = Frame::grab();
      int worst = 0;
      for (int j = 0; j < ref.rows; ++j) {
        for (int i = 0; i < ref.width; ++i) {
          const int c = ref.at(i, j);
          const int shown = frame.at(kPenX + ref.left + i, kPenY + ref.top - 1 - j)[0];
          worst = std::max(worst, std::abs(shown - c * c / 255));
        }
      }
      EXPECT_LE(worst, 3);
      const int x0 = kPenX + ref.left, y0 = kPenY + ref.top - ref.rows;
      // Nothing outside the glyph's box.
      EXPECT_FALSE(frame.anyLitIn(0, 0, x0, kHeight));
      EXPECT_FALSE(frame.anyLitIn(x0 + ref.width, 0, kWidth, kHeight));
      EXPECT_FALSE(frame.anyLitIn(0, 0, kWidth, y0));
      EXPECT_FALSE(frame.anyLitIn(0, kPenY + ref.top, kWidth, kHeight));
    }
  }
}

TEST_F(FontPrinterTest, SpaceIsAnEmptyOneTexelTextureThatStillAdvancesThePen) {
  for (const std::string& font : fixtureFonts()) {
    SCOPED_TRACE(font);
    FontPrinter printer = load(font);
    glBindTexture(GL_TEXTURE_2D, printer.glyphTextures[' ']);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
    std::uint8_t texel[4] = {9, 9, 9, 9};
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    EXPECT_EQ(texel[0] + texel[1] + texel[2] + texel[3], 0);

    // A bar after one, two and three spaces moves by FreeType's space advance
    // each time; the spaces themselves draw nothing.
    const ReferenceGlyph space = referenceGlyph(font, ' ');
    ASSERT_GT(space.advance, 0);
    std::vector<int> starts;
    for (const char* text : {"|", " |", "  |", "   "}) {
      window->clear();
      pixelExactView();
      glTranslatef(100.0f, 300.0f, 0.0f);
      printText(printer, "%s", text);
      starts.push_back(Frame::grab().leftmostLitColumn());
    }
    EXPECT_EQ(starts[1] - starts[0], space.advance);
    EXPECT_EQ(starts[2] - starts[0], 2 * space.advance);
    EXPECT_EQ(starts[3], -1) << "spaces alone must leave the window black";
  }
}

TEST_F(FontPrinterTest, PrintedTextAppearsAtTheCallersWorldTransformInTheCallersColour) {
  // The game's camera: 128 pixels a world unit. Text at world (-1, 2), 0.02
  // world units a font pixel, in orange and then in half-transparent orange.
  FontPrinter printer = load(dejaVu);
  const ReferenceGlyph h = referenceGlyph(dejaVu, 'H');
  constexpr float kX = -1.0f, kY = 2.0f, kScale = 0.02f;
  // A texel deep inside the left stem of the H: full coverage all around it.
  int stemI = -1, stemJ = h.rows / 2;
  for (int i = 1; i + 1 < h.width && stemI < 0; ++i) {
    if (h.at(i - 1, stemJ) == 255 && h.at(i, stemJ) == 255 && h.at(i + 1, stemJ) == 255) stemI = i;
  }
  ASSERT_GE(stemI, 0);
  const auto stem =
      GlTestWindow::worldToPixel(kX + (h.left + stemI + 0.5f) * kScale, kY + (h.top - stemJ - 0.5f) * kScale);
  const auto beforePen = GlTestWindow::worldToPixel(kX - 0.2f, kY + 0.3f);
  const auto afterText = GlTestWindow::worldToPixel(kX + 3 * h.advance * kScale + 0.2f, kY + 0.3f);

  for (float alpha : {1.0f, 0.5f}) {
    SCOPED_TRACE(alpha);
    window->clear();
    glPushMatrix();
    glTranslatef(kX, kY, 0.0f);
    glScalef(kScale, kScale, kScale);
    glColor4f(1.0f, 0.5f, 0.0f, alpha);
    printText(printer, "HHH");
    glPopMatrix();
    EXPECT_TRUE(near(window->pixel(stem[0], stem[1]), static_cast<int>(255 * alpha),
                     static_cast<int>(128 * alpha), 0, 3));
    EXPECT_TRUE(near(window->pixel(beforePen[0], beforePen[1]), 0, 0, 0, 0));
    EXPECT_TRUE(near(window->pixel(afterText[0], afterText[1]), 0, 0, 0, 0));
  }
}

TEST_F(FontPrinterTest, LinesStepDownByOneLineHeightInEyeUnitsWhateverTheCallersScale) {
  // Size 36: 36 * 1.5873016 = 57.14 eye units a line, also under a half scale.
  FontPrinter printer = load(dejaVu);
  const ReferenceGlyph bar = referenceGlyph(dejaVu, '|');
  auto topRowOfColumnBand = [](const Frame& frame, int fromY) {
    for (int y = fromY; y >= 0; --y)
      if (frame.anyLitIn(0, y, kWidth, y + 1)) return y;
    return -1;
  };
  for (float scale : {1.0f, 0.5f}) {
    SCOPED_TRACE(scale);
    window->clear();
    pixelExactView();
    glTranslatef(200.0f, 500.0f, 0.0f);
    glScalef(scale, scale, 1.0f);
    printText(printer, "|\n|\n");
    const Frame frame = Frame::grab();
    const int firstTop = topRowOfColumnBand(frame, kHeight - 1);
    const int firstBottom = static_cast<int>(500 + scale * (bar.top - bar.rows));
    const int secondTop = topRowOfColumnBand(frame, firstBottom - 2);
    EXPECT_NEAR(firstTop, 500 + scale * bar.top, 1.0);
    EXPECT_NEAR(firstTop - secondTop, 57.142857, 1.0);
    // The trailing break starts an empty third line: nothing further down.
    EXPECT_FALSE(
        frame.anyLitIn(0, 0, kWidth, static_cast<int>(500 - 57.14 + scale * (bar.top - bar.rows)) - 2));
  }
}

TEST_F(FontPrinterTest, PrintingRestoresTheCallersStateForTextEmptyTextAndNullFormat) {
  FontPrinter printer = load(dejaVu);
  const char* noFormat = nullptr;
  for (int which = 0; which < 3; ++which) {
    SCOPED_TRACE(which);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.5f, 2.0f, 0.0f);
    glScalef(0.01f, 0.01f, 0.01f);
    glColor4f(0.25f, 0.5f, 0.75f, 0.5f);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glListBase(7);
    glMatrixMode(GL_PROJECTION);
    float before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    const int depth = GlTestWindow::modelViewDepth();

    if (which == 0) printText(printer, "Two\nlines %d", 2);
    if (which == 1) printText(printer, "%s", "");
    if (which == 2) printText(printer, noFormat);

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint mode = 0, listBase = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_LIST_BASE, &listBase);
    EXPECT_EQ(mode, GL_PROJECTION);
    EXPECT_EQ(listBase, 7);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.25f);
    EXPECT_FLOAT_EQ(colour[3], 0.5f);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(before[k], after[k]);
    EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);
  }
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_LIGHTING);
}

TEST_F(FontPrinterTest, TextsLongerThan255CharactersAreCutAfterThe255th) {
  // The pen starts far left so that only the end of the line is in the window:
  // the 255th 'H' stands at x = 800 and a 256th would follow one advance later.
  FontPrinter printer = load(dejaVu);
  const ReferenceGlyph h = referenceGlyph(dejaVu, 'H');
  const std::string longText(400, 'H');
  const std::string exact(255, 'H');
  for (const std::string* text : {&longText, &exact}) {
    window->clear();
    pixelExactView();
    glTranslatef(800.0f - 254.0f * h.advance, 300.0f, 0.0f);
    printText(printer, "%s", text->c_str());
    const Frame frame = Frame::grab();
    const int glyph255 = 800 + h.left;
    EXPECT_TRUE(frame.anyLitIn(glyph255, 300, glyph255 + h.width, 300 + h.top));
    EXPECT_FALSE(frame.anyLitIn(glyph255 + h.width, 0, kWidth, kHeight));
  }
  const std::string huge(100000, '%');
  printText(printer, "%s%s", huge.c_str(), huge.c_str());
}

TEST_F(FontPrinterTest, BytesAbove127DrawNothingAndCallNoOtherDisplayList) {
  // Lists right after the font's 128, as another part of the game might own
  // them, fill the window green if anything calls them.
  FontPrinter printer = load(dejaVu);
  for (unsigned k = 128; k < 256; ++k) {
    glNewList(printer.listBase + k, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.0f, 1.0f, 0.0f);
    glRectf(-5000.0f, -5000.0f, 5000.0f, 5000.0f);
    glEndList();
  }
  std::string highBytes;
  for (int b = 128; b < 256; ++b) highBytes.push_back(static_cast<char>(b));

  auto draw = [&](const std::string& text) {
    window->clear();
    pixelExactView();
    glTranslatef(100.0f, 300.0f, 0.0f);
    printText(printer, "%s", text.c_str());
    return Frame::grab();
  };
  const Frame plain = draw("AB");
  const Frame mixed = draw("A" + highBytes + "B\xC3\xA9");
  EXPECT_TRUE(plain.rgba == mixed.rgba) << "high bytes changed the picture";
  const Frame only = draw(highBytes);
  EXPECT_EQ(only.leftmostLitColumn(), -1);
}

TEST_F(FontPrinterTest, AFontThatCannotBeOpenedThrowsTheFaceError) {
  const std::string notAFont = testing::TempDir() + "plombrix-not-a-font.ttf";
  std::ofstream(notAFont) << "this is not a TrueType file";
  for (const std::string& path : {std::string("/nonexistent/res/fonts/Cookies.ttf"), notAFont}) {
    FontPrinter printer;
    try {
      printer.loadFont(path.c_str(), kGameFontSize);
      ADD_FAILURE() << path << " loaded";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), "FT_New_Face failed (there is probably a problem with your font file)");
    }
    // A printer whose font never loaded prints nothing rather than calling
    // whatever lists happen to be there.
    window->clear();
    printText(printer, "text");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
  std::remove(notAFont.c_str());
}

TEST(GameStartUp, MissingFontStopsTheGameWithTheMessageAndAFailureStatus) {
  // The game started in a folder without res/: the font error must reach the
  // player on standard error and end the process with a failure status.
  const fs::path game = fs::path(PLOMBRIX_BUILD_DIR) / "plombrix";
  ASSERT_TRUE(fs::exists(game)) << game << " is missing: build the plombrix target first";
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";

  char pattern[] = "/tmp/plombrix-nofont-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path dir = pattern;
  const std::string command = "cd '" + dir.string() + "' && SDL_AUDIODRIVER=dummy timeout 60 '" +
                              game.string() + "' >stdout.txt 2>stderr.txt";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  const int code = WEXITSTATUS(status);
  std::stringstream err;
  err << std::ifstream(dir / "stderr.txt").rdbuf();
  fs::remove_all(dir);

  EXPECT_NE(code, 0);
  EXPECT_NE(code, 124) << "the game kept running without its font";
  EXPECT_NE(err.str().find("FT_New_Face failed (there is probably a problem with your font file)"),
            std::string::npos)
      << "stderr was: " << err.str();
}

}  // namespace
