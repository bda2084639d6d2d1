#include "gfx/Texture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/TgaWriter.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr char kNotTga[] = "Error: not a .tga image.";
constexpr char kCannotRead[] = "Error: Cannot read file.";
constexpr char kBadDepth[] = "Error: Incorrect bit depth.";

// Same 2 x 2 picture as the well-formed files in tests/data/tga.
const Bytes kDataPicture = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 64, 255, 255, 255, 255};

std::string dataFile(const std::string& name) {
  return (fs::path(PLOMBRIX_TEST_DATA) / "tga" / name).string();
}

fs::path scratchDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const fs::path dir = fs::temp_directory_path() /
                       ("plombrix-tex-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  return dir;
}

struct Loaded {
  unsigned name;
  std::string console;
};

Loaded loadCapturing(const std::string& path) {
  ::testing::internal::CaptureStdout();
  const unsigned name = loadTexture(path.c_str());
  return {name, ::testing::internal::GetCapturedStdout()};
}

std::string loadingLine(const std::string& path) { return "\nLoading texture " + path + "..."; }

GLint boundTexture() {
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  return bound;
}

// The bound texture's level 0, read back as RGBA rows in upload order.
Bytes boundTexels(int width, int height) {
  Bytes texels(static_cast<std::size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

TEST(LoadTextureName, OnlyNamesEndingInDotTgaAreTried) {
  // These pass the name test and then fail to open.
  for (const std::string& path :
       std::vector<std::string>{"res/images/absent.TGA", "res/images/absent.Tga", "absent.tGa"}) {
    const Loaded loaded = loadCapturing(path);
    EXPECT_EQ(loaded.name, 0u) << path;
    EXPECT_EQ(loaded.console, loadingLine(path) + kCannotRead);
  }
  // These never reach the disk, whatever is there.
  for (const std::string& path :
       std::vector<std::string>{"picture.tga.bak", "picture", "res.tga/picture", "picture.tgaa", "picture.tg",
                                dataFile("id_field.tga") + ".png"}) {
    const Loaded loaded = loadCapturing(path);
    EXPECT_EQ(loaded.name, 0u) << path;
    EXPECT_EQ(loaded.console, loadingLine(path) + kNotTga);
  }
}

TEST(LoadTextureRefusal, MissingFilesAndDirectoriesCannotBeRead) {
  const fs::path dir = scratchDir();
  fs::create_directory(dir / "folder.tga");
  for (const std::string& path :
       std::vector<std::string>{(dir / "missing.tga").string(), (dir / "folder.tga").string()}) {
    const Loaded loaded = loadCapturing(path);
    EXPECT_EQ(loaded.name, 0u) << path;
    EXPECT_EQ(loaded.console, loadingLine(path) + kCannotRead);
  }
  fs::remove_all(dir);
}

// One broken or unsupported file a case, with the line the player's console shows.
struct RefusedFile {
  const char* file;
  const char* message;
};

void PrintTo(const RefusedFile& refused, std::ostream* out) { *out << refused.file; }

class LoadTextureRefusedFile : public ::testing::TestWithParam<RefusedFile> {};

TEST_P(LoadTextureRefusedFile, PrintsItsReasonAndReturnsZero) {
  const std::string path = dataFile(GetParam().file);
  ASSERT_TRUE(fs::exists(path)) << path;
  const Loaded loaded = loadCapturing(path);
  EXPECT_EQ(loaded.name, 0u);
  EXPECT_EQ(loaded.console, loadingLine(path) + GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, LoadTextureRefusedFile,
    ::testing::Values(
        RefusedFile{"empty.tga", kCannotRead}, RefusedFile{"short_header.tga", kCannotRead},
        RefusedFile{"truncated_raw.tga", kCannotRead}, RefusedFile{"truncated_rle.tga", kCannotRead},
        RefusedFile{"zero_width.tga", kCannotRead}, RefusedFile{"zero_height.tga", kCannotRead},
        RefusedFile{"negative_width.tga", kCannotRead}, RefusedFile{"negative_height.tga", kCannotRead},
        RefusedFile{"huge_raw.tga", kCannotRead}, RefusedFile{"huge_rle.tga", kCannotRead},
        RefusedFile{"id_past_end.tga", kCannotRead}, RefusedFile{"colour_map_past_end.tga", kCannotRead}),
    [](const auto& info) { return fs::path(info.param.file).stem().string(); });

INSTANTIATE_TEST_SUITE_P(Unsupported, LoadTextureRefusedFile,
                         ::testing::Values(RefusedFile{"colour_mapped.tga", kCannotRead},
                                           RefusedFile{"depth_16.tga", kCannotRead},
                                           RefusedFile{"grey_8bit.tga", kBadDepth},
                                           RefusedFile{"rle_8bit.tga", kBadDepth}),
                         [](const auto& info) { return fs::path(info.param.file).stem().string(); });

TEST(LoadTextureUpload, LeavesTheTextureBoundWithTopRowFirstAndUnpackAlignmentOne) {
  GlTestWindow::open();
  // An odd width: with the default 4-byte unpack alignment the rows would shear.
  const Bytes picture = {10, 20, 30, 255, 40, 50, 60, 255, 70, 80, 90, 255,
                         1,  2,  3,  255, 4,  5,  6,  255, 7,  8,  9,  255};
  const fs::path file = scratchDir() / "odd.tga";
  writeTga(file.string(), TgaLayout{3, 2, 24, false, false}, picture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

  const Loaded loaded = loadCapturing(file.string());
  ASSERT_NE(loaded.name, 0u);
  EXPECT_EQ(loaded.console, loadingLine(file.string()) + "3x2:4");
  EXPECT_EQ(boundTexture(), static_cast<GLint>(loaded.name));
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 1);

  GLint width = 0, height = 0, wrapS = 0, wrapT = 0, magFilter = 0, minFilter = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(width, 3);
  EXPECT_EQ(height, 2);
  EXPECT_EQ(wrapS, GL_REPEAT);
  EXPECT_EQ(wrapT, GL_REPEAT);
  EXPECT_EQ(magFilter, GL_LINEAR);
  // Without mipmaps a mipmapping filter would leave the texture incomplete.
  EXPECT_EQ(minFilter, GL_LINEAR);
  EXPECT_EQ(boundTexels(3, 2), picture);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // Every load makes a texture of its own.
  const Loaded again = loadCapturing(file.string());
  EXPECT_NE(again.name, 0u);
  EXPECT_NE(again.name, loaded.name);
  fs::remove_all(file.parent_path());
}

TEST(LoadTextureUpload, AGreyscaleImageIsRefusedWithoutTouchingTheBinding) {
  GlTestWindow::open();
  GLuint previous = 0;
  glGenTextures(1, &previous);
  glBindTexture(GL_TEXTURE_2D, previous);

  const std::string path = dataFile("grey_8bit.tga");
  const Loaded loaded = loadCapturing(path);
  EXPECT_EQ(loaded.name, 0u);
  EXPECT_EQ(loaded.console, loadingLine(path) + kBadDepth);
  EXPECT_EQ(boundTexture(), static_cast<GLint>(previous));
}

TEST(LoadTextureUpload, OddButReadableFilesUploadTheWholePicture) {
  GlTestWindow::open();
  for (const char* name : {"rle_raw_past_end.tga", "id_field.tga", "colour_map_on_truecolour.tga",
                           "colour_map_on_rle.tga", "trailing_data.tga"}) {
    const std::string path = dataFile(name);
    const Loaded loaded = loadCapturing(path);
    ASSERT_NE(loaded.name, 0u) << loaded.console;
    EXPECT_EQ(loaded.console, loadingLine(path) + "2x2:4");
    EXPECT_EQ(boundTexels(2, 2), kDataPicture) << name;
  }
  const Loaded clipped = loadCapturing(dataFile("rle_run_past_end.tga"));
  ASSERT_NE(clipped.name, 0u) << clipped.console;
  EXPECT_EQ(boundTexels(2, 2), Bytes(16, 255));
}

}  // namespace
