#include <gtest/gtest.h>

#include <cmath>

#include "fx/SmokeParticle.h"
#include "gfx/GlIncludes.h"
#include "gfx/Sprite.h"
#include "support/GlTestWindow.h"

namespace {

constexpr float kPixelsPerUnit = 128.0f;  // with the default camera, on z = 0

TEST(SmokeParticle, APuffIsTheUnitQuadTurnedByItsHeadingThenSqueezedByItsRadius) {
  GlTestWindow& window = GlTestWindow::open();
  SmokeParticle puff;
  puff.y = 3.0f;
  puff.listId = static_cast<int>(glGenLists(1));
  glNewList(static_cast<GLuint>(puff.listId), GL_COMPILE);
  emitUnitQuad();
  glEndList();
  const auto centre = GlTestWindow::worldToPixel(0.0f, 3.0f);
  const auto corner = GlTestWindow::worldToPixel(0.3f, 3.7f);

  struct Look {
    float radius, heading;
    float wide, tall;  // world units through the centre
    bool cornerLit;
  };
  const float diagonal = std::sqrt(2.0f);
  // Upright it is 0.35 x 0.75 radius, and a quarter turn looks the same. At 45
  // degrees it is turned before it is squeezed: a diamond whose diagonals are the
  // squeezed diagonals of the unit square, with its box corners empty.
  const Look looks[] = {{0.25f, 0.0f, 0.0875f, 0.1875f, false},
                        {2.0f, 0.0f, 0.7f, 1.5f, true},
                        {2.0f, 90.0f, 0.7f, 1.5f, true},
                        {2.0f, 45.0f, 0.7f * diagonal, 1.5f * diagonal, false}};
  for (const Look& look : looks) {
    SCOPED_TRACE(::testing::Message() << "radius " << look.radius << ", heading " << look.heading);
    window.clear();
    puff.radius = look.radius;
    puff.heading = look.heading;
    glColor3f(1.0f, 1.0f, 1.0f);
    puff.render();
    int wide = 0, tall = 0;
    for (int d = -300; d <= 300; ++d) {
      wide += window.pixel(centre[0] + d, centre[1]).r > 128 ? 1 : 0;
      tall += window.pixel(centre[0], centre[1] + d).r > 128 ? 1 : 0;
    }
    EXPECT_NEAR(wide, look.wide * kPixelsPerUnit, 2.0f);
    EXPECT_NEAR(tall, look.tall * kPixelsPerUnit, 2.0f);
    EXPECT_EQ(window.pixel(corner[0], corner[1]).r > 128, look.cornerLit);
  }
}

}  // namespace
