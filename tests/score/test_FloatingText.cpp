#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "gfx/FontPrinter.h"
#include "gfx/GlIncludes.h"
#include "score/FloatingText.h"
#include "score/ScoreTestSupport.h"
#include "support/GlTestWindow.h"

namespace {

TEST(FloatingTextLook, SwellsHoversAndBlowsUpOnScheduleWithTenthSecondFrames) {
  // Update k (from 1) shows: swell-in for 1..3, hover for 4..11, blow-up for
  // 12..13; update 14 finishes it. The text rises 0.2 a frame throughout.
  FloatingText text(1.5f, 2.0f, "2 chain!");
  const float swell[] = {0.0f, 0.6667f, 1.3333f};
  for (int k = 1; k <= 14; ++k) {
    SCOPED_TRACE("after update " + std::to_string(k));
    text.update(0.1f);
    EXPECT_NEAR(text.rise, 0.2f * k, 1e-5f);
    if (k <= 3) {
      EXPECT_NEAR(text.scale, swell[k - 1], 1e-4f);
      EXPECT_NEAR(text.alpha, 0.8f * swell[k - 1], 1e-4f);
      EXPECT_EQ(text.phase, k < 3 ? FloatingText::kSwellIn : FloatingText::kHover);
    } else if (k <= 11) {
      EXPECT_FLOAT_EQ(text.alpha, 0.8f);
      EXPECT_NEAR(text.scale, 1.0 + 0.125 * std::sin(10.0 * 0.1 * (k - 3)), 1e-4) << "a gentle pulse";
      EXPECT_EQ(text.phase, k < 11 ? FloatingText::kHover : FloatingText::kBlowUp);
    } else if (k <= 13) {
      EXPECT_NEAR(text.scale, k == 12 ? 20.0f : 40.0f, 1e-3f);
      EXPECT_NEAR(text.alpha, k == 12 ? 0.48f : 0.16f, 1e-5f);
      EXPECT_EQ(text.phase, FloatingText::kBlowUp);
    } else {
      EXPECT_EQ(text.phase, FloatingText::kFinished);
    }
  }
}

TEST(FloatingTextDrawing, IsPrintedVerbatimAtItsRaisedAnchorInTranslucentWhite) {
  const std::string font = debianFont("DejaVuSans.ttf");
  ASSERT_FALSE(font.empty()) << "fonts-dejavu-core is one of the test packages";
  GlTestWindow& window = GlTestWindow::open();
  FontPrinter::instance().loadFont(font.c_str(), 36);

  // Printed as a format, "%s%n" would read arguments nobody passed; it must look
  // exactly like its characters printed literally at the text's place and look.
  const char* message = "100%s%n%d";
  FloatingText text(-2.0f, 3.0f, message);
  for (int k = 0; k < 4; ++k) text.update(0.1f);
  ASSERT_EQ(text.phase, FloatingText::kHover);
  window.clear();
  text.render();
  const auto drawn = grabColours();
  window.clear();
  glPushMatrix();
  glTranslatef(text.x, text.y + text.rise, 0.0f);
  glColor4f(1.0f, 1.0f, 1.0f, text.alpha);
  const float s = text.scale * 0.015f;
  glScalef(s, s, s);
  printText(FontPrinter::instance(), "%s", message);
  glPopMatrix();
  // Its black edge leaves a black background black.
  EXPECT_TRUE(drawn == grabColours()) << "a '%' in a floating text must be drawn as a '%'";

  int brightest = 0;
  for (std::size_t i = 0; i < drawn.size(); i += 4) {
    brightest = std::max<int>(brightest, drawn[i]);
    ASSERT_TRUE(drawn[i] == drawn[i + 1] && drawn[i] == drawn[i + 2]) << "floating texts are white";
  }
  EXPECT_NEAR(brightest, 204, 3) << "white at 0.8 opacity over black";
}

TEST(FloatingTextDrawing, ADarkEdgeKeepsTheWhiteGlyphsReadableOnWhiteAndFadesWithTheText) {
  const std::string font = debianFont("DejaVuSans.ttf");
  ASSERT_FALSE(font.empty()) << "fonts-dejavu-core is one of the test packages";
  GlTestWindow& window = GlTestWindow::open();
  FontPrinter::instance().loadFont(font.c_str(), 36);
  FloatingText text(-1.0f, 2.0f, "3 chain!");
  for (int k = 0; k < 4; ++k) text.update(0.1f);

  auto drawOver = [&](const FloatingText& shown, float background) {
    glClearColor(background, background, background, 1.0f);
    window.clear();
    shown.render();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    return grabFrame();
  };
  auto darkness = [](std::uint8_t level) { return 255 - int{level}; };

  // The glyphs are where the text lights a black background; on white they
  // must stay bright, ringed by dark pixels as strong as the text is opaque.
  int previousEdge = 256;
  for (float alpha : {0.8f, 0.4f, 0.1f, 0.0f}) {
    SCOPED_TRACE("opacity " + std::to_string(alpha));
    text.alpha = alpha;
    const auto onBlack = drawOver(text, 0.0f), onWhite = drawOver(text, 1.0f);
    int edge = 0, dimmestGlyph = 255;
    for (std::size_t i = 0; i < onWhite.size(); i += 4) {
      edge = std::max(edge, darkness(onWhite[i]));
      const bool glyph = alpha > 0.0f && onBlack[i] >= 0.95f * 255.0f * alpha;
      if (glyph) dimmestGlyph = std::min<int>(dimmestGlyph, onWhite[i]);
    }
    EXPECT_LT(edge, previousEdge) << "the edge must fade with the text";
    previousEdge = edge;
    if (alpha == 0.8f) {
      EXPECT_GT(edge, 200) << "no dark edge: white text vanishes on white";
      EXPECT_GE(dimmestGlyph, 190) << "the edge covers the glyphs";
    } else if (alpha == 0.0f) {
      EXPECT_EQ(edge, 0) << "a faded text leaves nothing behind";
    }
  }

  // Blown up twenty times, still at 0.48 opacity, the giant glyphs fill the
  // window: their edge must not darken the field under them. (Their own soft
  // rims, grey where the coverage is partial, take up to a quarter of the
  // opacity off white.)
  FloatingText blowing(-1.0f, 2.0f, "3 chain!");
  for (int k = 0; k < 12; ++k) blowing.update(0.1f);
  ASSERT_EQ(blowing.phase, FloatingText::kBlowUp);
  const auto onBlack = drawOver(blowing, 0.0f), onWhite = drawOver(blowing, 1.0f);
  int lit = 0, veil = 0;
  for (std::size_t i = 0; i < onWhite.size(); i += 4) {
    lit += onBlack[i] > 100;
    veil = std::max(veil, darkness(onWhite[i]));
  }
  EXPECT_GT(lit, 10000) << "the blown-up text should be in view";
  EXPECT_LE(veil, 0.25f * 0.48f * 255.0f + 2.0f) << "the blown-up text casts a dark veil";
}

}  // namespace
