#include "gfx/TgaImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

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

using Bytes = std::vector<std::uint8_t>;

// A file of tests/data/tga (written by make_malformed.py there), whole. What
// the generator writes for the game, its own tests decode.
Bytes fixture(const std::string& name) {
  std::ifstream in(std::string(PLOMBRIX_TEST_DATA) + "/tga/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name << " is missing, so its case proves nothing";
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

TEST(TgaImageDecode,
     AcceptedFilesDecodeTopRowFirstEveryCutAndEveryMalformedFileIsRefusedWithoutAllocatingForItsClaims) {
  struct Case {
    std::string what;
    Bytes file, pixels;  // pixels R, G, B, A (or grey) top row first
    bool trailing;       // bytes after the last pixel's, so a cut there still decodes
  };
  // The 2 x 2 picture of the well-formed fixtures (stored bottom row first).
  const Bytes picture = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 64, 255, 255, 255, 255};
  // The longest packets there are, 128 pixels each (the count is the low seven
  // bits plus one): a 16 x 16 picture whose top half is one run (header 0xFF)
  // and whose bottom half one raw packet (header 0x7F) of 128 different grey levels.
  const Bytes header = encodeTga({16, 16, 32, true, true}, Bytes(16 * 16 * 4));
  Bytes longPackets(header.begin(), header.begin() + 18), longPicture;
  longPackets.insert(longPackets.end(), {0xFF, 30, 20, 10, 40, 0x7F});  // the run's B, G, R, A
  for (int k = 0; k < 128; ++k) longPicture.insert(longPicture.end(), {10, 20, 30, 40});
  for (std::uint8_t k = 0; k < 128; ++k) {
    longPackets.insert(longPackets.end(), {k, k, k, 200});
    longPicture.insert(longPicture.end(), {k, k, k, 200});
  }
  const Case cases[] = {
      {"an ID field is stepped over", fixture("id_field.tga"), picture, false},
      {"a colour map beside true colour is stepped over", fixture("colour_map_on_truecolour.tga"), picture,
       false},
      {"a colour map beside run-length is stepped over", fixture("colour_map_on_rle.tga"), picture, false},
      {"a footer after the pixels is ignored", fixture("trailing_data.tga"), picture, true},
      {"a raw packet past the last pixel is clipped", fixture("rle_raw_past_end.tga"), picture, true},
      {"a run of 128 over 4 pixels is clipped", fixture("rle_run_past_end.tga"), Bytes(16, 255), false},
      {"a run and a raw packet of 128 pixels each", longPackets, longPicture, false},
      {"8-bit grey stays one byte a pixel", fixture("grey_8bit.tga"), {0x10, 0x20, 0x30, 0x40}, false},
      {"8-bit run-length stays one byte a pixel", fixture("rle_8bit.tga"), {0x80, 0xC0, 0x40, 0x40}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TgaImage image;
    ASSERT_TRUE(decodes(image, c.file)) << "a good file is refused";
    const std::size_t pixelBytes = image.bitsPerPixel / 8;
    const Bytes decoded(image.pixels.get(), image.pixels.get() + image.width * image.height * pixelBytes);
    const auto wrong = std::mismatch(decoded.begin(), decoded.end(), c.pixels.begin(), c.pixels.end()).first;
    EXPECT_TRUE(decoded.size() == c.pixels.size() && wrong == decoded.end())
        << "the picture goes wrong from pixel " << (wrong - decoded.begin()) / pixelBytes << " of "
        << c.pixels.size() / pixelBytes;
    if (!c.trailing) expectEveryCutRefused(c.file);
  }
  // Among them two bombs: a huge header over a few bytes.
  constexpr std::size_t kSmallAllocation = std::size_t{1} << 20;  // bytes; far below one row of a bomb
  // The probe must see an honest picture's buffer, or the check below proves nothing.
  largestNothrowArray = 0;
  TgaImage honest;
  ASSERT_TRUE(decodes(honest, encodeTga({1024, 256, 32, false, true}, Bytes(kSmallAllocation, 0x77))));
  ASSERT_GE(largestNothrowArray, kSmallAllocation) << "the probe misses the decoder's allocation";
  for (const char* name :
       {"colour_mapped.tga", "depth_16.tga", "zero_width.tga", "zero_height.tga", "negative_width.tga",
        "negative_height.tga", "id_past_end.tga", "colour_map_past_end.tga", "truncated_raw.tga",
        "truncated_rle.tga", "huge_raw.tga", "huge_rle.tga"}) {
    const Bytes file = fixture(name);
    ASSERT_LT(file.size(), 64u) << name;
    largestNothrowArray = 0;
    TgaImage image;
    EXPECT_FALSE(decodes(image, file)) << name;
    EXPECT_EQ(image.pixels, nullptr) << name;
    EXPECT_LT(largestNothrowArray, kSmallAllocation)
        << name << " asked for a buffer before checking its size";
  }
}

}  // namespace
