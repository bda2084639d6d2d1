#include <gtest/gtest.h>

#include <cmath>

#include "fx/SmokeParticle.h"
#include "gfx/GlIncludes.h"
#include "gfx/Sprite.h"
#include "support/GlTestWindow.h"

namespace {

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
  // Upright it is 0.35 x 0.75 radius, and a quarter turn looks the same. At 45
  // degrees it is turned before it is squeezed: a diamond whose diagonals are the
  // squeezed diagonals of the unit square, with its box corners empty.
  const float diagonal = std::sqrt(2.0f);
  for (const Look& look :
       {Look{0.25f, 0.0f, 0.0875f, 0.1875f, false}, Look{2.0f, 0.0f, 0.7f, 1.5f, true},
        Look{2.0f, 90.0f, 0.7f, 1.5f, true}, Look{2.0f, 45.0f, 0.7f * diagonal, 1.5f * diagonal, false}}) {
    SCOPED_TRACE(::testing::Message() << "radius " << look.radius << ", heading " << look.heading);
    window.clear();
    puff.radius = look.radius;
    puff.heading = look.heading;
    puff.render();
    int wide = 0, tall = 0;
    for (int d = -300; d <= 300; ++d) {
      wide += window.pixel(centre[0] + d, centre[1]).r > 128 ? 1 : 0;
      tall += window.pixel(centre[0], centre[1] + d).r > 128 ? 1 : 0;
    }
    EXPECT_NEAR(wide, look.wide * 128.0f, 2.0f);  // 128 pixels a world unit
    EXPECT_NEAR(tall, look.tall * 128.0f, 2.0f);
    EXPECT_EQ(window.pixel(corner[0], corner[1]).r > 128, look.cornerLit);
  }
}

}  // namespace
