// The generator's Targa writer against the game's own decoder: plain and
// run-length files decode to exactly the picture, with or without alpha.

#include "TargaFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/TgaImage.h"

namespace {

TEST(TargaFile, PlainAndRunLengthFilesDecodeToThePicture) {
  for (bool transparent : {false, true}) {
    // Runs and stretches of differing pixels both longer than a packet's 128,
    // lone pixels and pairs, and each row's last run the colour of the next
    // row's first.
    Image picture{400, 6, {}};
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x) {
        const bool run = x < 200 || x >= 390;
        const int value =
            run ? 40 * (y + (x >= 390)) : (x * 37 + y * 11) % 251 + (x % 7 == 0 ? 0 : (x / 2) % 3);
        const int alpha = transparent ? (run ? 0 : value) : 255;
        for (int channel : {value, run ? 200 : value / 2, run ? 9 : x & 0xff, alpha})
          picture.rgba.push_back(static_cast<std::uint8_t>(channel));
      }
    for (auto packing : {TargaFile::Packing::Plain, TargaFile::Packing::RunLength}) {
      SCOPED_TRACE(std::string(transparent ? "with alpha, " : "opaque, ") +
                   (packing == TargaFile::Packing::Plain ? "plain" : "run-length"));
      const std::vector<std::uint8_t> file = TargaFile::encode(picture, packing);
      TgaImage decoded;
      ASSERT_TRUE(decoded.decode(file.data(), file.size()));
      ASSERT_EQ(decoded.width, picture.width);
      ASSERT_EQ(decoded.height, picture.height);
      ASSERT_EQ(decoded.bitsPerPixel, 32);
      EXPECT_TRUE(std::equal(picture.rgba.begin(), picture.rgba.end(), decoded.pixels.get()));
    }
  }
}

}  // namespace
