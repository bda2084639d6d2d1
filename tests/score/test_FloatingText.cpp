#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/FontPrinter.h"
#include "gfx/GlIncludes.h"
#include "score/FloatingText.h"
#include "support/Frame.h"
#include "support/GlTestWindow.h"

namespace {

// The back buffer, without the alpha nobody sees: every alpha byte reads 0.
std::vector<std::uint8_t> grabFrame() {
  std::vector<std::uint8_t> rgba = Frame().rgba;
  for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 0;
  return rgba;
}

TEST(
    FloatingText,
    SwellsInHoversWithAPulseThenBlowsUpFadingRisesThroughoutAndIsPrintedVerbatimInWhiteOverADarkEdgeThatFadesWithIt) {
  // Tenth-second updates 1 to 3 swell it in, 4 to 11 hover, 12 and 13 blow it up.
  FloatingText look(1.5f, 2.0f, "2 chain!");
  float rise = 0.0f, scale = -1.0f, alpha = 1.0f, smallest = 2.0f, largest = 0.0f;
  for (int k = 1; k <= 13; ++k, rise = look.rise, scale = look.scale, alpha = look.alpha) {
    SCOPED_TRACE("after update " + std::to_string(k));
    look.update(0.1f);
    EXPECT_GT(look.rise, rise);
    EXPECT_TRUE(k <= 3    ? look.scale > scale && std::abs(look.alpha - 0.8f * look.scale) < 1e-4f
                : k <= 11 ? look.alpha == 0.8f && std::abs(look.scale - 1.0f) < 0.1251f
                          : look.scale > 10.0f && look.alpha < alpha)
        << "scale " << look.scale << ", opacity " << look.alpha;
    if (k > 3 && k <= 11) smallest = std::min(smallest, look.scale), largest = std::max(largest, look.scale);
  }
  EXPECT_GT(largest - smallest, 0.1f) << "no pulse while hovering";

  GlTestWindow& window = GlTestWindow::open();
  FontPrinter::instance().loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 36);
  const auto drawOver = [&window](const FloatingText& shown, float background) {
    glClearColor(background, background, background, 1.0f);
    window.clear();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    shown.render();
    return grabFrame();
  };
  const auto darkness = [](std::uint8_t level) { return 255 - int{level}; };

  // Printed as a format, "%s%n" would read arguments nobody passed; over black
  // (which its black edge leaves black) it must look exactly like its
  // characters printed literally, white, at the text's place and size.
  const char* message = "100%s%n%d";
  FloatingText text(-2.0f, 3.0f, message);
  for (int k = 0; k < 4; ++k) text.update(0.1f);
  const auto drawn = drawOver(text, 0.0f);
  window.clear();
  glPushMatrix();
  glTranslatef(text.x, text.y + text.rise, 0.0f);
  glColor4f(1.0f, 1.0f, 1.0f, text.alpha);
  glScalef(text.scale * 0.015f, text.scale * 0.015f, 1.0f);
  printText(FontPrinter::instance(), "%s", message);
  glPopMatrix();
  EXPECT_TRUE(drawn == grabFrame()) << "a '%' in a floating text must be drawn as a '%'";

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
      if (alpha > 0.0f && onBlack[i] >= 0.95f * 255.0f * alpha)
        dimmestGlyph = std::min<int>(dimmestGlyph, onWhite[i]);
    }
    EXPECT_LT(edge, previousEdge) << "the edge must fade with the text";
    previousEdge = edge;
    if (alpha == 0.8f) {
      EXPECT_GT(edge, 200) << "no dark edge: white text vanishes on white";
      EXPECT_GE(dimmestGlyph, 190) << "the edge covers the glyphs";
    }
  }
  EXPECT_EQ(previousEdge, 0) << "a faded text leaves nothing behind";

  // Blown up twenty times, still at 0.48 opacity, the giant glyphs fill the
  // window: their edge must not darken the field under them. (Their own soft
  // rims, grey where the coverage is partial, take up to a quarter of the
  // opacity off white.)
  for (int k = 0; k < 8; ++k) text.update(0.1f);
  ASSERT_EQ(text.phase, FloatingText::kBlowUp);
  const auto onBlack = drawOver(text, 0.0f), onWhite = drawOver(text, 1.0f);
  int lit = 0, veil = 0;
  for (std::size_t i = 0; i < onWhite.size(); i += 4) {
    lit += onBlack[i] > 100;
    veil = std::max(veil, darkness(onWhite[i]));
  }
  EXPECT_GT(lit, 10000) << "the blown-up text should be in view";
  EXPECT_LE(veil, 0.25f * 0.48f * 255.0f + 2.0f) << "the blown-up text casts a dark veil";
}

}  // namespace
