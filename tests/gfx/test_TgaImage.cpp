#include "gfx/TgaImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "support/ScratchDir.h"

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

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t kTopFirst = 0x20;
constexpr std::uint8_t kBottomFirst = 0x00;

Bytes readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes pixelsOf(const TgaImage& image) {
  if (!image.pixels) return {};
  return Bytes(image.pixels.get(), image.pixels.get() + static_cast<std::size_t>(image.width) * image.height *
                                                            image.bitsPerPixel / 8);
}

std::uint8_t u8(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

// A hand-made file: 18-byte header with the given fields (the rest zero), then data.
Bytes tga(int type, int width, int height, int depth, std::uint8_t descriptor, const Bytes& data) {
  Bytes file = {0, 0, u8(type), 0, 0, 0, 0, 0, 0, 0, 0, 0};
  file.insert(file.end(), {u8(width), u8(width >> 8), u8(height), u8(height >> 8), u8(depth), descriptor});
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

bool decodes(TgaImage& image, const Bytes& file) { return image.decode(file.data(), file.size()); }

// Every proper prefix of a good file, from empty to one byte short, in a buffer
// of exactly that size (so the sanitizer build sees any read past its end), is
// refused over a picture held before, and leaves neither it nor its size behind.
void expectEveryCutRefused(const Bytes& whole) {
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    TgaImage image;
    ASSERT_TRUE(decodes(image, whole));
    ASSERT_FALSE(decodes(image, Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut))))
        << "cut at " << cut << " of " << whole.size();
    ASSERT_TRUE(image.pixels == nullptr && image.width == 0 && image.height == 0 && image.bitsPerPixel == 0)
        << "the refused file left the previous picture or its size behind";
  }
}

TEST(TgaImageDecode, RunLengthPacketsFollowTheFormatStopAtTheLastPixelAndACutFileIsRefused) {
  struct Case {
    const char* what;
    Bytes file, pixels;
  };
  const Case cases[] = {
      {"32-bit run packet 0x83 then raw packet 0x02, alpha kept",
       tga(10, 7, 1, 32, kTopFirst, {0x83, 1, 2, 3, 4, 0x02, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}),
       {3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16}},
      {"24-bit raw packet of 3 for the last 2 pixels is clipped, its third value not needed",
       tga(10, 2, 1, 24, kTopFirst, {2, 1, 2, 3, 4, 5, 6}),
       {3, 2, 1, 255, 6, 5, 4, 255}},
      {"8-bit run-length stays one byte a pixel",
       tga(10, 2, 2, 8, kBottomFirst, {0x81, 0x40, 0x01, 0x80, 0xC0}),
       {0x80, 0xC0, 0x40, 0x40}},
      {"8-bit 128-pixel run clipped to 3 pixels", tga(10, 3, 1, 8, kTopFirst, {0xFF, 42}), {42, 42, 42}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TgaImage image;
    ASSERT_TRUE(decodes(image, c.file));
    EXPECT_EQ(image.bitsPerPixel, c.file[16] == 8 ? 8 : 32);  // 8-bit files stay 8-bit
    EXPECT_EQ(pixelsOf(image), c.pixels);
    expectEveryCutRefused(c.file);
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
    const Bytes bomb = readBytes(std::string(PLOMBRIX_TEST_DATA) + "/tga/" + name);
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
// decode and the source picture, and every cut of its file must be refused.
// This ImageMagick keeps rows in file order and only records the orientation,
// so a bottom-first file is made from the flipped picture, and its decode is
// taken with -auto-orient.
TEST(TgaImageMagick, OurDecodeMatchesImageMagicksInEveryAcceptedStorageAndEveryCutIsRefused) {
  const ScratchDir dir;
  auto convert = [](const std::string& arguments) {
    return std::system(("/usr/bin/convert " + arguments).c_str()) == 0;
  };
  // 150 x 9: runs longer than one packet and across rows, a gradient only raw
  // packets can hold, and varied alpha.
  constexpr int kWidth = 150, kHeight = 9;
  Bytes colour, opaque, greyRgba, grey;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool even = (x / 2) % 2 == 0;
      const Bytes p = y < 3   ? Bytes{200, 40, 10, 255}
                      : y < 6 ? Bytes{u8(x), u8(y * 25), u8(255 - x), u8(x + 60)}
                              : Bytes{u8(even ? 0 : 250), 128, u8(y * 20), u8(even ? 10 : 240)};
      colour.insert(colour.end(), p.begin(), p.end());
      opaque.insert(opaque.end(), {p[0], p[1], p[2], 255});
      greyRgba.insert(greyRgba.end(), {p[0], p[0], p[0], 255});
      grey.push_back(p[0]);
    }
  }
  for (const auto& [name, bytes] : {std::pair{"colour.rgba", &colour}, {"grey.rgba", &greyRgba}})
    std::ofstream(dir.file(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));

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
      const std::string file = dir.file(name + ".tga");
      ASSERT_TRUE(
          convert("-size 150x9 -depth 8 rgba:" + dir.file(s.depth == 8 ? "grey.rgba" : "colour.rgba") +
                  " -type " + s.imType + (s.rle ? " -compress RLE" : " -compress None") +
                  (topFirst ? " -orient TopLeft " : " -flip -orient BottomLeft ") + file));
      ASSERT_TRUE(
          convert(file + " -auto-orient -depth 8 " + (s.depth == 8 ? "gray:" : "rgba:") + dir.file(name)));
      TgaImage image;
      ASSERT_TRUE(image.load(file.c_str()));
      // ImageMagick wrote the storage this case is about.
      EXPECT_EQ(image.imageType, s.fileType);
      EXPECT_EQ(image.pixelDepth, s.depth);
      EXPECT_EQ((image.descriptor & kTopFirst) != 0, topFirst);
      EXPECT_EQ(pixelsOf(image), readBytes(dir.file(name))) << "differs from ImageMagick's decode";
      EXPECT_EQ(pixelsOf(image), s.source) << "rows or channels out of place";
      expectEveryCutRefused(readBytes(file));
    }
  }
}

}  // namespace
