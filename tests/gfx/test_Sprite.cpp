#include "gfx/Sprite.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/TgaWriter.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A fresh file name for every test process.
std::string scratchFile(const std::string& name) {
  const fs::path dir = fs::temp_directory_path() / ("plombrix-sprite-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  return (dir / name).string();
}

class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override { window = &GlTestWindow::open(); }
  void TearDown() override {
    fs::remove_all(fs::temp_directory_path() / ("plombrix-sprite-" + std::to_string(::getpid())));
  }

  // The owners' pattern: texturing on, tint, transform, call, texturing off.
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
};

std::string makeCapturing(int& listId, int& textureId, const std::string& path) {
  ::testing::internal::CaptureStdout();
  makeSprite(listId, textureId, path.c_str());
  return ::testing::internal::GetCapturedStdout();
}

// A 4 x 4 picture in quadrants, top row first: red | green over blue | white.
Bytes quadrants() {
  Bytes rgba;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const bool top = y < 2, left = x < 2;
      if (top && left) rgba.insert(rgba.end(), {255, 0, 0, 255});
      if (top && !left) rgba.insert(rgba.end(), {0, 255, 0, 255});
      if (!top && left) rgba.insert(rgba.end(), {0, 0, 255, 255});
      if (!top && !left) rgba.insert(rgba.end(), {255, 255, 255, 255});
    }
  }
  return rgba;
}

TEST_F(SpriteTest, ASecondMakeSpriteNeitherLoadsAgainNorTakesAnotherList) {
  const std::string path = scratchFile("solid.tga");
  writeSolidTga(path, 2, 2, 10, 200, 30);
  int listId = kNoSprite;
  int textureId = -1;
  const std::string first = makeCapturing(listId, textureId, path);
  EXPECT_EQ(first, "\nLoading texture " + path + "...2x2:4");
  ASSERT_GE(listId, 0);
  EXPECT_GT(textureId, 0);

  // Names are handed out in sequence, so a list taken in between would show
  // up as a gap.
  const GLuint before = glGenLists(1);
  const int createdList = listId;
  int freshSlot = -1;
  EXPECT_EQ(makeCapturing(listId, freshSlot, path), "");
  const GLuint after = glGenLists(1);
  EXPECT_EQ(listId, createdList);
  EXPECT_EQ(freshSlot, -1);
  EXPECT_EQ(after, before + 1) << "a second list was generated";
}

TEST_F(SpriteTest, AGivenTextureNameIsUsedUnchangedAndNoFileIsRead) {
  constexpr GLuint kGivenTexture = 7;
  const GLubyte green[4] = {0, 220, 0, 255};
  glBindTexture(GL_TEXTURE_2D, kGivenTexture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, green);
  glBindTexture(GL_TEXTURE_2D, 0);

  int listId = kNoSprite;
  int textureId = static_cast<int>(kGivenTexture);
  EXPECT_EQ(makeCapturing(listId, textureId, "no/such/picture.tga"), "");
  EXPECT_EQ(textureId, static_cast<int>(kGivenTexture));

  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  draw(listId, 0.0f, 3.0f, 2.0f, 2.0f);
  EXPECT_TRUE(near(at(0.0f, 3.0f), 0, 220, 0));
}

TEST_F(SpriteTest, AFailedLoadStillDrawsAnUntexturedSquareInTheCurrentColour) {
  // A picture left bound by someone else must not show through: the list binds
  // the default texture, which has no image.
  GLuint stray = 0;
  const GLubyte magenta[4] = {255, 0, 255, 255};
  glGenTextures(1, &stray);
  glBindTexture(GL_TEXTURE_2D, stray);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, magenta);

  const std::string path = scratchFile("absent.tga");
  int listId = kNoSprite;
  int textureId = -1;
  EXPECT_EQ(makeCapturing(listId, textureId, path),
            "\nLoading texture " + path + "...Error: Cannot read file.");
  EXPECT_EQ(textureId, 0);
  ASSERT_GE(listId, 0);

  glColor4f(200 / 255.0f, 120 / 255.0f, 40 / 255.0f, 1.0f);
  draw(listId, 0.0f, 3.0f, 2.0f, 2.0f);
  EXPECT_TRUE(near(at(0.0f, 3.0f), 200, 120, 40));
  EXPECT_TRUE(near(at(0.9f, 3.9f), 200, 120, 40));
  EXPECT_TRUE(near(at(1.1f, 3.0f), 0, 0, 0));
}

TEST_F(SpriteTest, ThePictureStandsUprightAndIsNotMirroredInEitherFileRowOrder) {
  struct Storage {
    const char* name;
    TgaLayout layout;
  };
  for (const Storage& storage : {Storage{"bottom-first.tga", {4, 4, 24, false, false}},
                                 Storage{"top-first-rle.tga", {4, 4, 32, true, true}}}) {
    SCOPED_TRACE(storage.name);
    const std::string path = scratchFile(storage.name);
    writeTga(path, storage.layout, quadrants());
    int listId = kNoSprite;
    int textureId = -1;
    makeCapturing(listId, textureId, path);
    ASSERT_GT(textureId, 0);

    window->clear();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    // Over x -2..2, y 1..5: one texel a world unit.
    draw(listId, 0.0f, 3.0f, 4.0f, 4.0f);
    EXPECT_TRUE(near(at(-1.5f, 4.5f), 255, 0, 0)) << "the top-left texel is not at the top left";
    EXPECT_TRUE(near(at(1.5f, 4.5f), 0, 255, 0)) << "the top row is mirrored";
    EXPECT_TRUE(near(at(-1.0f, 2.0f), 0, 0, 255)) << "the picture is upside down";
    EXPECT_TRUE(near(at(1.0f, 2.0f), 255, 255, 255));
  }
}

TEST_F(SpriteTest, AScaleOfTwoByThreeCoversTwoByThreeWorldUnits) {
  const std::string path = scratchFile("yellow.tga");
  writeSolidTga(path, 2, 2, 255, 255, 0);
  int listId = kNoSprite;
  int textureId = -1;
  makeCapturing(listId, textureId, path);

  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  draw(listId, 0.5f, 3.0f, 2.0f, 3.0f);
  // Expected cover: x -0.5..1.5, y 1.5..4.5. Probe a twentieth of a unit
  // (six pixels) either side of every edge.
  constexpr float kMargin = 0.05f;
  EXPECT_TRUE(near(at(0.5f, 3.0f), 255, 255, 0));
  EXPECT_TRUE(near(at(-0.5f + kMargin, 3.0f), 255, 255, 0));
  EXPECT_TRUE(near(at(1.5f - kMargin, 3.0f), 255, 255, 0));
  EXPECT_TRUE(near(at(0.5f, 1.5f + kMargin), 255, 255, 0));
  EXPECT_TRUE(near(at(0.5f, 4.5f - kMargin), 255, 255, 0));
  EXPECT_TRUE(near(at(-0.5f - kMargin, 3.0f), 0, 0, 0));
  EXPECT_TRUE(near(at(1.5f + kMargin, 3.0f), 0, 0, 0));
  EXPECT_TRUE(near(at(0.5f, 1.5f - kMargin), 0, 0, 0));
  EXPECT_TRUE(near(at(0.5f, 4.5f + kMargin), 0, 0, 0));
}

}  // namespace
