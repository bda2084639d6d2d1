#include "gfx/TgaImage.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "support/TgaWriter.h"

// Remembers the largest single request made through operator new, so a test can
// see whether the decoder asked for a buffer before it checked the file.
namespace {
std::atomic<std::size_t> largestAllocation{0};

void* allocate(std::size_t bytes) noexcept {
  std::size_t seen = largestAllocation.load();
  while (bytes > seen && !largestAllocation.compare_exchange_weak(seen, bytes)) {
  }
  return std::malloc(bytes == 0 ? 1 : bytes);
}

// Out of line, so the compiler does not pair an inlined free with a new.
[[gnu::noinline]] void deallocate(void* block) noexcept { std::free(block); }
}  // namespace

void* operator new(std::size_t bytes) {
  if (void* p = allocate(bytes)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t bytes) {
  if (void* p = allocate(bytes)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return allocate(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return allocate(bytes); }
void operator delete(void* p) noexcept { deallocate(p); }
void operator delete[](void* p) noexcept { deallocate(p); }
void operator delete(void* p, std::size_t) noexcept { deallocate(p); }
void operator delete[](void* p, std::size_t) noexcept { deallocate(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { deallocate(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { deallocate(p); }

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr char kImageMagick[] = "/usr/bin/convert";

// The 2 x 2 picture that every well-formed file in tests/data/tga carries:
// red, half-transparent green / quarter-opaque blue, white.
const Bytes kDataPicture = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 64, 255, 255, 255, 255};

std::string dataFile(const std::string& name) {
  return (fs::path(PLOMBRIX_TEST_DATA) / "tga" / name).string();
}

Bytes readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes pixelsOf(const TgaImage& image) {
  if (!image.pixels) return {};
  const std::size_t size = static_cast<std::size_t>(image.width) * image.height * (image.bitsPerPixel / 8);
  return Bytes(image.pixels.get(), image.pixels.get() + size);
}

// A scratch folder of its own for every test process.
fs::path scratchDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const fs::path dir = fs::temp_directory_path() /
                       ("plombrix-tga-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  return dir;
}

// 150 x 9, with runs longer than a packet and across rows, a gradient that only
// raw packets can hold, and varied alpha.
constexpr int kPictureWidth = 150;
constexpr int kPictureHeight = 9;
Bytes testPicture() {
  Bytes rgba;
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      if (y < 3) {
        rgba.insert(rgba.end(), {200, 40, 10, 255});
      } else if (y < 6) {
        rgba.insert(rgba.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y * 25),
                                 static_cast<std::uint8_t>(255 - x), static_cast<std::uint8_t>(x + 60)});
      } else {
        const bool even = (x / 2) % 2 == 0;
        rgba.insert(rgba.end(),
                    {static_cast<std::uint8_t>(even ? 0 : 250), 128, static_cast<std::uint8_t>(y * 20),
                     static_cast<std::uint8_t>(even ? 10 : 240)});
      }
    }
  }
  return rgba;
}

Bytes withOpaqueAlpha(Bytes rgba) {
  for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
  return rgba;
}

// Header for hand-made files: 18 bytes, fields as named.
Bytes header(std::uint8_t type, int width, int height, std::uint8_t depth, std::uint8_t descriptor) {
  return {0,
          0,
          type,
          0,
          0,
          0,
          0,
          0,
          0,
          0,
          0,
          0,
          static_cast<std::uint8_t>(width & 0xFF),
          static_cast<std::uint8_t>((width >> 8) & 0xFF),
          static_cast<std::uint8_t>(height & 0xFF),
          static_cast<std::uint8_t>((height >> 8) & 0xFF),
          depth,
          descriptor};
}

Bytes concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

bool decodes(TgaImage& image, const Bytes& file) { return image.decode(file.data(), file.size()); }

constexpr std::uint8_t kTopFirst = 0x20;
constexpr std::uint8_t kBottomFirst = 0x00;

TEST(TgaImageDecode, ColourPicturesComeOutTopRowFirstRgbaWhateverTheStorage) {
  const Bytes picture = testPicture();
  for (int bits : {24, 32}) {
    for (bool rle : {false, true}) {
      for (bool topFirst : {false, true}) {
        SCOPED_TRACE(::testing::Message() << bits << " bit, rle " << rle << ", top first " << topFirst);
        TgaImage image;
        ASSERT_TRUE(decodes(image, encodeTga({kPictureWidth, kPictureHeight, bits, rle, topFirst}, picture)));
        EXPECT_EQ(image.width, kPictureWidth);
        EXPECT_EQ(image.height, kPictureHeight);
        EXPECT_EQ(image.bitsPerPixel, 32);
        EXPECT_EQ(pixelsOf(image), bits == 32 ? picture : withOpaqueAlpha(picture));
      }
    }
  }
}

TEST(TgaImageDecode, HandMadeBytesGiveTheDocumentedLayout) {
  // 24-bit, bottom row stored first: memory row 0 must be the file's last row.
  TgaImage flat;
  ASSERT_TRUE(
      decodes(flat, concat(header(2, 2, 2, 24, kBottomFirst), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})));
  EXPECT_EQ(pixelsOf(flat), (Bytes{9, 8, 7, 255, 12, 11, 10, 255, 3, 2, 1, 255, 6, 5, 4, 255}));

  // A run packet 0x83 repeats its value 4 times; a raw packet 0x02 takes the
  // next 3 values; 32-bit alpha is kept as stored.
  TgaImage packed;
  ASSERT_TRUE(decodes(packed, concat(header(10, 7, 1, 32, kTopFirst),
                                     {0x83, 1, 2, 3, 4, 0x02, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16})));
  EXPECT_EQ(pixelsOf(packed), (Bytes{3, 2, 1, 4, 3, 2, 1,  4,  3, 2,  1,  4,  3,  2,
                                     1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16}));
}

TEST(TgaImageDecode, GreyscaleKeepsOneUnchangedByteAPixelInEitherRowOrder) {
  const Bytes stored = {10, 20, 30, 40, 50, 60};
  TgaImage topFirst;
  ASSERT_TRUE(decodes(topFirst, concat(header(3, 3, 2, 8, kTopFirst), stored)));
  EXPECT_EQ(topFirst.bitsPerPixel, 8);
  EXPECT_EQ(pixelsOf(topFirst), stored);

  TgaImage bottomFirst;
  ASSERT_TRUE(decodes(bottomFirst, concat(header(3, 3, 2, 8, kBottomFirst), stored)));
  EXPECT_EQ(pixelsOf(bottomFirst), (Bytes{40, 50, 60, 10, 20, 30}));
}

TEST(TgaImageLoad, ASecondLoadKeepsThePixelsWithoutTouchingTheFile) {
  const fs::path file = scratchDir() / "picture.tga";
  writeBytes(file, encodeTga({2, 2, 32, false, true}, kDataPicture));
  TgaImage image;
  ASSERT_TRUE(image.load(file.c_str()));
  const std::uint8_t* first = image.pixels.get();
  fs::remove_all(file.parent_path());

  EXPECT_TRUE(image.load(file.c_str()));
  EXPECT_EQ(image.pixels.get(), first);
  EXPECT_EQ(pixelsOf(image), kDataPicture);
  EXPECT_TRUE(image.release());
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_FALSE(image.release());
}

TEST(TgaImageLoad, MissingEmptyAndDirectoryPathsAreRefused) {
  const fs::path dir = scratchDir();
  fs::create_directory(dir / "folder.tga");
  for (const std::string& path :
       std::vector<std::string>{(dir / "missing.tga").string(), dataFile("empty.tga"),
                                (dir / "folder.tga").string(), dir.string()}) {
    SCOPED_TRACE(path);
    TgaImage image;
    EXPECT_FALSE(image.load(path.c_str()));
    EXPECT_EQ(image.pixels, nullptr);
  }
  fs::remove_all(dir);
}

TEST(TgaImageRefusal, UnsupportedTypesAndDepthsAreRefused) {
  const Bytes fourPixels(16, 0x55);
  for (const auto& [type, depth] : std::vector<std::pair<int, int>>{
           {0, 32}, {1, 8}, {9, 8}, {11, 8}, {2, 16}, {2, 15}, {10, 16}, {3, 0}}) {
    SCOPED_TRACE(::testing::Message() << "type " << type << ", depth " << depth);
    TgaImage image;
    EXPECT_FALSE(decodes(image, concat(header(static_cast<std::uint8_t>(type), 2, 2,
                                              static_cast<std::uint8_t>(depth), kTopFirst),
                                       fourPixels)));
    EXPECT_EQ(image.pixels, nullptr);
  }
  for (const char* name : {"colour_mapped.tga", "depth_16.tga"}) {
    TgaImage image;
    EXPECT_FALSE(image.load(dataFile(name).c_str())) << name;
  }
}

TEST(TgaImageRefusal, EmptyAndNegativeSizesAreRefused) {
  for (const char* name :
       {"zero_width.tga", "zero_height.tga", "negative_width.tga", "negative_height.tga"}) {
    TgaImage image;
    EXPECT_FALSE(image.load(dataFile(name).c_str())) << name;
    EXPECT_EQ(image.width, 0) << name;
    EXPECT_EQ(image.pixels, nullptr) << name;
  }
}

TEST(TgaImageRefusal, AFileCutAnywhereIsRefusedNotPadded) {
  const Bytes picture = testPicture();
  std::vector<Bytes> wholeFiles;
  for (int bits : {24, 32})
    for (bool rle : {false, true})
      wholeFiles.push_back(encodeTga({kPictureWidth, 3, bits, rle, false}, picture));
  wholeFiles.push_back(concat(header(3, 3, 2, 8, kTopFirst), {1, 2, 3, 4, 5, 6}));
  wholeFiles.push_back(concat(header(10, 5, 1, 8, kTopFirst), {0x81, 1, 0x02, 2, 3, 4}));

  for (const Bytes& whole : wholeFiles) {
    TgaImage complete;
    ASSERT_TRUE(decodes(complete, whole));
    // Every proper prefix, from an empty file to one byte short.
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
      TgaImage image;
      const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
      ASSERT_FALSE(decodes(image, prefix))
          << "type " << int(whole[2]) << " cut at " << cut << " of " << whole.size();
      ASSERT_EQ(image.pixels, nullptr);
    }
  }
  for (const char* name : {"short_header.tga", "truncated_raw.tga", "truncated_rle.tga"}) {
    TgaImage image;
    EXPECT_FALSE(image.load(dataFile(name).c_str())) << name;
  }
}

TEST(TgaImageRefusal, AnIdFieldOrColourMapLongerThanTheFileIsRefused) {
  for (const char* name : {"id_past_end.tga", "colour_map_past_end.tga"}) {
    TgaImage image;
    EXPECT_FALSE(image.load(dataFile(name).c_str())) << name;
  }
}

TEST(TgaImageRefusal, AHugeHeaderOverAFewBytesIsRefusedBeforeAllocating) {
  constexpr std::size_t kSmallAllocation = 1 << 20;  // bytes; far below one 32767-pixel row of any bomb

  // The probe itself must see a real picture's buffer, or the check below means nothing.
  constexpr int kSide = 256;
  const Bytes big(static_cast<std::size_t>(kSide) * kSide * 4, 0x77);
  const Bytes bigFile = encodeTga({kSide, kSide, 32, false, true}, big);
  largestAllocation = 0;
  {
    TgaImage image;
    ASSERT_TRUE(decodes(image, bigFile));
  }
  EXPECT_GE(largestAllocation.load(), big.size());

  for (const char* name : {"huge_raw.tga", "huge_rle.tga"}) {
    const Bytes bomb = readBytes(dataFile(name));
    ASSERT_FALSE(bomb.empty()) << name;
    largestAllocation = 0;
    TgaImage image;
    EXPECT_FALSE(decodes(image, bomb)) << name;
    EXPECT_LT(largestAllocation.load(), kSmallAllocation) << name << " asked for a buffer before checking";
  }
}

TEST(TgaImageLenient, PacketsRunningPastTheLastPixelAreClipped) {
  TgaImage run;
  ASSERT_TRUE(run.load(dataFile("rle_run_past_end.tga").c_str()));
  EXPECT_EQ(pixelsOf(run), Bytes(16, 255));

  TgaImage raw;
  ASSERT_TRUE(raw.load(dataFile("rle_raw_past_end.tga").c_str()));
  EXPECT_EQ(pixelsOf(raw), kDataPicture);

  // A 128-pixel greyscale run into a 3-pixel picture.
  TgaImage grey;
  ASSERT_TRUE(decodes(grey, concat(header(10, 3, 1, 8, kTopFirst), {0xFF, 42})));
  EXPECT_EQ(pixelsOf(grey), (Bytes{42, 42, 42}));
}

TEST(TgaImageLenient, GreyscaleRunLengthDecodesToOneByteAPixel) {
  TgaImage image;
  ASSERT_TRUE(image.load(dataFile("rle_8bit.tga").c_str()));
  EXPECT_EQ(image.bitsPerPixel, 8);
  EXPECT_EQ(pixelsOf(image), (Bytes{0x80, 0xC0, 0x40, 0x40}));
}

TEST(TgaImageLenient, IdFieldColourMapAndTrailingBytesAreSteppedOver) {
  for (const char* name :
       {"id_field.tga", "colour_map_on_truecolour.tga", "colour_map_on_rle.tga", "trailing_data.tga"}) {
    TgaImage image;
    ASSERT_TRUE(image.load(dataFile(name).c_str())) << name;
    EXPECT_EQ(pixelsOf(image), kDataPicture) << name;
  }
}

// ImageMagick writes the files and decodes them too; our pixels must equal its.
// This ImageMagick keeps rows in file order and only records the orientation,
// so a bottom-first file is made from the flipped picture, and its decode is
// taken with -auto-orient to come out top row first.
class TgaImageMagick : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kImageMagick)) GTEST_SKIP() << kImageMagick << " is not installed";
    dir = scratchDir();
    writeBytes(dir / "source.rgba", testPicture());
  }
  void TearDown() override {
    if (!dir.empty()) fs::remove_all(dir);
  }

  void run(const std::string& arguments) {
    const std::string command = std::string(kImageMagick) + " " + arguments;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // Makes name.tga from the source picture with the given options and returns
  // ImageMagick's own decode of it in the given raw format (rgba or gray).
  Bytes makeAndDecode(const std::string& name, const std::string& options, const std::string& format) {
    const fs::path tga = dir / (name + ".tga");
    const fs::path raw = dir / (name + "." + format);
    run("-size " + std::to_string(kPictureWidth) + "x" + std::to_string(kPictureHeight) +
        " -depth 8 rgba:" + (dir / "source.rgba").string() + " " + options + " " + tga.string());
    run(tga.string() + " -auto-orient -depth 8 " + format + ":" + raw.string());
    return readBytes(raw);
  }

  static std::string sizeOption() {
    return "-size " + std::to_string(kPictureWidth) + "x" + std::to_string(kPictureHeight);
  }

  fs::path dir;
};

TEST_F(TgaImageMagick, TrueColourFilesMatchInEveryDepthOrientationAndCompression) {
  struct Case {
    const char* type;
    int depth;
  };
  for (const Case& c : {Case{"TrueColorAlpha", 32}, Case{"TrueColor", 24}}) {
    for (bool rle : {false, true}) {
      for (bool topFirst : {false, true}) {
        const std::string name = std::string(c.type) + (rle ? "-rle" : "") + (topFirst ? "-top" : "-bottom");
        SCOPED_TRACE(name);
        const std::string options = std::string("-type ") + c.type +
                                    (rle ? " -compress RLE" : " -compress None") +
                                    (topFirst ? " -orient TopLeft" : " -flip -orient BottomLeft");
        const Bytes expected = makeAndDecode(name, options, "rgba");
        TgaImage image;
        ASSERT_TRUE(image.load((dir / (name + ".tga")).c_str()));
        // Make sure ImageMagick wrote the storage this case is about.
        EXPECT_EQ(image.imageType, rle ? 10 : 2);
        EXPECT_EQ(image.pixelDepth, c.depth);
        EXPECT_EQ((image.descriptor & kTopFirst) != 0, topFirst);
        EXPECT_EQ(pixelsOf(image), expected);
        const Bytes source = testPicture();
        EXPECT_EQ(pixelsOf(image), c.depth == 32 ? source : withOpaqueAlpha(source));
      }
    }
  }
}

TEST_F(TgaImageMagick, GreyscaleFilesMatchInEitherOrientation) {
  // A grey source, so the expected levels are exact: the red channel of the
  // test picture repeated in green and blue.
  Bytes greyRgba = testPicture();
  Bytes sourceInGrey;
  for (std::size_t i = 0; i < greyRgba.size(); i += 4) {
    greyRgba[i + 1] = greyRgba[i + 2] = greyRgba[i];
    greyRgba[i + 3] = 255;
    sourceInGrey.push_back(greyRgba[i]);
  }
  writeBytes(dir / "source.rgba", greyRgba);
  for (bool topFirst : {false, true}) {
    const std::string name = topFirst ? "grey-top" : "grey-bottom";
    SCOPED_TRACE(name);
    const Bytes expected = makeAndDecode(name,
                                         std::string("-type Grayscale -compress None ") +
                                             (topFirst ? "-orient TopLeft" : "-flip -orient BottomLeft"),
                                         "gray");
    TgaImage image;
    ASSERT_TRUE(image.load((dir / (name + ".tga")).c_str()));
    EXPECT_EQ(image.imageType, 3);
    EXPECT_EQ(image.bitsPerPixel, 8);
    EXPECT_EQ((image.descriptor & kTopFirst) != 0, topFirst);
    EXPECT_EQ(pixelsOf(image), expected);
    EXPECT_EQ(pixelsOf(image), sourceInGrey) << "rows out of order";
  }
}

TEST_F(TgaImageMagick, PaletteAndGreyscaleRunLengthFilesAreRefused) {
  makeAndDecode("palette", "-type Palette", "rgba");
  makeAndDecode("grey-rle", "-type Grayscale -compress RLE", "gray");
  for (const auto& [name, type] :
       std::vector<std::pair<std::string, int>>{{"palette.tga", 1}, {"grey-rle.tga", 11}}) {
    TgaImage image;
    EXPECT_FALSE(image.load((dir / name).c_str())) << name;
    EXPECT_EQ(image.imageType, type) << name << " is not the storage this case is about";
    EXPECT_EQ(image.pixels, nullptr);
  }
}

}  // namespace
