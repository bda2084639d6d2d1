#pragma once
// Encodes stereo music to MP3 with LAME: constant bit rate, a fast quality
// setting, and the encoder's info frame at the front, which tells a decoder
// exactly how much padding the encoder added, so a looping player can join the
// end to the start without a gap.

#include <string>

#include "Synth.h"

namespace Mp3File {

void writeStereo(const std::string& path, const Synth::Buffer& left, const Synth::Buffer& right);

}  // namespace Mp3File
