#pragma once
// The asset tree, described once for the game that reads it, the generator in
// tools/ that writes it and the tests that hold the two together: every file's
// path, its type and, for a picture, its size; the sounds in their index order
// with the peak each group is made to; the kinds' tints and the special glow
// the pictures are painted for; the font; and the money the pictures print.
// The game's own names (kindTable, SoundBank, Patient, ...) read from here.
// Standard library only, and nothing but data.

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "assets/SceneLayout.h"

namespace AssetTree {

// Every path starts here: the game opens its files relative to its working
// directory, which it makes the folder holding res/.
inline constexpr std::string_view kRoot = "./res/";

enum class FileType { Targa, Wave, Mp3, Font, Text };

struct File {
  const char* path = "";  // as the game opens it
  FileType type = FileType::Text;
  int width = 0;  // pixels of a picture, 0 for any other file
  int height = 0;

  // The path inside the tree, where the generator writes the file.
  constexpr const char* underRoot() const { return path + kRoot.size(); }
};

constexpr File picture(const char* path, int width, int height) {
  return {path, FileType::Targa, width, height};
}
constexpr File wave(const char* path) { return {path, FileType::Wave}; }

// Lists end to end, for the tables below that gather others.
template <std::size_t... Counts>
constexpr std::array<File, (Counts + ...)> join(const std::array<File, Counts>&... parts) {
  std::array<File, (Counts + ...)> all{};
  auto next = all.begin();
  ((next = std::copy(parts.begin(), parts.end(), next)), ...);
  return all;
}

// ---- Pictures -------------------------------------------------------------

// Full-window pictures, drawn pixel for pixel on the window's grid.
inline constexpr File kBackgroundImage =
    picture("./res/images/background.tga", SceneLayout::kWindowWidth, SceneLayout::kWindowHeight);
inline constexpr File kTitleImage =
    picture("./res/images/titlescreen.tga", SceneLayout::kWindowWidth, SceneLayout::kWindowHeight);
inline constexpr File kInstructionsImage =
    picture("./res/images/instructions.tga", SceneLayout::kWindowWidth, SceneLayout::kWindowHeight);

// The patient's body parts, placed by the rigs of SceneLayout. "Right" and
// "left" are the patient's own.
inline constexpr File kHeadImage = picture("./res/images/character_head.tga", 256, 168);
inline constexpr File kRightArmImage = picture("./res/images/character_armright.tga", 128, 128);
inline constexpr File kLeftArmImage = picture("./res/images/character_armleft.tga", 128, 128);
inline constexpr File kRightLegImage = picture("./res/images/character_legright.tga", 64, 64);
inline constexpr File kLeftLegImage = picture("./res/images/character_legleft.tga", 64, 64);

// The germ inside each disease kind's bubbles, indexed by kind; the last kind,
// the plain one, has none.
inline constexpr std::array kGermImages = {
    picture("./res/images/disease_mite.tga", 128, 128),  picture("./res/images/disease_spore.tga", 128, 128),
    picture("./res/images/disease_squid.tga", 128, 128), picture("./res/images/disease_worm.tga", 128, 128),
    picture("./res/images/disease_ecoli.tga", 128, 128), picture("./res/images/disease_fetus.tga", 128, 128),
    picture("./res/images/disease_worm2.tga", 128, 128),
};

// The sprites round the bubbles, the bursts and the smoke.
inline constexpr File kBubbleImage = picture("./res/images/diseaseBubble.tga", 128, 128);
inline constexpr File kGooImage = picture("./res/images/mouseGoo.tga", 64, 64);
inline constexpr File kSelectionImage = picture("./res/images/selection.tga", 128, 128);
inline constexpr File kGlowImage = picture("./res/images/specialGlow.tga", 128, 128);
// Four times longer than wide, as the spark's quad is, so its pixels are
// square on screen.
inline constexpr File kSparkImage = picture("./res/images/popBubble2.tga", 64, 16);
inline constexpr File kSmokeImage = picture("./res/images/smokeParticle.tga", 32, 32);

inline constexpr auto kPictures =
    join(std::array{kBackgroundImage, kTitleImage, kInstructionsImage},
         std::array{kHeadImage, kRightArmImage, kLeftArmImage, kRightLegImage, kLeftLegImage}, kGermImages,
         std::array{kBubbleImage, kGooImage, kSelectionImage, kGlowImage, kSparkImage, kSmokeImage});

// The colour the game multiplies a kind's germ and shell by, indexed by kind,
// so the germ pictures are drawn light; the plain kind stays white.
struct Tint {
  float red;
  float green;
  float blue;
};
inline constexpr std::array<Tint, kGermImages.size() + 1> kKindTints = {{
    {1.0f, 1.0f, 0.5f},
    {0.5f, 1.0f, 0.5f},
    {0.5f, 1.0f, 1.0f},
    {0.5f, 0.5f, 1.0f},
    {1.0f, 0.5f, 1.0f},
    {1.0f, 0.5f, 0.5f},
    {1.0f, 0.5f, 0.25f},
    {1.0f, 1.0f, 1.0f},
}};

// The glow round a special bubble: its square is this many radii wide (1.75
// diameters) and drawn in the kind's tint at this opacity, so the glow picture
// leaves the bubble's own disc clear.
inline constexpr double kGlowWidthPerRadius = 3.5;
inline constexpr double kGlowOpacity = 0.6;

// ---- Sounds ---------------------------------------------------------------

// One group of effects, played by one kind of event. Every file of a group is
// made to the same peak (full scale 1); the sound bank's levels are staged
// against these peaks.
struct SoundGroup {
  std::span<const File> files;  // in sound index order
  int first;                    // the sound index of files[0]
  double peak;
  constexpr int count() const { return static_cast<int>(files.size()); }
};

inline constexpr std::array kMergeFiles = {
    wave("./res/audio/bubble_merge_01.wav"), wave("./res/audio/bubble_merge_02.wav"),
    wave("./res/audio/bubble_merge_03.wav"), wave("./res/audio/bubble_merge_04.wav"),
    wave("./res/audio/bubble_merge_05.wav"), wave("./res/audio/bubble_merge_06.wav"),
    wave("./res/audio/bubble_merge_07.wav"), wave("./res/audio/bubble_merge_08.wav"),
    wave("./res/audio/bubble_merge_09.wav"), wave("./res/audio/bubble_merge_10.wav"),
    wave("./res/audio/bubble_merge_11.wav"), wave("./res/audio/bubble_merge_12.wav"),
    wave("./res/audio/bubble_merge_13.wav"), wave("./res/audio/bubble_merge_14.wav"),
};
inline constexpr std::array kPopFiles = {
    wave("./res/audio/bubble_pop_01.wav"), wave("./res/audio/bubble_pop_02.wav"),
    wave("./res/audio/bubble_pop_03.wav"), wave("./res/audio/bubble_pop_04.wav"),
    wave("./res/audio/bubble_pop_05.wav"), wave("./res/audio/bubble_pop_06.wav"),
};
// The click set has no file numbered 04: its fourth sound is click07.
inline constexpr std::array kClickFiles = {
    wave("./res/audio/click01.wav"), wave("./res/audio/click02.wav"), wave("./res/audio/click03.wav"),
    wave("./res/audio/click07.wav"), wave("./res/audio/click05.wav"), wave("./res/audio/click06.wav"),
};
// One step a chain link, rising; the last serves every longer chain.
inline constexpr std::array kChainFiles = {
    wave("./res/audio/chain01.wav"), wave("./res/audio/chain02.wav"), wave("./res/audio/chain03.wav"),
    wave("./res/audio/chain04.wav"), wave("./res/audio/chain05.wav"), wave("./res/audio/chain06.wav"),
    wave("./res/audio/chain07.wav"), wave("./res/audio/chain08.wav"), wave("./res/audio/chain09.wav"),
    wave("./res/audio/chain10.wav"), wave("./res/audio/chain11.wav"), wave("./res/audio/chain12.wav"),
};

// Merges come by the dozen and stay soft; the rewards stand out.
inline constexpr SoundGroup kMergeSounds{kMergeFiles, 0, 0.55};
inline constexpr SoundGroup kPopSounds{kPopFiles, kMergeSounds.first + kMergeSounds.count(), 0.85};
inline constexpr SoundGroup kClickSounds{kClickFiles, kPopSounds.first + kPopSounds.count(), 0.7};
inline constexpr SoundGroup kChainSounds{kChainFiles, kClickSounds.first + kClickSounds.count(), 0.8};
inline constexpr std::array kSoundGroups = {kMergeSounds, kPopSounds, kClickSounds, kChainSounds};

// Every effect, indexed by sound index.
inline constexpr auto kSounds = join(kMergeFiles, kPopFiles, kClickFiles, kChainFiles);
static_assert(kChainSounds.first + kChainSounds.count() == static_cast<int>(kSounds.size()));

// The looping tune, made to a peak well under the effects'.
inline constexpr File kMusic{"./res/audio/Tolvaren_Drift2.mp3", FileType::Mp3};
inline constexpr double kMusicPeak = 0.45;

// ---- Font -----------------------------------------------------------------

// The display font, loaded at this size in points; the pictures' lettering is
// set in the same face.
inline constexpr File kFont{"./res/fonts/Cookies.ttf", FileType::Font};
inline constexpr unsigned kFontSize = 36;
// The game never opens it: the font's licence asks to travel with the font.
inline constexpr File kFontLicence{"./res/fonts/Cookies-LICENSE.txt", FileType::Text};

// ---- Money the pictures print ---------------------------------------------

// The instructions and the chart spell out the game's prices in dollars.
inline constexpr int kBurstReward = 150;  // for a germ bubble that bursts by growth
inline constexpr int kClickPrice = 100;   // per unit of a clicked bubble's mass

// ---- The whole tree -------------------------------------------------------

inline constexpr auto kEveryFile = join(kPictures, kSounds, std::array{kMusic, kFont, kFontLicence});

static_assert(std::all_of(kEveryFile.begin(), kEveryFile.end(),
                          [](const File& file) { return std::string_view(file.path).starts_with(kRoot); }),
              "every file lies under the root");
static_assert(
    [] {
      for (auto a = kEveryFile.begin(); a != kEveryFile.end(); ++a)
        for (auto b = a + 1; b != kEveryFile.end(); ++b)
          if (std::string_view(a->path) == std::string_view(b->path)) return false;
      return true;
    }(),
    "no two entries name the same file");

}  // namespace AssetTree
