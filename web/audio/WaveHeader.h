#pragma once
// Whether a file's bytes look like a wave file a browser can decode: the check
// WebAudioBackend makes before it hands the bytes to the browser's decoder, so
// that loading a missing, truncated or foreign file fails at once, as SDL's
// loader does on the desktop. The browser's decoder has the last word; a file
// it still refuses stays silent.

#include <cstdint>
#include <span>

namespace WaveHeader {

// A RIFF/WAVE file with a format chunk of integer or float samples, at least
// one channel and a rate, followed by a data chunk.
bool looksPlayable(std::span<const std::uint8_t> bytes);

}  // namespace WaveHeader
