#pragma once
// Writes the audio tests' own sound files: mono 16-bit sine tones as RIFF/WAVE.

#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <string>
#include <utility>

constexpr int kToneRate = 44100;  // frames per second of every written tone

// `frames` frames of a 440 Hz tone peaking at `amplitude` (0..1) of full scale.
inline void writeTone(const std::string& path, int frames, double amplitude) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
  };
  out << "RIFF";
  put(36 + 2 * frames, 4);
  // Format chunk: 16 bytes of PCM, mono, the rate, its bytes a second, 2 bytes
  // a frame, 16 bits a sample.
  out << "WAVEfmt ";
  for (auto [value, bytes] :
       {std::pair{16, 4}, {1, 2}, {1, 2}, {kToneRate, 4}, {2 * kToneRate, 4}, {2, 2}, {16, 2}})
    put(value, bytes);
  out << "data";
  put(2 * frames, 4);
  for (int i = 0; i < frames; ++i) {
    const double v = amplitude * std::sin(2.0 * std::numbers::pi * 440.0 * i / kToneRate);
    put(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767.0))), 2);
  }
}
