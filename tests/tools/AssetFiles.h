#pragma once
// Helpers for the asset tests: where the built res/ tree is, and plain readers
// for what it holds (wave files, the MP3 music decoded the way the game's mixer
// decodes it), plus a pitch estimate for tonal samples.

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
  double seconds() const {
    return channels == 0 ? 0.0 : static_cast<double>(samples.size()) / channels / rate;
  }
  double peak() const;
  // Root mean square over frames [first, first + count) of all channels.
  double rms(std::size_t firstFrame, std::size_t frameCount) const;
};

// A 16-bit PCM wave file, read as the mixer reads it; throws if it is anything
// else.
Pcm readWave(const std::filesystem::path& path);
// The whole MP3, decoded by libmpg123 with gapless trimming, as 16-bit samples.
Pcm decodeMp3(const std::filesystem::path& path);

// The fundamental frequency of a mono stretch [fromSeconds, toSeconds), by
// normalised autocorrelation: the shortest period whose match is within 10 %
// of the best one between 150 Hz and 2500 Hz.
double fundamentalHz(const Pcm& mono, double fromSeconds, double toSeconds);

// Runs the generator into dir; returns its exit status.
int runGenerator(const std::filesystem::path& dir);

}  // namespace AssetFiles
