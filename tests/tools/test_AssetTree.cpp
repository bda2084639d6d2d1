// After the build every file the game reads exists under res/ and loads
// through the game's own loaders: pictures as textures, samples and music
// through the mixer back end, the font through the font printer.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "audio/MixerBackend.h"
#include "audio/SoundBank.h"
#include "gfx/FontPrinter.h"
#include "gfx/GlIncludes.h"
#include "gfx/Texture.h"
#include "gfx/TgaImage.h"
#include "support/GlTestWindow.h"

namespace {

namespace fs = std::filesystem;

struct Picture {
  const char* name;
  int width, height;
  enum Kind { Screen, Background, Limb, Sprite } kind;
};

// Every picture the game opens, with the size it is drawn from.
const Picture kPictures[] = {
    {"background.tga", 1024, 768, Picture::Background},  {"titlescreen.tga", 1024, 768, Picture::Screen},
    {"instructions.tga", 1024, 768, Picture::Screen},    {"character_head.tga", 256, 168, Picture::Limb},
    {"character_armright.tga", 128, 128, Picture::Limb}, {"character_armleft.tga", 128, 128, Picture::Limb},
    {"character_legright.tga", 64, 64, Picture::Limb},   {"character_legleft.tga", 64, 64, Picture::Limb},
    {"disease_mite.tga", 128, 128, Picture::Sprite},     {"disease_spore.tga", 128, 128, Picture::Sprite},
    {"disease_squid.tga", 128, 128, Picture::Sprite},    {"disease_worm.tga", 128, 128, Picture::Sprite},
    {"disease_ecoli.tga", 128, 128, Picture::Sprite},    {"disease_fetus.tga", 128, 128, Picture::Sprite},
    {"disease_worm2.tga", 128, 128, Picture::Sprite},    {"diseaseBubble.tga", 128, 128, Picture::Sprite},
    {"specialGlow.tga", 128, 128, Picture::Sprite},      {"selection.tga", 128, 128, Picture::Sprite},
    {"mouseGoo.tga", 64, 64, Picture::Sprite},           {"popBubble2.tga", 64, 16, Picture::Sprite},
    {"smokeParticle.tga", 32, 32, Picture::Sprite},
};

constexpr const char* kMusic = "./res/audio/Tolvaren_Drift2.mp3";
constexpr const char* kFont = "./res/fonts/Cookies.ttf";

// The game opens everything relative to its working directory, the build
// folder.
class AssetTree : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::current_path(PLOMBRIX_BUILD_DIR);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  }
  void TearDown() override { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

std::uint8_t alphaAt(const TgaImage& image, int x, int y) {
  return image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4 + 3];
}

TEST_F(AssetTree, EveryPictureBecomesATextureOfItsSize) {
  GlTestWindow::open();
  for (const Picture& picture : kPictures) {
    const std::string path = std::string("./res/images/") + picture.name;
    SCOPED_TRACE(path);
    ::testing::internal::CaptureStdout();
    const unsigned texture = loadTexture(path.c_str());
    const std::string console = ::testing::internal::GetCapturedStdout();
    ASSERT_NE(texture, 0u) << console;
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, picture.width);
    EXPECT_EQ(height, picture.height);
    EXPECT_NE(console.find(std::to_string(picture.width) + "x" + std::to_string(picture.height) + ":4"),
              std::string::npos)
        << console;
    glDeleteTextures(1, &texture);
  }
}

TEST_F(AssetTree, PicturesAreTopFirstTrueColourWithAlphaWhereTheyNeedIt) {
  for (const Picture& picture : kPictures) {
    const std::string path = std::string("./res/images/") + picture.name;
    SCOPED_TRACE(path);
    TgaImage image;
    ASSERT_TRUE(image.load(path.c_str()));
    EXPECT_EQ(image.bitsPerPixel, 32);
    EXPECT_TRUE(image.descriptor & 0x20) << "rows are stored top row first";
    const int w = image.width, h = image.height;
    switch (picture.kind) {
      case Picture::Screen:
      case Picture::Limb:
        // Drawn without holes: every texel opaque.
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) ASSERT_EQ(alphaAt(image, x, y), 255) << "at " << x << ", " << y;
        break;
      case Picture::Background:
        EXPECT_EQ(image.pixelDepth, 32);
        EXPECT_EQ(image.imageType, 10) << "the large pictures are run-length packed";
        break;
      case Picture::Sprite:
        // Sprites are drawn over the play field: nothing may show at their
        // edges, or the square would.
        EXPECT_EQ(image.pixelDepth, 32);
        for (int x = 0; x < w; ++x) {
          EXPECT_EQ(alphaAt(image, x, 0), 0);
          EXPECT_EQ(alphaAt(image, x, h - 1), 0);
        }
        for (int y = 0; y < h; ++y) {
          EXPECT_EQ(alphaAt(image, 0, y), 0);
          EXPECT_EQ(alphaAt(image, w - 1, y), 0);
        }
        break;
    }
  }
}

TEST_F(AssetTree, EverySampleAndTheMusicLoadIntoTheMixer) {
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open()) << "the dummy audio driver should open";
  const auto& files = SoundBank::soundFiles();
  for (int index = 0; index < SoundBank::kSoundCount; ++index) {
    SCOPED_TRACE(files[static_cast<std::size_t>(index)]);
    EXPECT_TRUE(mixer.loadSample(index, files[static_cast<std::size_t>(index)]));
    EXPECT_TRUE(mixer.hasSample(index));
  }
  mixer.playMusic(kMusic);
  EXPECT_EQ(mixer.musicStreams(), 1) << "the music did not load";
}

TEST_F(AssetTree, TheFontLoadsAndItsLicenceTravelsWithIt) {
  GlTestWindow::open();
  FontPrinter& printer = FontPrinter::instance();
  ASSERT_NO_THROW(printer.loadFont(kFont, 36));
  // Every character the game prints ("$%d", "%d chain!") has a real glyph,
  // not the font's empty box.
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  ASSERT_EQ(FT_New_Face(library, kFont, 0, &face), 0);
  for (char c : std::string("0123456789$- chain!"))
    EXPECT_NE(FT_Get_Char_Index(face, c), 0u) << "'" << c << "'";
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  std::ifstream licence("./res/fonts/Cookies-LICENSE.txt");
  ASSERT_TRUE(licence.good());
  const std::string text((std::istreambuf_iterator<char>(licence)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("SIL OPEN FONT LICENSE"), std::string::npos);
}

}  // namespace
