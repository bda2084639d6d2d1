#include "gfx/Sprite.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"
#include "support/TgaWriter.h"

namespace {

class SpriteTest : public ::testing::Test {
 protected:
  // makeSprite, returning what it printed.
  static std::string make(int& listId, const std::string& path) {
    ::testing::internal::CaptureStdout();
    makeSprite(listId, path.c_str());
    return ::testing::internal::GetCapturedStdout();
  }

  // The owners' pattern: texturing on, transform, call, texturing off.
  void draw(int listId, float x, float y, float width, float height) const {
    window.clear();
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glScalef(width, height, 1.0f);
    glCallList(static_cast<GLuint>(listId));
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
  }

  // Whether world (x, y) shows about (r, g, b).
  ::testing::AssertionResult shows(float x, float y, int r, int g, int b) const {
    const auto p = GlTestWindow::worldToPixel(x, y);
    return near(window.pixel(p[0], p[1]), r, g, b) << " at (" << x << ", " << y << ")";
  }

  GlTestWindow& window = GlTestWindow::open();
  ScratchDir scratch;
};

TEST_F(SpriteTest, AFailedLoadDrawsAnUntexturedSquareInTheCurrentColour) {
  // A picture left bound by someone else must not show through.
  GLuint stray = 0;
  glGenTextures(1, &stray);
  const GLubyte magenta[4] = {255, 0, 255, 255};
  glBindTexture(GL_TEXTURE_2D, stray);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, magenta);
  const std::string path = scratch.image("absent.tga");
  int listId = kNoSprite;
  EXPECT_EQ(make(listId, path), "\nLoading texture " + path + "...Error: Cannot read file.");
  glColor3ub(200, 120, 40);
  draw(listId, 0.0f, 3.0f, 2.0f, 2.0f);
  EXPECT_TRUE(shows(0.0f, 3.0f, 200, 120, 40));
  EXPECT_TRUE(shows(0.9f, 3.9f, 200, 120, 40));
  EXPECT_TRUE(shows(1.1f, 3.0f, 0, 0, 0));
}

TEST_F(SpriteTest, ASpriteShowsItsPictureUprightUnmirroredInItsScaledSquare) {
  // Red, green over blue, white; stored bottom row first (the format's default).
  const std::string path = scratch.image("quadrants.tga");
  writeTga(path, TgaLayout{2, 2, 24, false, false},
           {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
  int listId = kNoSprite;
  EXPECT_EQ(make(listId, path), "\nLoading texture " + path + "...2x2:4");

  // Scale (2, 3) about (0.5, 3): covers x -0.5..1.5 and y 1.5..4.5, with the
  // texel centres at x 0 and 1, y 3.75 and 2.25; then 0.05 (six pixels)
  // inside and outside each edge.
  glColor3f(1.0f, 1.0f, 1.0f);
  draw(listId, 0.5f, 3.0f, 2.0f, 3.0f);
  EXPECT_TRUE(shows(0.0f, 3.75f, 255, 0, 0)) << "the top-left texel is not at the top left";
  EXPECT_TRUE(shows(1.0f, 3.75f, 0, 255, 0)) << "the top row is mirrored";
  EXPECT_TRUE(shows(0.0f, 2.25f, 0, 0, 255)) << "the picture is upside down";
  EXPECT_FALSE(shows(-0.45f, 3.0f, 0, 0, 0) || shows(1.45f, 3.0f, 0, 0, 0) || shows(0.5f, 1.55f, 0, 0, 0) ||
               shows(0.5f, 4.45f, 0, 0, 0))
      << "an edge is short of its place";
  EXPECT_TRUE(shows(-0.55f, 3.0f, 0, 0, 0) && shows(1.55f, 3.0f, 0, 0, 0) && shows(0.5f, 1.45f, 0, 0, 0) &&
              shows(0.5f, 4.55f, 0, 0, 0))
      << "an edge is past its place";
}

}  // namespace
