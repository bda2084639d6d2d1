// After the build every file the game reads exists under res/ and loads
// through the game's own loaders: pictures as textures, samples and music
// through the mixer back end, the font through the font printer.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "AssetFiles.h"
#include "audio/MixerBackend.h"
#include "audio/SoundBank.h"
#include "gfx/FontPrinter.h"
#include "gfx/GlIncludes.h"
#include "gfx/Texture.h"
#include "support/GlTestWindow.h"

namespace {

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

// The game opens everything relative to its working directory, the build
// folder.
class AssetTree : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::current_path(PLOMBRIX_BUILD_DIR); }
};

TEST_F(AssetTree, EveryPictureBecomesATextureOfItsSizeWithSoundEdges) {
  GlTestWindow::open();
  for (const Picture& picture : kPictures) {
    const std::string path = std::string("./res/images/") + picture.name;
    SCOPED_TRACE(path);
    ::testing::internal::CaptureStdout();
    const unsigned texture = loadTexture(path.c_str());
    const std::string console = ::testing::internal::GetCapturedStdout();
    ASSERT_NE(texture, 0u) << console;
    glDeleteTextures(1, &texture);
    const AssetFiles::Picture image(picture.name);
    EXPECT_EQ(image.width, picture.width);
    EXPECT_EQ(image.height, picture.height);
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) {
        const int alpha = image.at(x, y)[3];
        const bool edge = x == 0 || y == 0 || x == image.width - 1 || y == image.height - 1;
        const bool clear = picture.alpha == Alpha::ClearEdges && edge;
        if (picture.alpha == Alpha::Opaque || clear) {
          ASSERT_EQ(alpha, clear ? 0 : 255) << "a hole, or the sprite's square, at " << x << ", " << y;
        }
      }
  }
}

TEST_F(AssetTree, EverySampleTheMusicAndTheFontLoadAndTheFontsLicenceTravelsWithIt) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open()) << "the dummy audio driver should open";
  for (int index = 0; index < SoundBank::kSoundCount; ++index)
    EXPECT_TRUE(mixer.loadSample(index, SoundBank::soundFiles()[index])) << SoundBank::soundFiles()[index];
  mixer.playMusic("./res/audio/Tolvaren_Drift2.mp3");
  EXPECT_EQ(mixer.musicStreams(), 1) << "the music did not load";

  GlTestWindow::open();
  EXPECT_NO_THROW(FontPrinter::instance().loadFont("./res/fonts/Cookies.ttf", 36));
  const std::string licence =
      (std::ostringstream() << std::ifstream("./res/fonts/Cookies-LICENSE.txt").rdbuf()).str();
  EXPECT_NE(licence.find("SIL OPEN FONT LICENSE"), std::string::npos);
}

}  // namespace
