#include "gfx/Sprite.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"
#include "support/TgaWriter.h"

namespace {

// Makes the sprite, then draws it as its owners do (texturing on, transform,
// call, texturing off) over x -0.5..1.5, y 1.5..4.5, where a 2 x 2 picture's
// texel centres lie at x 0 and 1, y 3.75 and 2.25. Returns what making it printed.
std::string makeAndDraw(GlTestWindow& window, int& listId, int& textureId, const std::string& path) {
  ::testing::internal::CaptureStdout();
  makeSprite(listId, textureId, path.c_str());
  const std::string console = ::testing::internal::GetCapturedStdout();
  window.clear();
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glTranslatef(0.5f, 3.0f, 0.0f);
  glScalef(2.0f, 3.0f, 1.0f);
  glCallList(static_cast<GLuint>(listId));
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
  return console;
}

// The square's size and edges the drawing tests measure; here, what lies on it.
TEST(Sprite, APictureShowsUprightAndUnmirroredAndAFailedLoadAnUntexturedSquareInTheCurrentColour) {
  GlTestWindow& window = GlTestWindow::open();
  const ScratchDir scratch;
  // Red, green over blue, white; 24 bits, stored bottom row first (the format's default).
  const std::string quadrants = scratch.image("quadrants.tga");
  writeTga(quadrants, TgaLayout{2, 2, 24, false, false},
           {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
  int listId = kNoSprite, textureId = kNoTexture;
  EXPECT_EQ(makeAndDraw(window, listId, textureId, quadrants), "\nLoading texture " + quadrants + "...2x2:4");
  EXPECT_TRUE(window.shows(0.0f, 3.75f, 255, 0, 0)) << "the top-left texel is not at the top left";
  EXPECT_TRUE(window.shows(1.0f, 3.75f, 0, 255, 0)) << "the top row is mirrored";
  EXPECT_TRUE(window.shows(0.0f, 2.25f, 0, 0, 255)) << "the picture is upside down";

  // A picture left bound by the last sprite must not show through a failed one.
  const std::string absent = scratch.image("absent.tga");
  listId = kNoSprite;
  textureId = kNoTexture;
  glColor3ub(200, 120, 40);
  EXPECT_EQ(makeAndDraw(window, listId, textureId, absent),
            "\nLoading texture " + absent + "...Error: Cannot read file.");
  EXPECT_TRUE(window.shows(0.0f, 3.75f, 200, 120, 40) && window.shows(1.0f, 2.25f, 200, 120, 40));
}

// A sprite handed a texture that exists already shows it and reads no file; a
// sprite that exists already is left alone, whatever its slot asks for.
TEST(Sprite, ASharedTextureIsBoundWithoutReadingAFileAndAMadeSpriteIsNeverRemade) {
  GlTestWindow& window = GlTestWindow::open();
  const ScratchDir scratch;
  const std::string red = scratch.image("red.tga");
  writeSolidTga(red, ScratchDir::kSolidSide, ScratchDir::kSolidSide, 255, 0, 0);
  constexpr int kShared = 7;
  const std::uint8_t green[] = {0, 255, 0, 255};
  glBindTexture(GL_TEXTURE_2D, kShared);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, green);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glBindTexture(GL_TEXTURE_2D, 0);

  int listId = kNoSprite;
  int textureId = kShared;
  EXPECT_EQ(makeAndDraw(window, listId, textureId, red), "") << "a texture was given, yet a file was read";
  EXPECT_EQ(textureId, kShared);
  ASSERT_GE(listId, 0);
  EXPECT_TRUE(window.shows(0.5f, 3.0f, 0, 255, 0)) << "the list does not bind the shared texture";

  const int made = listId;
  textureId = kNoTexture;
  EXPECT_EQ(makeAndDraw(window, listId, textureId, red), "") << "a made sprite read its image again";
  EXPECT_EQ(listId, made);
  EXPECT_EQ(textureId, kNoTexture);
}

}  // namespace
