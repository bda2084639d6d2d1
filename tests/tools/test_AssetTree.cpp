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

// How a picture's alpha must look on screen: screens and limbs are drawn
// without holes; sprites sit over the play field, so their square must not show
// at its edges; the background's windows onto the limbs are tested with them.
enum class Alpha { Opaque, ClearEdges, Windowed };

struct Picture {
  const char* name;
  int width, height;
  Alpha alpha;
};

// Every picture the game opens, with the size it is drawn from.
const Picture kPictures[] = {
    {"background.tga", 1024, 768, Alpha::Windowed},      {"titlescreen.tga", 1024, 768, Alpha::Opaque},
    {"instructions.tga", 1024, 768, Alpha::Opaque},      {"character_head.tga", 256, 168, Alpha::Opaque},
    {"character_armright.tga", 128, 128, Alpha::Opaque}, {"character_armleft.tga", 128, 128, Alpha::Opaque},
    {"character_legright.tga", 64, 64, Alpha::Opaque},   {"character_legleft.tga", 64, 64, Alpha::Opaque},
    {"disease_mite.tga", 128, 128, Alpha::ClearEdges},   {"disease_spore.tga", 128, 128, Alpha::ClearEdges},
    {"disease_squid.tga", 128, 128, Alpha::ClearEdges},  {"disease_worm.tga", 128, 128, Alpha::ClearEdges},
    {"disease_ecoli.tga", 128, 128, Alpha::ClearEdges},  {"disease_fetus.tga", 128, 128, Alpha::ClearEdges},
    {"disease_worm2.tga", 128, 128, Alpha::ClearEdges},  {"diseaseBubble.tga", 128, 128, Alpha::ClearEdges},
    {"specialGlow.tga", 128, 128, Alpha::ClearEdges},    {"selection.tga", 128, 128, Alpha::ClearEdges},
    {"mouseGoo.tga", 64, 64, Alpha::ClearEdges},         {"popBubble2.tga", 64, 16, Alpha::ClearEdges},
    {"smokeParticle.tga", 32, 32, Alpha::ClearEdges},
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

TEST_F(AssetTree, EveryPictureBecomesATextureOfItsSizeWithSoundEdges) {
  GlTestWindow::open();
  for (const Picture& picture : kPictures) {
    const std::string path = std::string("./res/images/") + picture.name;
    SCOPED_TRACE(path);
    ::testing::internal::CaptureStdout();
    const unsigned texture = loadTexture(path.c_str());  // takes 32-bit colour only
    const std::string console = ::testing::internal::GetCapturedStdout();
    ASSERT_NE(texture, 0u) << console;
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, picture.width);
    EXPECT_EQ(height, picture.height);
    glDeleteTextures(1, &texture);

    TgaImage image;
    ASSERT_TRUE(image.load(path.c_str()));
    if (picture.width == 1024) {
      EXPECT_EQ(image.imageType, 10) << "the large pictures are run-length packed";
    }
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) {
        const int alpha = image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4 + 3];
        const bool edge = x == 0 || y == 0 || x == image.width - 1 || y == image.height - 1;
        if (picture.alpha == Alpha::Opaque) {
          ASSERT_EQ(alpha, 255) << "a hole at " << x << ", " << y;
        } else if (picture.alpha == Alpha::ClearEdges && edge) {
          ASSERT_EQ(alpha, 0) << "the sprite's square shows at " << x << ", " << y;
        }
      }
  }
}

TEST_F(AssetTree, EverySampleAndTheMusicLoadIntoTheMixer) {
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open()) << "the dummy audio driver should open";
  const auto& files = SoundBank::soundFiles();
  for (int index = 0; index < SoundBank::kSoundCount; ++index)
    EXPECT_TRUE(mixer.loadSample(index, files[index])) << files[index];
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
