#include "gfx/Sprite.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"
#include "support/TgaWriter.h"

namespace {

class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override { window = &GlTestWindow::open(); }

  // makeSprite, returning what it printed.
  static std::string make(int& listId, const std::string& path) {
    ::testing::internal::CaptureStdout();
    makeSprite(listId, path.c_str());
    return ::testing::internal::GetCapturedStdout();
  }

  // A one-texel texture of the given colour under the given name.
  static void oneTexel(GLuint name, GLubyte r, GLubyte g, GLubyte b) {
    const GLubyte rgba[4] = {r, g, b, 255};
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  }

  // The owners' pattern: texturing on, transform, call, texturing off.
  static void draw(int listId, float x, float y, float width, float height) {
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glScalef(width, height, 1.0f);
    glCallList(static_cast<GLuint>(listId));
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
  }

  Rgba at(float wx, float wy) const {
    const auto p = GlTestWindow::worldToPixel(wx, wy);
    return window->pixel(p[0], p[1]);
  }

  GlTestWindow* window = nullptr;
  ScratchDir scratch;
};

TEST_F(SpriteTest, AFailedLoadStillDrawsAnUntexturedSquareInTheCurrentColour) {
  // A picture left bound by someone else must not show through: the list binds
  // the default texture, which has no image.
  GLuint stray = 0;
  glGenTextures(1, &stray);
  oneTexel(stray, 255, 0, 255);

  const std::string path = scratch.image("absent.tga");
  int listId = kNoSprite;
  EXPECT_EQ(make(listId, path), "\nLoading texture " + path + "...Error: Cannot read file.");
  ASSERT_GE(listId, 0);

  glColor4f(200 / 255.0f, 120 / 255.0f, 40 / 255.0f, 1.0f);
  draw(listId, 0.0f, 3.0f, 2.0f, 2.0f);
  EXPECT_TRUE(near(at(0.0f, 3.0f), 200, 120, 40));
  EXPECT_TRUE(near(at(0.9f, 3.9f), 200, 120, 40));
  EXPECT_TRUE(near(at(1.1f, 3.0f), 0, 0, 0));
}

TEST_F(SpriteTest, ASpriteIsMadeOnceAndDrawsItsPictureUprightUnmirroredInItsScaledSquare) {
  // Red, green over blue, white; stored bottom row first (the format's default).
  const std::vector<std::uint8_t> quadrants = {255, 0, 0,   255, 0,   255, 0,   255,
                                               0,   0, 255, 255, 255, 255, 255, 255};
  const std::string path = scratch.image("quadrants.tga");
  writeTga(path, TgaLayout{2, 2, 24, false, false}, quadrants);
  int listId = kNoSprite;
  EXPECT_EQ(make(listId, path), "\nLoading texture " + path + "...2x2:4");
  ASSERT_GE(listId, 0);

  // List names are handed out in sequence, so a list taken in between shows as a gap.
  const int createdList = listId;
  const GLuint before = glGenLists(1);
  EXPECT_EQ(make(listId, path), "") << "the picture was loaded again";
  EXPECT_EQ(listId, createdList);
  EXPECT_EQ(glGenLists(1), before + 1) << "a second list was generated";

  // Scale (2, 3) about (0.5, 3): covers x -0.5..1.5 and y 1.5..4.5, with the
  // texel centres at x 0 and 1, y 3.75 and 2.25.
  draw(listId, 0.5f, 3.0f, 2.0f, 3.0f);
  EXPECT_TRUE(near(at(0.0f, 3.75f), 255, 0, 0)) << "the top-left texel is not at the top left";
  EXPECT_TRUE(near(at(1.0f, 3.75f), 0, 255, 0)) << "the top row is mirrored";
  EXPECT_TRUE(near(at(0.0f, 2.25f), 0, 0, 255)) << "the picture is upside down";
  EXPECT_TRUE(near(at(1.0f, 2.25f), 255, 255, 255));
  // A twentieth of a unit (six pixels) inside and outside each edge.
  constexpr float kMargin = 0.05f;
  for (const auto& [x, y, dx, dy] : {std::array<float, 4>{-0.5f, 3.0f, -kMargin, 0.0f},
                                     {1.5f, 3.0f, kMargin, 0.0f},
                                     {0.5f, 1.5f, 0.0f, -kMargin},
                                     {0.5f, 4.5f, 0.0f, kMargin}}) {
    EXPECT_FALSE(near(at(x - dx, y - dy), 0, 0, 0))
        << "not covered inside the edge at (" << x << ", " << y << ")";
    EXPECT_TRUE(near(at(x + dx, y + dy), 0, 0, 0))
        << "covered outside the edge at (" << x << ", " << y << ")";
  }
}

}  // namespace
