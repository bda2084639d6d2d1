#include "TargaFile.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace {

constexpr std::uint8_t kTypeTrueColour = 2;
constexpr std::uint8_t kTypeRunLength = 10;
constexpr std::uint8_t kTopRowFirst = 0x20;  // descriptor bit 5
constexpr int kMaxPacket = 128;              // pixels in one run or raw packet

void put16(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

}  // namespace

std::vector<std::uint8_t> TargaFile::encode(const Image& image, Packing packing) {
  const bool alpha = image.hasTransparency();
  const int bytesPerPixel = alpha ? 4 : 3;
  std::vector<std::uint8_t> out;
  out.reserve(18 + static_cast<std::size_t>(image.width) * image.height * bytesPerPixel);
  out.push_back(0);  // no image ID
  out.push_back(0);  // no colour map
  out.push_back(packing == Packing::RunLength ? kTypeRunLength : kTypeTrueColour);
  for (int i = 0; i < 5; ++i) out.push_back(0);  // no colour map: first entry, length, entry size
  put16(out, 0);                                 // x origin
  put16(out, 0);                                 // y origin
  put16(out, image.width);
  put16(out, image.height);
  out.push_back(static_cast<std::uint8_t>(bytesPerPixel * 8));
  out.push_back(static_cast<std::uint8_t>(kTopRowFirst | (alpha ? 8 : 0)));  // low bits: alpha depth

  // One pixel in file order: blue, green, red, then alpha.
  auto pixelBytes = [&](int index, std::uint8_t* dst) {
    const std::uint8_t* p = &image.rgba[static_cast<std::size_t>(index) * 4];
    dst[0] = p[2];
    dst[1] = p[1];
    dst[2] = p[0];
    if (alpha) dst[3] = p[3];
  };
  auto samePixel = [&](int a, int b) {
    return std::memcmp(&image.rgba[static_cast<std::size_t>(a) * 4],
                       &image.rgba[static_cast<std::size_t>(b) * 4], 4) == 0;
  };

  std::uint8_t bytes[4];
  if (packing == Packing::Plain) {
    for (int i = 0; i < image.width * image.height; ++i) {
      pixelBytes(i, bytes);
      out.insert(out.end(), bytes, bytes + bytesPerPixel);
    }
    return out;
  }

  // Packets never cross a row, as other Targa readers expect.
  for (int y = 0; y < image.height; ++y) {
    const int rowStart = y * image.width;
    const int rowEnd = rowStart + image.width;
    int i = rowStart;
    while (i < rowEnd) {
      int run = 1;
      while (i + run < rowEnd && run < kMaxPacket && samePixel(i, i + run)) ++run;
      if (run >= 2) {
        out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
        pixelBytes(i, bytes);
        out.insert(out.end(), bytes, bytes + bytesPerPixel);
        i += run;
        continue;
      }
      // A raw packet up to the next pair of equal pixels.
      int count = 1;
      while (i + count < rowEnd && count < kMaxPacket &&
             !(i + count + 1 < rowEnd && samePixel(i + count, i + count + 1)))
        ++count;
      out.push_back(static_cast<std::uint8_t>(count - 1));
      for (int k = 0; k < count; ++k) {
        pixelBytes(i + k, bytes);
        out.insert(out.end(), bytes, bytes + bytesPerPixel);
      }
      i += count;
    }
  }
  return out;
}

void TargaFile::write(const std::string& path, const Image& image, Packing packing) {
  const std::vector<std::uint8_t> bytes = encode(image, packing);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}
