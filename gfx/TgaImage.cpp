#include "gfx/TgaImage.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kHeaderBytes = 18;

constexpr std::uint8_t kTypeTrueColour = 2;
constexpr std::uint8_t kTypeGreyscale = 3;
constexpr std::uint8_t kTypeRleTrueColour = 10;

constexpr std::uint8_t kDepthGrey = 8;
constexpr std::uint8_t kDepthRgb = 24;
constexpr std::uint8_t kDepthRgba = 32;

// Descriptor bit 5: the first stored row is the top row. Clear is the format's
// default, bottom row first.
constexpr std::uint8_t kTopRowFirstBit = 0x20;

// A run-length packet header: bit 7 tells a run (one value repeated) from a raw
// packet (values one by one); the low seven bits hold the pixel count minus 1.
constexpr std::uint8_t kRunPacketBit = 0x80;
constexpr std::uint8_t kPacketCountMask = 0x7F;
constexpr std::uint64_t kMaxPacketPixels = 128;

constexpr int kColourBytesOut = 4;  // R, G, B, A
constexpr int kGreyBytesOut = 1;
constexpr std::uint8_t kOpaque = 255;  // alpha given to 24-bit pixels
constexpr int kBitsPerByte = 8;

constexpr std::size_t kReadChunkBytes = 64 * 1024;

std::uint16_t readU16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] + 256 * at[1]); }

void readHeader(TgaImage& image, const std::uint8_t* h) {
  image.idLength = h[0];
  image.colorMapType = h[1];
  image.imageType = h[2];
  image.colorMapStart = readU16(h + 3);
  image.colorMapLength = readU16(h + 5);
  image.colorMapDepth = h[7];
  image.xOrigin = readU16(h + 8);
  image.yOrigin = readU16(h + 10);
  image.fileWidth = static_cast<std::int16_t>(readU16(h + 12));
  image.fileHeight = static_cast<std::int16_t>(readU16(h + 14));
  image.pixelDepth = h[16];
  image.descriptor = h[17];
}

// One file value (grey; B, G, R; or B, G, R, A) into the decoded layout.
void storePixel(const std::uint8_t* value, int valueBytes, std::uint8_t* out) {
  if (valueBytes == 1) {
    out[0] = value[0];
    return;
  }
  out[0] = value[2];
  out[1] = value[1];
  out[2] = value[0];
  out[3] = valueBytes == 4 ? value[3] : kOpaque;
}

// The fewest data bytes that could describe pixelCount pixels. Run-length data
// is at its densest with full 128-pixel runs: one header byte and one value
// each. Checking this before allocating stops a 20-byte file that claims
// 32767 x 32767 pixels from asking for 4 GiB.
std::uint64_t minimumDataBytes(bool runLength, std::uint64_t pixelCount, int valueBytes) {
  if (!runLength) return pixelCount * valueBytes;
  const std::uint64_t packets = (pixelCount + kMaxPacketPixels - 1) / kMaxPacketPixels;
  return packets * (1 + valueBytes);
}

// Returns false when the data ends before the last pixel.
bool decodeRaw(const std::uint8_t* src, std::size_t available, std::uint64_t pixelCount, int valueBytes,
               int outBytes, std::uint8_t* out) {
  if (available / valueBytes < pixelCount) return false;
  for (std::uint64_t i = 0; i < pixelCount; ++i)
    storePixel(src + i * valueBytes, valueBytes, out + i * outBytes);
  return true;
}

// Returns false when the data ends before the last pixel. A packet that runs
// past the last pixel is clipped; whatever follows is ignored.
bool decodeRunLength(const std::uint8_t* src, std::size_t available, std::uint64_t pixelCount, int valueBytes,
                     int outBytes, std::uint8_t* out) {
  std::size_t pos = 0;
  std::uint64_t produced = 0;
  while (produced < pixelCount) {
    if (pos >= available) return false;
    const std::uint8_t packet = src[pos++];
    const std::uint64_t count =
        std::min<std::uint64_t>((packet & kPacketCountMask) + 1u, pixelCount - produced);
    if (packet & kRunPacketBit) {
      if (available - pos < static_cast<std::size_t>(valueBytes)) return false;
      for (std::uint64_t k = 0; k < count; ++k)
        storePixel(src + pos, valueBytes, out + (produced + k) * outBytes);
      pos += valueBytes;
    } else {
      if ((available - pos) / valueBytes < count) return false;
      for (std::uint64_t k = 0; k < count; ++k) {
        storePixel(src + pos, valueBytes, out + (produced + k) * outBytes);
        pos += valueBytes;
      }
    }
    produced += count;
  }
  return true;
}

void flipRows(std::uint8_t* pixels, int width, int height, int bytesPerPixel) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * bytesPerPixel;
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(pixels + top * rowBytes, pixels + (top + 1) * rowBytes, pixels + bottom * rowBytes);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool TgaImage::load(const char* path) {
  if (pixels) return true;
  if (path == nullptr) return false;
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (!file) return false;

  // The whole file goes to memory first so decode never waits on the disk
  // and sees exactly how many bytes there are. A directory opens but fails
  // to read, which ferror reports.
  std::vector<std::uint8_t> bytes;
  std::size_t got = 0;
  do {
    const std::size_t used = bytes.size();
    bytes.resize(used + kReadChunkBytes);
    got = std::fread(bytes.data() + used, 1, kReadChunkBytes, file.get());
    bytes.resize(used + got);
  } while (got == kReadChunkBytes);
  if (std::ferror(file.get())) return false;
  return decode(bytes.data(), bytes.size());
}

bool TgaImage::decode(const std::uint8_t* data, std::size_t size) {
  release();
  width = 0;
  height = 0;
  bitsPerPixel = 0;
  if (data == nullptr || size < kHeaderBytes) return false;
  readHeader(*this, data);

  const bool runLength = imageType == kTypeRleTrueColour;
  if (imageType != kTypeTrueColour && imageType != kTypeGreyscale && !runLength) return false;
  if (pixelDepth != kDepthGrey && pixelDepth != kDepthRgb && pixelDepth != kDepthRgba) return false;
  if (fileWidth <= 0 || fileHeight <= 0) return false;

  // Pixel data follows the free-form ID field and any colour map; a true-colour
  // image may still carry a map (for other readers), which we step over.
  std::uint64_t dataStart = kHeaderBytes + idLength;
  if (colorMapType != 0)
    dataStart += std::uint64_t{colorMapLength} * ((colorMapDepth + kBitsPerByte - 1u) / kBitsPerByte);
  if (dataStart > size) return false;
  const std::uint8_t* src = data + dataStart;
  const std::size_t available = size - static_cast<std::size_t>(dataStart);

  const std::uint64_t pixelCount =
      static_cast<std::uint64_t>(fileWidth) * static_cast<std::uint64_t>(fileHeight);
  const int valueBytes = pixelDepth / kBitsPerByte;
  // 8-bit pixels stay one byte, even run-length ones, so a greyscale run can
  // never be written as four-byte colour past the end of the buffer.
  const int outBytes = pixelDepth == kDepthGrey ? kGreyBytesOut : kColourBytesOut;
  if (available < minimumDataBytes(runLength, pixelCount, valueBytes)) return false;

  std::unique_ptr<std::uint8_t[]> decoded(new (std::nothrow) std::uint8_t[pixelCount * outBytes]);
  if (!decoded) return false;
  const bool complete = runLength
                            ? decodeRunLength(src, available, pixelCount, valueBytes, outBytes, decoded.get())
                            : decodeRaw(src, available, pixelCount, valueBytes, outBytes, decoded.get());
  if (!complete) return false;

  if (!(descriptor & kTopRowFirstBit)) flipRows(decoded.get(), fileWidth, fileHeight, outBytes);
  width = fileWidth;
  height = fileHeight;
  bitsPerPixel = outBytes * kBitsPerByte;
  pixels = std::move(decoded);
  return true;
}

bool TgaImage::release() {
  const bool had = pixels != nullptr;
  pixels.reset();
  return had;
}
