#pragma once
// Writes a mono 16-bit wave file at 44100 Hz through libsndfile.

#include <string>

#include "Synth.h"

namespace WaveFile {

// Samples must lie within -1..1; throws on a write error.
void writeMono(const std::string& path, const Synth::Buffer& samples);

}  // namespace WaveFile
