#include <gtest/gtest.h>

#include <cmath>

#include "fx/SmokeParticle.h"
#include "gfx/GlIncludes.h"
#include "gfx/Sprite.h"
#include "support/GlTestWindow.h"

namespace {

TEST(SmokeParticle, StartsLightInactiveAndWithoutAttractors) {
  const SmokeParticle p;
  EXPECT_FLOAT_EQ(p.mass, 1.0f);
  EXPECT_FLOAT_EQ(p.radius, 0.33f);
  EXPECT_FLOAT_EQ(p.heading, 0.0f);
  EXPECT_EQ(p.attractorCount, 0);
  EXPECT_FALSE(p.active);
}

// Draws one puff in plain white at (0, 3) and measures the lit run of pixels
// through its centre along a row and a column.
class SmokeQuad : public ::testing::Test {
 protected:
  void SetUp() override {
    window = &GlTestWindow::open();
    depth = GlTestWindow::modelViewDepth();
    quad = static_cast<int>(glGenLists(1));
    glNewList(static_cast<GLuint>(quad), GL_COMPILE);
    emitUnitQuad();
    glEndList();
  }

  void draw(float radius, float heading) {
    window->clear();
    SmokeParticle p;
    p.x = 0.0f;
    p.y = 3.0f;
    p.radius = radius;
    p.heading = heading;
    p.listId = quad;
    glColor3f(1.0f, 1.0f, 1.0f);
    p.render();
  }

  bool lit(int x, int y) const { return window->pixel(x, y).r > 128; }

  int runAcross() const {
    const auto c = GlTestWindow::worldToPixel(0.0f, 3.0f);
    int n = 0;
    for (int x = c[0] - 200; x <= c[0] + 200; ++x) n += lit(x, c[1]) ? 1 : 0;
    return n;
  }
  int runDown() const {
    const auto c = GlTestWindow::worldToPixel(0.0f, 3.0f);
    int n = 0;
    for (int y = c[1] - 300; y <= c[1] + 300; ++y) n += lit(c[0], y) ? 1 : 0;
    return n;
  }

  GlTestWindow* window = nullptr;
  int quad = kNoSprite;
  int depth = 0;
};

constexpr float kPixelsPerUnit = 128.0f;

TEST_F(SmokeQuad, APuffIsANarrowUprightRectangleScaledByItsRadius) {
  draw(0.25f, 0.0f);
  EXPECT_NEAR(runAcross(), 0.0875f * kPixelsPerUnit, 1.5f) << "0.35 x radius wide";
  EXPECT_NEAR(runDown(), 0.1875f * kPixelsPerUnit, 1.5f) << "0.75 x radius tall";

  draw(2.0f, 0.0f);
  EXPECT_NEAR(runAcross(), 0.7f * kPixelsPerUnit, 1.5f);
  EXPECT_NEAR(runDown(), 1.5f * kPixelsPerUnit, 1.5f);
  const auto corner = GlTestWindow::worldToPixel(0.3f, 3.7f);
  EXPECT_TRUE(lit(corner[0], corner[1]));
}

TEST_F(SmokeQuad, TheHeadingTurnsTheQuadBeforeItIsSqueezed) {
  // Half a turn more looks the same: a rectangle is symmetric.
  draw(2.0f, 90.0f);
  EXPECT_NEAR(runAcross(), 0.7f * kPixelsPerUnit, 1.5f);
  EXPECT_NEAR(runDown(), 1.5f * kPixelsPerUnit, 1.5f);

  // Turned by 45 degrees and then squeezed: a diamond whose diagonals are the
  // squeezed diagonal of the unit square, with its box corners empty.
  draw(2.0f, 45.0f);
  EXPECT_NEAR(runAcross(), 0.7f * std::sqrt(2.0f) * kPixelsPerUnit, 2.0f);
  EXPECT_NEAR(runDown(), 1.5f * std::sqrt(2.0f) * kPixelsPerUnit, 2.0f);
  const auto corner = GlTestWindow::worldToPixel(0.3f, 3.7f);
  EXPECT_FALSE(lit(corner[0], corner[1]));
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth) << "the puff must pop what it pushed";
}

}  // namespace
