// The generator's Targa writer against the game's own decoder: plain and
// run-length files decode to exactly the picture, with the depth the picture
// needs, and run-length packets never straddle two rows.

#include "TargaFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx/TgaImage.h"

namespace {

// A picture with long runs (over a packet's 128), lone pixels, pairs and a run
// crossing from one row into the next.
Image testPicture(bool transparent) {
  Image image;
  image.width = 300;
  image.height = 6;
  image.rgba.resize(static_cast<std::size_t>(image.width) * image.height * 4);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
      const bool run = x < 200 || x >= 290;
      const int value = run ? 40 * y : (x * 37 + y * 11) % 251 + (x % 7 == 0 ? 0 : (x / 2) % 3);
      p[0] = static_cast<std::uint8_t>(value);
      p[1] = static_cast<std::uint8_t>(run ? 200 : value / 2);
      p[2] = static_cast<std::uint8_t>(x & 0x80);
      p[3] = transparent ? static_cast<std::uint8_t>(run ? 0 : value) : 255;
    }
  }
  return image;
}

TEST(TargaFile, PlainAndRunLengthFilesDecodeToThePicture) {
  for (bool transparent : {false, true}) {
    const Image picture = testPicture(transparent);
    for (auto packing : {TargaFile::Packing::Plain, TargaFile::Packing::RunLength}) {
      SCOPED_TRACE(std::string(transparent ? "with alpha, " : "opaque, ") +
                   (packing == TargaFile::Packing::Plain ? "plain" : "run-length"));
      const std::vector<std::uint8_t> file = TargaFile::encode(picture, packing);
      TgaImage decoded;
      ASSERT_TRUE(decoded.decode(file.data(), file.size()));
      EXPECT_EQ(decoded.imageType, packing == TargaFile::Packing::Plain ? 2 : 10);
      EXPECT_EQ(decoded.pixelDepth, transparent ? 32 : 24);
      ASSERT_EQ(decoded.width, picture.width);
      ASSERT_EQ(decoded.height, picture.height);
      ASSERT_EQ(decoded.bitsPerPixel, 32);
      const std::vector<std::uint8_t> pixels(decoded.pixels.get(),
                                             decoded.pixels.get() + picture.rgba.size());
      EXPECT_TRUE(pixels == picture.rgba);
    }
  }
}

TEST(TargaFile, RunLengthPacketsStayWithinARow) {
  const Image picture = testPicture(true);
  const std::vector<std::uint8_t> file = TargaFile::encode(picture, TargaFile::Packing::RunLength);
  std::size_t at = 18;
  int pixel = 0;
  while (pixel < picture.width * picture.height) {
    ASSERT_LT(at, file.size());
    const std::uint8_t header = file[at++];
    const int count = (header & 0x7F) + 1;
    EXPECT_EQ(pixel / picture.width, (pixel + count - 1) / picture.width) << "packet at pixel " << pixel;
    at += (header & 0x80) ? 4 : 4 * count;
    pixel += count;
  }
  EXPECT_EQ(at, file.size()) << "the file ends with the last packet";
}

}  // namespace
