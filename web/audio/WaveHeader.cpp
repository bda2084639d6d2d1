#include "web/audio/WaveHeader.h"

#include <cstddef>
#include <string_view>

namespace {

constexpr std::size_t kRiffHeaderBytes = 12;  // "RIFF", the size, "WAVE"
constexpr std::size_t kChunkHeaderBytes = 8;  // the chunk's name and size
constexpr std::size_t kFormatBytes = 16;      // the shortest format chunk
// The format tags of integer PCM, float PCM and the extensible form, which
// names either inside.
constexpr std::uint16_t kPcmTag = 1, kFloatTag = 3, kExtensibleTag = 0xfffe;

std::uint32_t little(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[at + i];
  return value;
}

bool named(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view name) {
  return std::string_view(reinterpret_cast<const char*>(bytes.data() + at), name.size()) == name;
}

bool playableFormat(std::span<const std::uint8_t> format) {
  const auto tag = little(format, 0, 2), channels = little(format, 2, 2), rate = little(format, 4, 4),
             bits = little(format, 14, 2);
  return (tag == kPcmTag || tag == kFloatTag || tag == kExtensibleTag) && channels > 0 && rate > 0 &&
         bits > 0;
}

}  // namespace

bool WaveHeader::looksPlayable(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kRiffHeaderBytes || !named(bytes, 0, "RIFF") || !named(bytes, 8, "WAVE")) return false;
  bool formatSeen = false;
  // Chunks follow each other, each padded to an even length.
  for (std::size_t at = kRiffHeaderBytes; at + kChunkHeaderBytes <= bytes.size();) {
    const std::size_t size = little(bytes, at + 4, 4), body = at + kChunkHeaderBytes;
    if (named(bytes, at, "data")) return formatSeen;
    if (size > bytes.size() - body) return false;
    if (named(bytes, at, "fmt ")) {
      if (size < kFormatBytes || !playableFormat(bytes.subspan(body, size))) return false;
      formatSeen = true;
    }
    at = body + size + size % 2;
  }
  return false;
}
