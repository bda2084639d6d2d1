#include "web/audio/WaveHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/ToneFile.h"
#include "support/ScratchDir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A short tone as the game's own files are written: RIFF, a format chunk, data.
Bytes toneFile() {
  const ScratchDir dir;
  writeTone(dir.file("tone.wav"), 64, 0.5);
  std::ifstream in(dir.file("tone.wav"), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// `tone` with byte `at` set to `value`.
Bytes changed(Bytes tone, std::size_t at, int value) {
  tone[at] = static_cast<std::uint8_t>(value);
  return tone;
}

constexpr std::size_t kFormatTag = 20, kChannels = 22, kFormatSize = 16;  // byte offsets in toneFile()

}  // namespace

TEST(WaveHeaderTest, AcceptsWaveFilesWithTheirChunksInAnyOrderAndFloatSamplesAndRefusesTheRest) {
  const Bytes tone = toneFile();
  EXPECT_TRUE(WaveHeader::looksPlayable(tone));
  // A list chunk of odd length, padded, before the format.
  Bytes listed = tone;
  const std::string list("LIST\x03\0\0\0abc\0", 12);
  listed.insert(listed.begin() + 12, list.begin(), list.end());
  EXPECT_TRUE(WaveHeader::looksPlayable(listed));
  EXPECT_TRUE(WaveHeader::looksPlayable(changed(tone, kFormatTag, 3))) << "float samples";

  // What the desktop loader refuses: a wave header followed by junk, as the
  // desktop's failure test writes it; nothing; an MP3 named .wav.
  EXPECT_FALSE(
      WaveHeader::looksPlayable(bytesOf(std::string("RIFF\x40\0\0\0WAVE", 12) + std::string(60, 'Z'))));
  EXPECT_FALSE(WaveHeader::looksPlayable({}));
  EXPECT_FALSE(WaveHeader::looksPlayable(bytesOf("ID3\x04 an MP3 named .wav")));
  // Every cut before the data chunk's header, each in a buffer of its own
  // size so that a read past its end is caught; each foreign byte in the names.
  for (std::size_t size = 0; size < 44; ++size)
    EXPECT_FALSE(
        WaveHeader::looksPlayable(Bytes(tone.begin(), tone.begin() + static_cast<std::ptrdiff_t>(size))))
        << "cut to " << size << " bytes";
  for (std::size_t at : {0, 8, 12, 36}) EXPECT_FALSE(WaveHeader::looksPlayable(changed(tone, at, 'X'))) << at;
  // A compressed format, no channels, a format chunk longer than the file.
  for (auto [at, value] : {std::pair{kFormatTag, 0x55}, {kChannels, 0}, {kFormatSize, 0xff}})
    EXPECT_FALSE(WaveHeader::looksPlayable(changed(tone, at, value))) << "byte " << at << " set to " << value;
}
