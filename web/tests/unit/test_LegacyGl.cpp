// The GL 1.x layer's own logic, without a browser: LegacyGl drives a recording
// GPU device, and the tests look at how many draws a caller's calls become,
// in which order, and what each vertex carries. What the draws look like is
// the conformance cases' business (web/tests/gl).

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RecordingDevice.h"
#include "web/gl/LegacyGl.h"

namespace {

constexpr int kSmallSide = 32;   // texels: goes on an atlas page
constexpr int kLargeSide = 512;  // texels: keeps a texture of its own

class LegacyGlTest : public ::testing::Test {
 protected:
  LegacyGlTest() { attach(true); }

  void attach(bool repeatsAnySize) {
    auto owned = std::make_unique<RecordingDevice>(repeatsAnySize);
    device = owned.get();
    gl.attachDevice(std::move(owned));
  }

  std::uint32_t texture(int width, int height) {
    std::uint32_t name = 0;
    gl.genTextures(1, &name);
    gl.bindTexture(GL_TEXTURE_2D, name);
    gl.texParameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    const std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4, 200);
    gl.texImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return name;
  }

  // A counter-clockwise unit quad from x, its texture coordinates from 0 to `repeats`.
  void quad(float x = 0.0f, float repeats = 1.0f) {
    gl.begin(GL_QUADS);
    for (const auto& [u, v] : {std::pair{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}}) {
      gl.texCoord(u * repeats, (1.0f - v) * repeats);
      gl.vertex(x + u, v, 0.0f);
    }
    gl.end();
  }

  // The state the game draws its sprites with.
  void blendedSprites() {
    gl.setEnabled(GL_TEXTURE_2D, true);
    gl.setEnabled(GL_BLEND, true);
    gl.blendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl.setEnabled(GL_ALPHA_TEST, true);
    gl.alphaFunc(GL_GREATER, 0.0f);
  }

  LegacyGl gl;
  RecordingDevice* device = nullptr;
};

TEST_F(LegacyGlTest, SpritesOfOneStateShareOneDrawEvenAcrossSmallTextures) {
  constexpr int kQuads = 50;
  for (const int side : {kSmallSide, kLargeSide}) {
    device->draws.clear();
    texture(side, side);
    blendedSprites();
    for (int i = 0; i < kQuads; ++i) quad(static_cast<float>(i));
    EXPECT_TRUE(device->draws.empty()) << "nothing is drawn before the batch has to go";
    gl.flush();
    ASSERT_EQ(device->draws.size(), 1u) << side << " x " << side << " texture";
    EXPECT_EQ(device->draws[0].vertexCount, 4 * kQuads);
    EXPECT_EQ(device->draws[0].corners.size(), 6u * kQuads);
  }

  // Bubbles alternating two small pictures: one draw from one atlas page.
  device->draws.clear();
  const std::uint32_t germ = texture(kSmallSide, kSmallSide);
  const std::uint32_t shell = texture(kSmallSide, kSmallSide);
  for (int i = 0; i < 40; ++i) {
    gl.bindTexture(GL_TEXTURE_2D, i % 2 == 0 ? germ : shell);
    quad();
  }
  gl.flush();
  ASSERT_EQ(device->draws.size(), 1u);
  EXPECT_TRUE(device->isAtlasPage(device->draws[0].state.texture));
}

TEST_F(LegacyGlTest, StateChangesSplitTheBatchAndKeepTheIssueOrder) {
  const std::uint32_t germ = texture(kSmallSide, kSmallSide);
  const std::uint32_t shell = texture(kSmallSide, kSmallSide);
  const std::uint32_t backdrop = texture(kLargeSide, kLargeSide);
  auto tinted = [&](std::uint32_t name, float red) {
    gl.bindTexture(GL_TEXTURE_2D, name);
    gl.color(red, 1.0f, 1.0f, 1.0f);
    quad();
  };
  blendedSprites();
  tinted(germ, 0.1f);
  tinted(shell, 0.2f);
  gl.setEnabled(GL_BLEND, false);
  tinted(germ, 0.3f);
  gl.alphaFunc(GL_GREATER, 0.5f);
  tinted(germ, 0.4f);
  tinted(backdrop, 0.5f);
  gl.setEnabled(GL_BLEND, true);
  tinted(shell, 0.6f);
  gl.flush();

  ASSERT_EQ(device->draws.size(), 5u);
  const float firstRed[] = {0.1f, 0.3f, 0.4f, 0.5f, 0.6f};
  for (std::size_t i = 0; i < 5; ++i)
    EXPECT_FLOAT_EQ(device->draws[i].corners[0].r, firstRed[i]) << "draw " << i;
  EXPECT_EQ(device->draws[0].corners.size(), 12u) << "the two sprites before the change share a draw";
  EXPECT_TRUE(device->draws[0].state.blend);
  EXPECT_FALSE(device->draws[1].state.blend);
  EXPECT_FLOAT_EQ(device->draws[2].state.alphaReference, 0.5f);
  EXPECT_FALSE(device->isAtlasPage(device->draws[3].state.texture))
      << "the big picture has a texture of its own";
  EXPECT_TRUE(device->draws[4].state.blend);

  // Clears, read-backs, finishes and viewport changes send what was collected first.
  device->events.clear();
  std::uint8_t pixel[4];
  const std::vector<std::function<void()>> calls = {
      [&] { gl.clear(GL_COLOR_BUFFER_BIT); },
      [&] { gl.readPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel); }, [&] { gl.finish(); },
      [&] { gl.viewport(0, 0, 10, 10); }};
  for (const auto& call : calls) {
    quad();
    call();
  }
  const std::vector<std::string> wanted = {"draw", "clear",  "draw", "read",
                                           "draw", "finish", "draw", "viewport"};
  EXPECT_EQ(device->events, wanted);
}

TEST_F(LegacyGlTest, PicturesOfAnySizeRepeatWhereTheGpuCan) {
  for (const bool webgl2 : {true, false}) {
    attach(webgl2);
    texture(1024, 768);
    gl.setEnabled(GL_TEXTURE_2D, true);
    quad(0.0f, 2.0f);
    gl.flush();
    ASSERT_EQ(device->draws.size(), 1u);
    const RecordingDevice::Texture& screen = device->textures[device->draws[0].state.texture];
    EXPECT_EQ(screen.width, 1024);
    // WebGL 1 cannot repeat a texture whose sides are not powers of two.
    EXPECT_EQ(screen.sampling.repeatS, webgl2);
    EXPECT_EQ(screen.sampling.repeatT, webgl2);
  }
}

TEST_F(LegacyGlTest, AFanWithMoreVerticesThanAnIndexCanNameIsDrawnWhole) {
  // Every triangle shares the centre, however many draws the fan needs.
  constexpr int kRim = 70000;
  gl.shadeModel(GL_SMOOTH);
  gl.begin(GL_TRIANGLE_FAN);
  gl.vertex(0.0f, 0.0f, 0.0f);
  for (int i = 0; i < kRim; ++i) gl.vertex(static_cast<float>(i), 1.0f, 0.0f);
  gl.end();
  gl.flush();
  std::size_t corners = 0;
  for (const RecordingDevice::Draw& draw : device->draws) {
    EXPECT_LE(draw.vertexCount, DrawBatch::kMaxVertices);
    corners += draw.corners.size();
  }
  EXPECT_EQ(corners, 3u * (kRim - 1));
  ASSERT_FALSE(device->draws.empty());
  const std::vector<BatchVertex>& last = device->draws.back().corners;
  EXPECT_FLOAT_EQ(last[last.size() - 3].x, 0.0f) << "the last triangle still starts at the centre";
  EXPECT_FLOAT_EQ(last.back().x, static_cast<float>(kRim - 1));
}

}  // namespace
