#include "PngFile.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace {

constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgb = 2;
constexpr std::uint8_t kFilterNone = 0;

void putBigEndian(std::vector<unsigned char>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

void putChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data) {
  putBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(data.size() + 4));
  putBigEndian(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

void writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba) {
  std::vector<unsigned char> header;
  putBigEndian(header, static_cast<std::uint32_t>(width));
  putBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {kBitDepth, kColourTypeRgb, 0, 0, 0});

  const std::size_t rowBytes = 1 + static_cast<std::size_t>(width) * 3;
  std::vector<unsigned char> rows;
  rows.reserve(rowBytes * height);
  for (int y = height - 1; y >= 0; --y) {
    rows.push_back(kFilterNone);
    for (int x = 0; x < width; ++x) {
      const unsigned char* pixel = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      rows.insert(rows.end(), pixel, pixel + 3);
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::vector<unsigned char> packed(packedSize);
  if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), Z_BEST_SPEED) !=
      Z_OK) {
    throw std::runtime_error("cannot compress " + path);
  }
  packed.resize(packedSize);

  std::vector<unsigned char> file(std::begin(kSignature), std::end(kSignature));
  putChunk(file, "IHDR", header);
  putChunk(file, "IDAT", packed);
  putChunk(file, "IEND", {});
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}
