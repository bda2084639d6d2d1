#include "gfx/Texture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"
#include "support/TgaWriter.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr char kNotTga[] = "Error: not a .tga image.";
constexpr char kCannotRead[] = "Error: Cannot read file.";
constexpr char kBadDepth[] = "Error: Incorrect bit depth.";

// The 2 x 2 picture every well-formed file in tests/data/tga carries.
const Bytes kDataPicture = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 64, 255, 255, 255, 255};

std::string fixture(const std::string& name) {
  const std::string path = std::string(PLOMBRIX_TEST_DATA) + "/tga/" + name;
  EXPECT_TRUE(fs::exists(path)) << path << " is missing, so its case proves nothing";
  return path;
}

// The texture name loadTexture returned and the console text it printed.
std::pair<unsigned, std::string> loadCapturing(const std::string& path) {
  ::testing::internal::CaptureStdout();
  const unsigned name = loadTexture(path.c_str());
  return {name, ::testing::internal::GetCapturedStdout()};
}

GLint boundTexture() {
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  return bound;
}

// The bound texture's level 0 as RGBA rows in upload order, at its real size.
Bytes boundTexels() {
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  Bytes texels(static_cast<std::size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

TEST(LoadTexture, EveryRefusalPrintsItsReasonReturnsZeroAndLeavesTheBindingAlone) {
  GlTestWindow::open();
  const ScratchDir scratch;
  fs::create_directory(scratch.file("folder.tga"));
  std::vector<std::pair<std::string, const char*>> refusals;
  // Only the name from the last dot on is judged, in any letter case.
  for (const std::string& path :
       {std::string("picture.tga.bak"), std::string("picture"), std::string("res.tga/picture"),
        std::string("picture.tgaa"), fixture("id_field.tga") + ".png"})
    refusals.emplace_back(path, kNotTga);
  for (const std::string& path :
       {scratch.file("absent.TGA"), scratch.file("absent.Tga"), scratch.file("folder.tga")})
    refusals.emplace_back(path, kCannotRead);
  // Unsupported storage, then malformed files with one fault each.
  for (const char* name :
       {"colour_mapped.tga", "depth_16.tga", "empty.tga", "short_header.tga", "truncated_raw.tga",
        "truncated_rle.tga", "zero_width.tga", "zero_height.tga", "negative_width.tga", "negative_height.tga",
        "huge_raw.tga", "huge_rle.tga", "id_past_end.tga", "colour_map_past_end.tga"})
    refusals.emplace_back(fixture(name), kCannotRead);
  for (const char* name : {"grey_8bit.tga", "rle_8bit.tga"}) refusals.emplace_back(fixture(name), kBadDepth);

  GLuint previous = 0;
  glGenTextures(1, &previous);
  glBindTexture(GL_TEXTURE_2D, previous);
  for (const auto& [path, message] : refusals) {
    const auto [name, console] = loadCapturing(path);
    EXPECT_EQ(name, 0u) << path;
    EXPECT_EQ(console, "\nLoading texture " + path + "..." + message);
    EXPECT_EQ(boundTexture(), static_cast<GLint>(previous)) << path << " changed the bound texture";
  }
}

TEST(LoadTexture, AcceptedFilesUploadTheWholePictureTopRowFirstAndStayBound) {
  GlTestWindow::open();
  const ScratchDir scratch;
  // An odd width: with the default 4-byte unpack alignment the rows would shear.
  const Bytes odd = {10, 20, 30, 255, 40, 50, 60, 255, 70, 80, 90, 255,
                     1,  2,  3,  255, 4,  5,  6,  255, 7,  8,  9,  255};
  writeTga(scratch.file("odd.tga"), TgaLayout{3, 2, 24, false, false}, odd);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

  struct Accepted {
    std::string path;
    const char* size;
    Bytes texels;
  };
  // Files the format allows but the plain reader would misread: all are read whole.
  const std::vector<Accepted> accepted = {{scratch.file("odd.tga"), "3x2:4", odd},
                                          {fixture("id_field.tga"), "2x2:4", kDataPicture},
                                          {fixture("colour_map_on_truecolour.tga"), "2x2:4", kDataPicture},
                                          {fixture("colour_map_on_rle.tga"), "2x2:4", kDataPicture},
                                          {fixture("trailing_data.tga"), "2x2:4", kDataPicture},
                                          {fixture("rle_raw_past_end.tga"), "2x2:4", kDataPicture},
                                          {fixture("rle_run_past_end.tga"), "2x2:4", Bytes(16, 255)}};
  std::set<unsigned> names;
  for (const Accepted& a : accepted) {
    const auto [name, console] = loadCapturing(a.path);
    ASSERT_NE(name, 0u) << console;
    EXPECT_EQ(console, "\nLoading texture " + a.path + "..." + a.size);
    EXPECT_EQ(boundTexture(), static_cast<GLint>(name)) << a.path;
    EXPECT_EQ(boundTexels(), a.texels) << a.path;
    EXPECT_TRUE(names.insert(name).second) << "a second load reused texture " << name;
  }
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
