#include "AssetBuilder.h"

#include <filesystem>
#include <stdexcept>
#include <thread>

#include "BackgroundArt.h"
#include "BubbleArt.h"
#include "EffectSounds.h"
#include "GermArt.h"
#include "IconArt.h"
#include "Mp3File.h"
#include "MusicTrack.h"
#include "PatientArt.h"
#include "PatientRig.h"
#include "ScreenArt.h"
#include "TargaFile.h"
#include "WaveFile.h"

namespace fs = std::filesystem;

namespace {
// The names the game opens, under res/.
constexpr const char* kImagesDir = "images";
constexpr const char* kAudioDir = "audio";
constexpr const char* kFontsDir = "fonts";
constexpr const char* kFontName = "Cookies.ttf";
constexpr const char* kMusicName = "Tolvaren_Drift2.mp3";
constexpr const char* kLicenceName = "Cookies-LICENSE.txt";
}  // namespace

AssetBuilder::AssetBuilder(std::string resDir, std::string fontFile, std::string fontLicence)
    : resDir_(std::move(resDir)),
      fontFile_(std::move(fontFile)),
      fontLicence_(std::move(fontLicence)),
      font_(fontFile_) {}

void AssetBuilder::buildAll() {
  for (const char* dir : {kImagesDir, kAudioDir, kFontsDir}) fs::create_directories(fs::path(resDir_) / dir);
  std::exception_ptr musicError;
  std::thread music([&] {
    try {
      buildMusic();
    } catch (...) {
      musicError = std::current_exception();
    }
  });
  try {
    buildImages();
    buildSounds();
    copyFont();
    // The game never opens res/icons; the package installs it into the
    // desktop's icon theme instead of with the game's data.
    IconArt::writeAll((fs::path(resDir_) / "icons").string());
  } catch (...) {
    music.join();
    throw;
  }
  music.join();
  if (musicError) std::rethrow_exception(musicError);
}

void AssetBuilder::saveImage(const std::string& name, const Image& image, bool runLength) {
  TargaFile::write((fs::path(resDir_) / kImagesDir / name).string(), image,
                   runLength ? TargaFile::Packing::RunLength : TargaFile::Packing::Plain);
}

void AssetBuilder::buildImages() {
  saveImage("background.tga", BackgroundArt::background(font_), true);
  saveImage("titlescreen.tga", ScreenArt::title(font_), true);
  saveImage("instructions.tga", ScreenArt::instructions(font_), true);
  for (const LimbRig* limb : PatientRig::kAll) saveImage(limb->file, PatientArt::limbImage(*limb), false);
  for (int kind = 0; kind < GermArt::kKinds; ++kind)
    saveImage(GermArt::fileName(kind), GermArt::germImage(kind), false);
  saveImage("diseaseBubble.tga", BubbleArt::shell(), false);
  saveImage("specialGlow.tga", BubbleArt::specialGlow(), false);
  saveImage("selection.tga", BubbleArt::selectionRing(), false);
  saveImage("mouseGoo.tga", BubbleArt::goo(), false);
  saveImage("popBubble2.tga", BubbleArt::spark(), false);
  saveImage("smokeParticle.tga", BubbleArt::smokePuff(), false);
}

void AssetBuilder::buildSounds() {
  for (const EffectSounds::Effect& effect : EffectSounds::all())
    WaveFile::writeMono((fs::path(resDir_) / kAudioDir / effect.file).string(), effect.samples);
}

void AssetBuilder::buildMusic() {
  const MusicTrack::Stereo music = MusicTrack::render();
  Mp3File::writeStereo((fs::path(resDir_) / kAudioDir / kMusicName).string(), music.left, music.right);
}

void AssetBuilder::copyFont() {
  const fs::path fonts = fs::path(resDir_) / kFontsDir;
  fs::copy_file(fontFile_, fonts / kFontName, fs::copy_options::overwrite_existing);
  fs::copy_file(fontLicence_, fonts / kLicenceName, fs::copy_options::overwrite_existing);
}
