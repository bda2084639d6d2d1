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
  constexpr float dt = 0.1f;
  for (int k = 1; k <= 14; ++k) {
    SCOPED_TRACE("after update " + std::to_string(k));
    text.update(dt);
    EXPECT_NEAR(text.rise, 0.2f * k, 1e-5f);
    if (k <= 3) {
      const float swell[] = {0.0f, 0.6667f, 1.3333f};
      EXPECT_NEAR(text.scale, swell[k - 1], 1e-4f);
      EXPECT_NEAR(text.alpha, 0.8f * swell[k - 1], 1e-4f);
      EXPECT_EQ(text.phase, k < 3 ? FloatingText::kSwellIn : FloatingText::kHover);
    } else if (k <= 11) {
      const double hoverSeconds = 0.1 * (k - 3);
      EXPECT_FLOAT_EQ(text.alpha, 0.8f);
      EXPECT_NEAR(text.scale, 1.0 + 0.125 * std::sin(10.0 * hoverSeconds), 1e-4);
      EXPECT_EQ(text.phase, k < 11 ? FloatingText::kHover : FloatingText::kBlowUp);
    } else if (k <= 13) {
      EXPECT_NEAR(text.scale, k == 12 ? 20.0f : 40.0f, 1e-3f);
      EXPECT_NEAR(text.alpha, k == 12 ? 0.48f : 0.16f, 1e-5f);
      EXPECT_EQ(text.phase, FloatingText::kBlowUp);
    } else {
      EXPECT_EQ(text.phase, FloatingText::kFinished);
    }
  }
  EXPECT_EQ(text.x, 1.5f);
  EXPECT_EQ(text.y, 2.0f);
}

TEST(FloatingTextLook, HoverPulsesWithinAnEighthOfItsSizeAtAnyFrameRate) {
  FloatingText text(0.0f, 0.0f, "x");
  float smallest = 10.0f, largest = 0.0f;
  while (text.phase != FloatingText::kFinished) {
    text.update(0.013f);
    if (text.phase == FloatingText::kHover && text.phaseClock > 0.013f * 1.5f) {
      smallest = std::min(smallest, text.scale);
      largest = std::max(largest, text.scale);
    }
  }
  EXPECT_GE(smallest, 0.875f);
  EXPECT_LE(largest, 1.125f);
  EXPECT_LT(smallest, 0.88f) << "the pulse should swing through its whole range";
  EXPECT_GT(largest, 1.12f);
}

class FloatingTextDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string font = debianFont("DejaVuSans.ttf");
    ASSERT_FALSE(font.empty()) << "fonts-dejavu-core is one of the test packages";
    window = &GlTestWindow::open();
    FontPrinter::instance().loadFont(font.c_str(), 36);
  }
  GlTestWindow* window = nullptr;
};

TEST_F(FloatingTextDrawing, ANewTextIsInvisibleAfterItsFirstUpdate) {
  FloatingText text(0.0f, 3.0f, "2 chain!");
  text.update(0.05f);
  text.render();
  EXPECT_TRUE(markedPixels(grabFrame(), 0).empty());
}

TEST_F(FloatingTextDrawing, PercentSignsAreDrawnAsTheyStandInWhiteAtTheTextsOpacity) {
  // Printed as a format, "%s%n" would read arguments nobody passed; the text
  // must look exactly like the same characters printed literally.
  const char* message = "100%s%n%d";
  FloatingText text(-2.0f, 3.0f, message);
  for (int k = 0; k < 4; ++k) text.update(0.1f);
  ASSERT_EQ(text.phase, FloatingText::kHover);
  text.render();
  const auto drawn = grabFrame();

  window->clear();
  glPushMatrix();
  glTranslatef(text.x, text.y + text.rise, 0.0f);
  glColor4f(1.0f, 1.0f, 1.0f, text.alpha);
  const float s = text.scale * 0.015f;
  glScalef(s, s, s);
  printText(FontPrinter::instance(), "%s", message);
  glPopMatrix();
  EXPECT_TRUE(drawn == grabFrame()) << "the floating text differs from its literal characters";

  // It stands on its anchor, raised by rise, in white at 0.8 opacity.
  const auto marked = markedPixels(drawn, 0);
  ASSERT_FALSE(marked.empty());
  const auto anchor = GlTestWindow::worldToPixel(text.x, text.y + text.rise);
  int left = 100000, bottom = -1;
  for (const auto& [x, y] : marked) {
    left = std::min(left, x);
    bottom = std::max(bottom, y);
  }
  EXPECT_NEAR(left, anchor[0], 12);
  EXPECT_NEAR(bottom, anchor[1], 12);
  int brightest = 0;
  for (std::size_t i = 0; i < drawn.size(); i += 4) brightest = std::max<int>(brightest, drawn[i]);
  EXPECT_NEAR(brightest, 204, 3);
  const Rgba deep = window->pixel(marked.front().first, marked.front().second);
  EXPECT_EQ(deep.r, deep.b) << "floating texts are white";
}

}  // namespace
