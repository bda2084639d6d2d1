#pragma once
// Helpers for the asset tests: where the built res/ tree is, and readers for
// its sounds as the game's mixer reads them, plus a pitch estimate.

#include <filesystem>
#include <string>
#include <vector>

namespace AssetFiles {

// The build's asset tree, written by the generator during the build.
std::filesystem::path resDir();

struct Pcm {
  int rate = 0;
  int channels = 0;
  std::vector<float> samples;  // interleaved, -1..1
  double seconds() const { return static_cast<double>(samples.size()) / channels / rate; }
  double peak() const;
  // Root mean square over frames [first, first + count) of all channels.
  double rms(std::size_t firstFrame, std::size_t frameCount) const;
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
