#include "gfx/Texture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"

namespace {

// The decoder's own refusals are its tests' business; here one of them stands
// for all, to show that a refused file reaches the player's console as such.
// What an accepted picture looks like once uploaded, the drawing tests see.
TEST(LoadTexture, EveryRefusalPrintsItsReasonReturnsZeroAndLeavesTheBindingAlone) {
  GlTestWindow::open();
  const ScratchDir scratch;
  std::filesystem::create_directory(scratch.file("folder.tga"));
  const std::string data = std::string(PLOMBRIX_TEST_DATA) + "/tga/";
  const std::pair<std::string, const char*> refusals[] = {
      // Only the name from the last dot on is judged, in any letter case.
      {"picture.tga.bak", "not a .tga image."},
      {"picture", "not a .tga image."},
      {scratch.file("absent.TGA"), "Cannot read file."},
      {scratch.file("folder.tga"), "Cannot read file."},
      {data + "truncated_rle.tga", "Cannot read file."},
      {data + "grey_8bit.tga", "Incorrect bit depth."},  // decodes, but the game uploads colour only
  };
  GLuint previous = 0;
  glGenTextures(1, &previous);
  glBindTexture(GL_TEXTURE_2D, previous);
  for (const auto& [path, reason] : refusals) {
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(loadTexture(path.c_str()), 0u) << path;
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "\nLoading texture " + path + "...Error: " + reason);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, static_cast<GLint>(previous)) << path << " changed the bound texture";
  }
}

}  // namespace
