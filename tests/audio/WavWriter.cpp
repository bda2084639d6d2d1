#include "WavWriter.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

void put16(std::vector<char>& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xff));
  out.push_back(static_cast<char>(v >> 8));
}

void put32(std::vector<char>& out, std::uint32_t v) {
  put16(out, static_cast<std::uint16_t>(v & 0xffff));
  put16(out, static_cast<std::uint16_t>(v >> 16));
}

void putTag(std::vector<char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

void save(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

void WavWriter::writeTone(const std::string& path, int frames, double hz, double amplitude) {
  constexpr std::uint16_t kPcm = 1;
  constexpr std::uint16_t kMono = 1;
  constexpr std::uint16_t kBytesPerFrame = 2;
  constexpr double kFullScale = 32767.0;
  const auto dataBytes = static_cast<std::uint32_t>(frames * kBytesPerFrame);

  std::vector<char> out;
  putTag(out, "RIFF");
  put32(out, 36 + dataBytes);
  putTag(out, "WAVE");
  putTag(out, "fmt ");
  put32(out, 16);
  put16(out, kPcm);
  put16(out, kMono);
  put32(out, kRate);
  put32(out, kRate * kBytesPerFrame);
  put16(out, kBytesPerFrame);
  put16(out, 16);
  putTag(out, "data");
  put32(out, dataBytes);
  for (int i = 0; i < frames; ++i) {
    const double v = amplitude * std::sin(2.0 * std::numbers::pi * hz * i / kRate);
    put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * kFullScale))));
  }
  save(path, out);
}

void WavWriter::writeSilentMp3(const std::string& path, int mp3Frames) {
  // Sync word, MPEG-1 layer III without CRC; 128 kbit/s at 44100 Hz; mono.
  constexpr unsigned char kHeader[4] = {0xFF, 0xFB, 0x90, 0xC0};
  // 144 * 128000 / 44100 bytes a frame, rounded down (no padding bit).
  constexpr int kFrameBytes = 417;
  std::vector<char> out;
  for (int f = 0; f < mp3Frames; ++f) {
    out.insert(out.end(), kHeader, kHeader + 4);
    out.insert(out.end(), kFrameBytes - 4, 0);
  }
  save(path, out);
}

void WavWriter::writeBroken(const std::string& path) {
  std::vector<char> out;
  putTag(out, "RIFF");
  put32(out, 64);
  putTag(out, "WAVE");
  for (int i = 0; i < 60; ++i) out.push_back(static_cast<char>(0x5a));
  save(path, out);
}
