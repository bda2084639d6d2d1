#pragma once
// Helpers for the asset tests: where the built res/ tree is, its pictures as
// the game's loader reads them, its sounds as the game's mixer reads them, and
// a pitch estimate.

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "assets/AssetTree.h"
#include "gfx/TgaImage.h"

namespace AssetFiles {

// The names of one set that the other lacks, one an indented line, or " none":
// what a failure message lists when two sides disagree on a set of files.
std::string missingFrom(const std::set<std::string>& names, const std::set<std::string>& others);

// The build's asset tree, written by the generator during the build.
std::filesystem::path resDir();
// Where the build wrote a file of the description.
std::filesystem::path built(const AssetTree::File& file);

// A picture of the build's tree, decoded by the game's loader; throws if it
// does not load.
struct Picture : TgaImage {
  explicit Picture(const AssetTree::File& file);
  const std::uint8_t* at(int x, int y) const {
    return &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
  }
};

struct Pcm {
  int rate = 0;
  int channels = 0;
  std::vector<float> samples;  // interleaved, -1..1
  double seconds() const { return static_cast<double>(samples.size()) / channels / rate; }
  // The largest sample size over frames [first, first + count), or all.
  double peak(std::size_t firstFrame = 0, std::size_t frameCount = SIZE_MAX) const;
};

// A 16-bit PCM wave file, read with SDL's reader as the mixer does; throws if
// it is anything else.
Pcm readWave(const std::filesystem::path& path);
// The whole MP3, decoded by libmpg123 (SDL2_mixer's decoder) with gapless
// trimming.
Pcm decodeMp3(const std::filesystem::path& path);

// The fundamental of a mono stretch [fromSeconds, toSeconds) between 150 and
// 2500 Hz, by normalised autocorrelation: the shortest period matching within
// 10 % as well as the best one.
double fundamentalHz(const Pcm& mono, double fromSeconds, double toSeconds);

}  // namespace AssetFiles
