// The game and the generator both read the one description of the asset tree
// in assets/. These cases hold each side to it: the game's start-up opens
// exactly the files it names, and after the build each of them exists as the
// type and size it gives and loads through the game's own loaders.

#include "assets/AssetTree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

#include "AssetFiles.h"
#include "app/FrameClock.h"
#include "audio/MixerBackend.h"
#include "fx/BurstList.h"
#include "gfx/FontPrinter.h"
#include "gfx/GlIncludes.h"
#include "gfx/Texture.h"
#include "support/GlTestWindow.h"
#include "support/RecordingAudio.h"

namespace {

using AssetTree::File;
using AssetTree::FileType;

// The game opens everything relative to its working directory, the build
// folder.
class BuiltAssetTree : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::current_path(PLOMBRIX_BUILD_DIR); }
};

TEST_F(BuiltAssetTree, TheGamesStartUpAndFirstBurstOpenEveryDescribedPictureSoundAndTuneAndNothingElse) {
  GlTestWindow::open();
  auto audio = RecordingAudio::install();
  // The font printer names no file it opens, but throws if the wallet's font
  // is not where the build put the description's.
  std::string fontError;
  ::testing::internal::CaptureStdout();
  try {
    FrameClock::instance().initialise();
  } catch (const std::runtime_error& error) {
    fontError = error.what();
  }
  BurstList::instance().spawnPopBurst(0.0f, 3.0f, 0.2f);  // the spark picture waits for the first burst
  const std::string console = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(fontError, "") << "the font did not load";

  std::set<std::string> opened(audio->loaded.begin(), audio->loaded.end());
  opened.insert(audio->music.begin(), audio->music.end());
  const std::regex texture("Loading texture (.*?)\\.\\.\\.");
  for (auto line = std::sregex_iterator(console.begin(), console.end(), texture);
       line != std::sregex_iterator(); ++line)
    opened.insert((*line)[1]);
  std::set<std::string> described;
  for (const File& file : AssetTree::kEveryFile)
    if (file.type == FileType::Targa || file.type == FileType::Wave || file.type == FileType::Mp3)
      described.insert(file.path);

  EXPECT_TRUE(opened == described) << "opened but not described:"
                                   << AssetFiles::missingFrom(opened, described)
                                   << "\ndescribed but never opened:"
                                   << AssetFiles::missingFrom(described, opened);
  EXPECT_EQ(console.find("Error"), std::string::npos) << "a picture did not load: " << console;
}

// How a picture's alpha must look on screen: the screens and limbs are drawn
// without holes; sprites sit over the play field, so their square must not show
// at its edges; the background's windows onto the limbs are tested with them.
enum class Alpha { Opaque, ClearEdges, Windowed };

Alpha alphaOf(const File& picture) {
  const std::string path = picture.path;
  if (path == AssetTree::kBackgroundImage.path) return Alpha::Windowed;
  for (const File& whole : {AssetTree::kTitleImage, AssetTree::kInstructionsImage, AssetTree::kHeadImage,
                            AssetTree::kRightArmImage, AssetTree::kLeftArmImage, AssetTree::kRightLegImage,
                            AssetTree::kLeftLegImage})
    if (path == whole.path) return Alpha::Opaque;
  return Alpha::ClearEdges;
}

TEST_F(BuiltAssetTree, EveryDescribedPictureBecomesATextureOfItsSizeWithSoundEdges) {
  GlTestWindow::open();
  for (const File& picture : AssetTree::kPictures) {
    SCOPED_TRACE(picture.path);
    ::testing::internal::CaptureStdout();
    const unsigned texture = loadTexture(picture.path);
    const std::string console = ::testing::internal::GetCapturedStdout();
    ASSERT_NE(texture, 0u) << console;
    glDeleteTextures(1, &texture);
    const AssetFiles::Picture image(picture);
    EXPECT_EQ(image.width, picture.width);
    EXPECT_EQ(image.height, picture.height);
    const Alpha alpha = alphaOf(picture);
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) {
        const bool edge = x == 0 || y == 0 || x == image.width - 1 || y == image.height - 1;
        const bool clear = alpha == Alpha::ClearEdges && edge;
        if (alpha == Alpha::Opaque || clear) {
          ASSERT_EQ(image.at(x, y)[3], clear ? 0 : 255)
              << "a hole, or the sprite's square, at " << x << ", " << y;
        }
      }
  }
}

TEST_F(BuiltAssetTree,
       EveryDescribedSoundIsAShortMonoWaveThatPeaksAsItsGroupSaysAndTheTuneFontAndLicenceLoad) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open()) << "the dummy audio driver should open";
  GlTestWindow::open();
  std::map<std::string, double> peaks;
  for (const AssetTree::SoundGroup& group : AssetTree::kSoundGroups) {
    EXPECT_TRUE(group.peak > 0.3 && group.peak < 0.95) << "hardly audible, or no headroom: " << group.peak;
    for (const File& file : group.files) peaks[file.path] = group.peak;
  }

  int index = 0;
  for (const File& file : AssetTree::kEveryFile) {
    SCOPED_TRACE(file.path);
    switch (file.type) {
      case FileType::Targa:
        break;  // the pictures have their own case
      case FileType::Wave: {
        EXPECT_TRUE(mixer.loadSample(index++, file.path));
        const AssetFiles::Pcm pcm = AssetFiles::readWave(file.path);
        EXPECT_TRUE(pcm.rate == 44100 && pcm.channels == 1)
            << pcm.rate << " Hz, " << pcm.channels << " channels";
        EXPECT_TRUE(pcm.seconds() > 0.03 && pcm.seconds() < 1.5)
            << "an effect should be over before the next one";
        // The bank's levels are staged against these peaks; 16 bits round them.
        EXPECT_NEAR(pcm.peak(), peaks.at(file.path), 1e-3);
        break;
      }
      case FileType::Mp3:
        mixer.playMusic(file.path);
        EXPECT_EQ(mixer.musicStreams(), 1) << "the music did not load";
        break;
      case FileType::Font:
        EXPECT_NO_THROW(FontPrinter::instance().loadFont(file.path, AssetTree::kFontSize));
        break;
      case FileType::Text: {
        const std::string text = (std::ostringstream() << std::ifstream(file.path).rdbuf()).str();
        EXPECT_NE(text.find("SIL OPEN FONT LICENSE"), std::string::npos);
        break;
      }
    }
  }
}

}  // namespace
