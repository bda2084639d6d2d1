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

AssetBuilder::AssetBuilder(std::string resDir, std::string fontFile, std::string fontLicence)
    : resDir_(std::move(resDir)),
      fontFile_(std::move(fontFile)),
      fontLicence_(std::move(fontLicence)),
      font_(fontFile_) {}

void AssetBuilder::buildAll() {
  for (const AssetTree::File& file : AssetTree::kEveryFile)
    fs::create_directories(fs::path(placeOf(file)).parent_path());
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

std::string AssetBuilder::placeOf(const AssetTree::File& file) const {
  return (fs::path(resDir_) / file.underRoot()).string();
}

void AssetBuilder::saveImage(const AssetTree::File& file, const Image& image, bool runLength) {
  TargaFile::write(placeOf(file), image,
                   runLength ? TargaFile::Packing::RunLength : TargaFile::Packing::Plain);
}

void AssetBuilder::buildImages() {
  saveImage(AssetTree::kBackgroundImage, BackgroundArt::background(font_), true);
  saveImage(AssetTree::kTitleImage, ScreenArt::title(font_), true);
  saveImage(AssetTree::kInstructionsImage, ScreenArt::instructions(font_), true);
  for (const LimbRig* limb : PatientRig::kAll) saveImage(limb->picture, PatientArt::limbImage(*limb), false);
  for (int kind = 0; kind < GermArt::kKinds; ++kind)
    saveImage(AssetTree::kGermImages[kind], GermArt::germImage(kind), false);
  saveImage(AssetTree::kBubbleImage, BubbleArt::shell(), false);
  saveImage(AssetTree::kGlowImage, BubbleArt::specialGlow(), false);
  saveImage(AssetTree::kSelectionImage, BubbleArt::selectionRing(), false);
  saveImage(AssetTree::kGooImage, BubbleArt::goo(), false);
  saveImage(AssetTree::kSparkImage, BubbleArt::spark(), false);
  saveImage(AssetTree::kSmokeImage, BubbleArt::smokePuff(), false);
}

void AssetBuilder::buildSounds() {
  for (const EffectSounds::Effect& effect : EffectSounds::all())
    WaveFile::writeMono(placeOf(effect.file), effect.samples);
}

void AssetBuilder::buildMusic() {
  const MusicTrack::Stereo music = MusicTrack::render();
  Mp3File::writeStereo(placeOf(AssetTree::kMusic), music.left, music.right);
}

void AssetBuilder::copyFont() {
  fs::copy_file(fontFile_, placeOf(AssetTree::kFont), fs::copy_options::overwrite_existing);
  fs::copy_file(fontLicence_, placeOf(AssetTree::kFontLicence), fs::copy_options::overwrite_existing);
}
