#include "gfx/TgaImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "support/ScratchDir.h"
#include "support/TgaWriter.h"

namespace {
// The largest buffer asked for through new (std::nothrow) T[], the decoder's
// one allocation, so a test can see whether it allocated before checking sizes.
std::size_t largestNothrowArray = 0;
constexpr std::size_t kProbeRefusesAbove = std::size_t{1} << 30;  // bytes: a bomb fails, it does not swap
}  // namespace

void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
  largestNothrowArray = std::max(largestNothrowArray, bytes);
  if (bytes > kProbeRefusesAbove) return nullptr;
  try {
    return ::operator new[](bytes);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr char kImageMagick[] = "/usr/bin/convert";
constexpr std::uint8_t kTopFirst = 0x20;
constexpr std::uint8_t kBottomFirst = 0x00;

std::string dataFile(const std::string& name) { return std::string(PLOMBRIX_TEST_DATA) + "/tga/" + name; }

Bytes readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes pixelsOf(const TgaImage& image) {
  if (!image.pixels) return {};
  return Bytes(image.pixels.get(), image.pixels.get() + static_cast<std::size_t>(image.width) * image.height *
                                                            image.bitsPerPixel / 8);
}

std::uint8_t u8(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

// A hand-made file: 18-byte header with the given fields (the rest zero), then data.
Bytes tga(int type, int width, int height, int depth, std::uint8_t descriptor, const Bytes& data) {
  Bytes file = {0, 0, u8(type)};
  file.resize(12);  // colour-map fields and origin stay zero
  file.insert(file.end(), {u8(width), u8(width >> 8), u8(height), u8(height >> 8), u8(depth), descriptor});
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

bool decodes(TgaImage& image, const Bytes& file) { return image.decode(file.data(), file.size()); }

// 150 x 9: runs longer than one packet and across rows, a gradient only raw
// packets can hold, and varied alpha.
constexpr int kPictureWidth = 150;
constexpr int kPictureHeight = 9;
Bytes testPicture() {
  Bytes rgba;
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      const bool even = (x / 2) % 2 == 0;
      if (y < 3) rgba.insert(rgba.end(), {200, 40, 10, 255});
      if (y >= 3 && y < 6) rgba.insert(rgba.end(), {u8(x), u8(y * 25), u8(255 - x), u8(x + 60)});
      if (y >= 6) rgba.insert(rgba.end(), {u8(even ? 0 : 250), 128, u8(y * 20), u8(even ? 10 : 240)});
    }
  }
  return rgba;
}

TEST(TgaImageDecode, RunLengthPacketsFollowTheFormatAndStopAtTheLastPixel) {
  struct Case {
    const char* what;
    Bytes file, pixels;
  };
  const Case cases[] = {
      {"32-bit run packet 0x83 then raw packet 0x02, alpha kept",
       tga(10, 7, 1, 32, kTopFirst, {0x83, 1, 2, 3, 4, 0x02, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}),
       {3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16}},
      {"24-bit raw packet running past the last pixel is clipped",
       tga(10, 2, 1, 24, kTopFirst, {2, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
       {3, 2, 1, 255, 6, 5, 4, 255}},
      {"8-bit run-length stays one byte a pixel",
       tga(10, 2, 2, 8, kBottomFirst, {0x81, 0x40, 0x01, 0x80, 0xC0}),
       {0x80, 0xC0, 0x40, 0x40}},
      {"8-bit 128-pixel run clipped to 3 pixels", tga(10, 3, 1, 8, kTopFirst, {0xFF, 42}), {42, 42, 42}}};
  for (const Case& c : cases) {
    TgaImage image;
    ASSERT_TRUE(decodes(image, c.file)) << c.what;
    EXPECT_EQ(image.bitsPerPixel, c.file[16] == 8 ? 8 : 32) << c.what;  // 8-bit files stay 8-bit
    EXPECT_EQ(pixelsOf(image), c.pixels) << c.what;
  }
}

TEST(TgaImageDecode, AFileCutAnywhereIsRefusedNotPadded) {
  const Bytes picture = testPicture();
  std::vector<Bytes> wholeFiles = {tga(3, 3, 2, 8, kTopFirst, {1, 2, 3, 4, 5, 6}),
                                   tga(10, 5, 1, 8, kTopFirst, {0x81, 1, 0x02, 2, 3, 4})};
  for (int bits : {24, 32})
    for (bool rle : {false, true})
      wholeFiles.push_back(encodeTga({kPictureWidth, kPictureHeight, bits, rle, false}, picture));

  for (const Bytes& whole : wholeFiles) {
    // Every proper prefix, from an empty file to one byte short, in a buffer of
    // exactly that size so the sanitizer sees any read past its end, decoded
    // over a picture held before.
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
      TgaImage image;
      ASSERT_TRUE(decodes(image, whole));
      ASSERT_FALSE(decodes(image, Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut))))
          << "type " << int(whole[2]) << ", depth " << int(whole[16]) << ", cut at " << cut << " of "
          << whole.size();
      ASSERT_TRUE(image.pixels == nullptr && image.width == 0 && image.height == 0 && image.bitsPerPixel == 0)
          << "the refused file left the previous picture or its size behind";
    }
  }
}

TEST(TgaImageDecode, AHugeHeaderOverAFewBytesIsRefusedBeforeAllocating) {
  constexpr std::size_t kSmallAllocation = std::size_t{1} << 20;  // bytes; far below one row of a bomb
  // The probe must see an honest picture's buffer, or the check below proves nothing.
  largestNothrowArray = 0;
  TgaImage honest;
  ASSERT_TRUE(decodes(honest, tga(2, 1024, 256, 32, kTopFirst, Bytes(kSmallAllocation, 0x77))));
  ASSERT_GE(largestNothrowArray, kSmallAllocation) << "the probe misses the decoder's allocation";

  for (const char* name : {"huge_raw.tga", "huge_rle.tga"}) {
    const Bytes bomb = readBytes(dataFile(name));
    ASSERT_LT(bomb.size(), 64u) << name;
    largestNothrowArray = 0;
    TgaImage image;
    EXPECT_FALSE(decodes(image, bomb)) << name;
    EXPECT_LT(largestNothrowArray, kSmallAllocation)
        << name << " asked for a buffer before checking its size";
  }
}

// ImageMagick writes every storage we accept (its run-length grey is type 11,
// which the game does not read) and decodes it too; our pixels must equal its
// decode and the source picture. This ImageMagick keeps rows in
// file order and only records the orientation, so a bottom-first file is made
// from the flipped picture, and its decode is taken with -auto-orient.
TEST(TgaImageMagick, OurDecodeMatchesImageMagicksInEveryAcceptedStorage) {
  ASSERT_TRUE(fs::exists(kImageMagick)) << "ImageMagick is one of the test packages";
  const ScratchDir dir;
  auto convert = [](const std::string& arguments) {
    return std::system((std::string(kImageMagick) + " " + arguments).c_str()) == 0;
  };
  const Bytes colour = testPicture();
  Bytes opaque = colour, greyRgba = colour, grey;
  for (std::size_t i = 0; i < colour.size(); i += 4) {
    opaque[i + 3] = greyRgba[i + 3] = 255;
    greyRgba[i + 1] = greyRgba[i + 2] = colour[i];
    grey.push_back(colour[i]);
  }
  writeBytes(dir.file("colour.rgba"), colour);
  writeBytes(dir.file("grey.rgba"), greyRgba);

  struct Storage {
    const char* imType;
    bool rle;
    int fileType, depth;
    const Bytes& source;
  };
  for (const Storage& s : {Storage{"TrueColorAlpha", false, 2, 32, colour},
                           {"TrueColorAlpha", true, 10, 32, colour},
                           {"TrueColor", false, 2, 24, opaque},
                           {"TrueColor", true, 10, 24, opaque},
                           {"Grayscale", false, 3, 8, grey}}) {
    for (bool topFirst : {false, true}) {
      const std::string name =
          std::string(s.imType) + (s.rle ? "-rle" : "") + (topFirst ? "-top" : "-bottom");
      SCOPED_TRACE(name);
      const std::string tga = dir.file(name + ".tga"), format = s.depth == 8 ? "gray" : "rgba";
      ASSERT_TRUE(convert("-size " + std::to_string(kPictureWidth) + "x" + std::to_string(kPictureHeight) +
                          " -depth 8 rgba:" + dir.file(s.depth == 8 ? "grey.rgba" : "colour.rgba") +
                          " -type " + s.imType + (s.rle ? " -compress RLE" : " -compress None") +
                          (topFirst ? " -orient TopLeft " : " -flip -orient BottomLeft ") + tga));
      ASSERT_TRUE(convert(tga + " -auto-orient -depth 8 " + format + ":" + dir.file(name)));
      TgaImage image;
      ASSERT_TRUE(image.load(tga.c_str()));
      // ImageMagick wrote the storage this case is about.
      EXPECT_EQ(image.imageType, s.fileType);
      EXPECT_EQ(image.pixelDepth, s.depth);
      EXPECT_EQ((image.descriptor & kTopFirst) != 0, topFirst);
      EXPECT_EQ(pixelsOf(image), readBytes(dir.file(name))) << "differs from ImageMagick's decode";
      EXPECT_EQ(pixelsOf(image), s.source) << "rows or channels out of place";
    }
  }
}

}  // namespace
