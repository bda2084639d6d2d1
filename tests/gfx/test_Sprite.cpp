#include "gfx/Sprite.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"
#include "support/TgaWriter.h"

namespace {

// The square's size and edges the drawing tests measure; here, what lies on it.
TEST(Sprite, APictureShowsUprightAndUnmirroredAndAFailedLoadAnUntexturedSquareInTheCurrentColour) {
  GlTestWindow& window = GlTestWindow::open();
  const ScratchDir scratch;
  // The owners' pattern: texturing on, transform, call, texturing off.
  auto draw = [&window](const std::string& path) {
    int listId = kNoSprite;
    ::testing::internal::CaptureStdout();
    makeSprite(listId, path.c_str());
    const std::string console = ::testing::internal::GetCapturedStdout();
    window.clear();
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glTranslatef(0.5f, 3.0f, 0.0f);
    glScalef(2.0f, 3.0f, 1.0f);  // x -0.5..1.5, y 1.5..4.5: texel centres at x 0 and 1, y 3.75 and 2.25
    glCallList(static_cast<GLuint>(listId));
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    return console;
  };
  auto shows = [&window](float x, float y, int r, int g, int b) {
    const auto p = GlTestWindow::worldToPixel(x, y);
    return near(window.pixel(p[0], p[1]), r, g, b) << " at (" << x << ", " << y << ")";
  };

  // Red, green over blue, white; 24 bits, stored bottom row first (the format's default).
  const std::string quadrants = scratch.image("quadrants.tga");
  writeTga(quadrants, TgaLayout{2, 2, 24, false, false},
           {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
  glColor3f(1.0f, 1.0f, 1.0f);
  EXPECT_EQ(draw(quadrants), "\nLoading texture " + quadrants + "...2x2:4");
  EXPECT_TRUE(shows(0.0f, 3.75f, 255, 0, 0)) << "the top-left texel is not at the top left";
  EXPECT_TRUE(shows(1.0f, 3.75f, 0, 255, 0)) << "the top row is mirrored";
  EXPECT_TRUE(shows(0.0f, 2.25f, 0, 0, 255)) << "the picture is upside down";

  // A picture left bound by the last sprite must not show through a failed one.
  const std::string absent = scratch.image("absent.tga");
  glColor3ub(200, 120, 40);
  EXPECT_EQ(draw(absent), "\nLoading texture " + absent + "...Error: Cannot read file.");
  EXPECT_TRUE(shows(0.0f, 3.75f, 200, 120, 40) && shows(1.0f, 2.25f, 200, 120, 40));
}

}  // namespace
