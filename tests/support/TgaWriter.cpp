#include "support/TgaWriter.h"

#include <fstream>
#include <stdexcept>

namespace {
constexpr int kHeaderBytes = 18;
constexpr std::uint8_t kTopFirstBit = 0x20;
}  // namespace

std::vector<std::uint8_t> encodeTga(const TgaLayout& layout, const std::vector<std::uint8_t>& rgba) {
  std::vector<std::uint8_t> out(kHeaderBytes, 0);
  out[2] = layout.rle ? 10 : 2;
  out[12] = static_cast<std::uint8_t>(layout.width & 0xFF);
  out[13] = static_cast<std::uint8_t>(layout.width >> 8);
  out[14] = static_cast<std::uint8_t>(layout.height & 0xFF);
  out[15] = static_cast<std::uint8_t>(layout.height >> 8);
  out[16] = static_cast<std::uint8_t>(layout.bits);
  out[17] = static_cast<std::uint8_t>((layout.topFirst ? kTopFirstBit : 0) | (layout.bits == 32 ? 8 : 0));

  // Run-length files hold one run packet a pixel: the simplest valid packing.
  for (int row = 0; row < layout.height; ++row) {
    const int sourceRow = layout.topFirst ? row : layout.height - 1 - row;
    for (int col = 0; col < layout.width; ++col) {
      const std::uint8_t* p = &rgba[(static_cast<std::size_t>(sourceRow) * layout.width + col) * 4];
      if (layout.rle) out.push_back(0x80);
      out.insert(out.end(), {p[2], p[1], p[0]});
      if (layout.bits == 32) out.push_back(p[3]);
    }
  }
  return out;
}

void writeTga(const std::string& path, const TgaLayout& layout, const std::vector<std::uint8_t>& rgba) {
  const std::vector<std::uint8_t> bytes = encodeTga(layout, rgba);
  std::ofstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot write " + path);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void writeSolidTga(const std::string& path, int width, int height, std::uint8_t r, std::uint8_t g,
                   std::uint8_t b, std::uint8_t a) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(static_cast<std::size_t>(width) * height * 4);
  for (int i = 0; i < width * height; ++i) rgba.insert(rgba.end(), {r, g, b, a});
  writeTga(path, TgaLayout{width, height, 32, false, true}, rgba);
}
