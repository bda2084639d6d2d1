// The GL 1.x layer's own logic, without a browser: LegacyGl drives a recording
// GPU device, and the tests look at the draws a caller's calls turn into, how
// many there are, in which order, and what each vertex carries.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "RecordingDevice.h"
#include "web/gl/LegacyGl.h"
#include "web/gl/Matrix4.h"

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

  std::uint32_t texture(int width, int height, std::int32_t filter = GL_LINEAR) {
    std::uint32_t name = 0;
    gl.genTextures(1, &name);
    gl.bindTexture(GL_TEXTURE_2D, name);
    gl.texParameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    gl.texParameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    const std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4, 200);
    gl.texImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return name;
  }

  // A counter-clockwise quad whose texture coordinates run from (0, 0) to
  // (s, t).
  void quad(float x0, float y0, float x1, float y1, float s = 1.0f, float t = 1.0f) {
    gl.begin(GL_QUADS);
    gl.texCoord(0.0f, t);
    gl.vertex(x0, y0, 0.0f);
    gl.texCoord(s, t);
    gl.vertex(x1, y0, 0.0f);
    gl.texCoord(s, 0.0f);
    gl.vertex(x1, y1, 0.0f);
    gl.texCoord(0.0f, 0.0f);
    gl.vertex(x0, y1, 0.0f);
    gl.end();
  }

  void blendedSprites() {
    gl.setEnabled(GL_TEXTURE_2D, true);
    gl.setEnabled(GL_BLEND, true);
    gl.blendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl.setEnabled(GL_ALPHA_TEST, true);
    gl.alphaFunc(GL_GREATER, 0.0f);
  }

  std::size_t cornersDrawn() const {
    std::size_t corners = 0;
    for (const RecordingDevice::Draw& draw : device->draws) corners += draw.corners.size();
    return corners;
  }

  LegacyGl gl;
  RecordingDevice* device = nullptr;
};

void expectSameCorners(const std::vector<BatchVertex>& got, const std::vector<BatchVertex>& wanted) {
  ASSERT_EQ(got.size(), wanted.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    const float a[] = {got[i].x, got[i].y, got[i].z, got[i].w, got[i].u,
                       got[i].v, got[i].r, got[i].g, got[i].b, got[i].a};
    const float b[] = {wanted[i].x, wanted[i].y, wanted[i].z, wanted[i].w, wanted[i].u,
                       wanted[i].v, wanted[i].r, wanted[i].g, wanted[i].b, wanted[i].a};
    for (int k = 0; k < 10; ++k) EXPECT_FLOAT_EQ(a[k], b[k]) << "corner " << i << ", component " << k;
  }
}

TEST_F(LegacyGlTest, QuadsOfOneTextureAndStateGoOutInOneDraw) {
  for (const int side : {kSmallSide, kLargeSide}) {
    device->draws.clear();
    texture(side, side);
    blendedSprites();
    constexpr int kQuads = 50;
    for (int i = 0; i < kQuads; ++i) quad(static_cast<float>(i), 0.0f, static_cast<float>(i) + 1.0f, 1.0f);
    EXPECT_TRUE(device->draws.empty()) << "nothing is drawn before the batch has to go";
    gl.flush();
    ASSERT_EQ(device->draws.size(), 1u) << side << " x " << side << " texture";
    EXPECT_EQ(device->draws[0].vertexCount, 4 * kQuads);
    EXPECT_EQ(device->draws[0].corners.size(), 6u * kQuads);
  }
}

TEST_F(LegacyGlTest, BubblesAlternatingTwoSmallTexturesShareOneDraw) {
  const std::uint32_t germ = texture(kSmallSide, kSmallSide);
  const std::uint32_t shell = texture(kSmallSide, kSmallSide);
  blendedSprites();
  constexpr int kBubbles = 40;
  for (int i = 0; i < kBubbles; ++i) {
    gl.bindTexture(GL_TEXTURE_2D, i % 2 == 0 ? germ : shell);
    quad(0.0f, 0.0f, 1.0f, 1.0f);
  }
  gl.flush();
  ASSERT_EQ(device->draws.size(), 1u);
  EXPECT_TRUE(device->isAtlasPage(device->draws[0].state.texture));
  // Each quad still samples its own picture: the two pictures' rectangles on
  // the page are apart, and each is exactly a picture wide.
  const std::vector<BatchVertex>& corners = device->draws[0].corners;
  const float germLeft = corners[0].u;
  const float shellLeft = corners[6].u;
  constexpr float kPictureWidth = static_cast<float>(kSmallSide) / TextureAtlas::kPageSide;
  EXPECT_GE(std::abs(germLeft - shellLeft), kPictureWidth);
  EXPECT_FLOAT_EQ(corners[1].u - corners[0].u, kPictureWidth);
  EXPECT_FLOAT_EQ(corners[12].u, germLeft);
}

TEST_F(LegacyGlTest, StateChangesSplitTheBatchAndKeepTheIssueOrder) {
  const std::uint32_t germ = texture(kSmallSide, kSmallSide);
  const std::uint32_t shell = texture(kSmallSide, kSmallSide);
  const std::uint32_t backdrop = texture(kLargeSide, kLargeSide);
  auto tinted = [&](std::uint32_t name, float red) {
    gl.bindTexture(GL_TEXTURE_2D, name);
    gl.color(red, 1.0f, 1.0f, 1.0f);
    quad(0.0f, 0.0f, 1.0f, 1.0f);
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
      << "the big picture is drawn from its own texture";
  EXPECT_TRUE(device->draws[4].state.blend);
}

TEST_F(LegacyGlTest, ClearReadBackAndFinishSendWhatWasCollectedFirst) {
  device->events.clear();
  quad(0.0f, 0.0f, 1.0f, 1.0f);
  gl.clear(GL_COLOR_BUFFER_BIT);
  quad(0.0f, 0.0f, 1.0f, 1.0f);
  std::uint8_t pixel[4];
  gl.readPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  quad(0.0f, 0.0f, 1.0f, 1.0f);
  gl.finish();
  quad(0.0f, 0.0f, 1.0f, 1.0f);
  gl.viewport(0, 0, 10, 10);
  const std::vector<std::string> wanted = {"draw", "clear",  "draw", "read",
                                           "draw", "finish", "draw", "viewport"};
  EXPECT_EQ(device->events, wanted);
}

TEST_F(LegacyGlTest, StacksReportOverflowAndUnderflowAndStayUsable) {
  double depth = 0.0;
  gl.popMatrix();
  EXPECT_EQ(gl.takeError(), static_cast<std::uint32_t>(GL_STACK_UNDERFLOW));
  EXPECT_EQ(gl.takeError(), static_cast<std::uint32_t>(GL_NO_ERROR)) << "an error is reported once";

  for (const std::uint32_t mode : {GL_MODELVIEW, GL_PROJECTION}) {
    const int limit = mode == GL_MODELVIEW ? LegacyGl::kModelViewStackDepth : LegacyGl::kProjectionStackDepth;
    gl.matrixMode(mode);
    gl.translate(3.0f, 0.0f, 0.0f);
    for (int i = 1; i < limit; ++i) gl.pushMatrix();
    EXPECT_EQ(gl.takeError(), static_cast<std::uint32_t>(GL_NO_ERROR))
        << "the stack holds " << limit << " matrices";
    gl.pushMatrix();
    EXPECT_EQ(gl.takeError(), static_cast<std::uint32_t>(GL_STACK_OVERFLOW));
    gl.getValues(mode == GL_MODELVIEW ? GL_MODELVIEW_STACK_DEPTH : GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, limit);
    for (int i = 1; i < limit; ++i) gl.popMatrix();
    EXPECT_EQ(gl.takeError(), static_cast<std::uint32_t>(GL_NO_ERROR));
    double matrix[16];
    gl.getValues(mode == GL_MODELVIEW ? GL_MODELVIEW_MATRIX : GL_PROJECTION_MATRIX, matrix);
    EXPECT_EQ(matrix[12], 3.0) << "the bottom matrix survived the failed push";
  }

  for (int i = 0; i < LegacyGl::kAttribStackDepth; ++i) gl.pushAttrib(GL_ENABLE_BIT);
  gl.pushAttrib(GL_ENABLE_BIT);
  EXPECT_EQ(gl.takeError(), static_cast<std::uint32_t>(GL_STACK_OVERFLOW));
  for (int i = 0; i <= LegacyGl::kAttribStackDepth; ++i) gl.popAttrib();
  EXPECT_EQ(gl.takeError(), static_cast<std::uint32_t>(GL_STACK_UNDERFLOW));
}

// A figure using what lists record: transforms, colours, texture coordinates,
// a texture binding and a call of another list.
void figure(LegacyGl& gl, std::uint32_t picture, std::uint32_t innerList) {
  gl.bindTexture(GL_TEXTURE_2D, picture);
  gl.color(1.0f, 0.5f, 0.25f, 1.0f);
  gl.pushMatrix();
  gl.translate(10.0f, 20.0f, 0.0f);
  gl.rotate(30.0f, 0.0f, 0.0f, 1.0f);
  gl.scale(2.0f, 3.0f, 1.0f);
  gl.begin(GL_TRIANGLES);
  gl.texCoord(0.1f, 0.2f);
  gl.vertex(0.0f, 0.0f, 0.0f);
  gl.color(0.2f, 0.4f, 0.6f, 0.8f);
  gl.texCoord(0.9f, 0.2f);
  gl.vertex(5.0f, 0.0f, 0.0f);
  gl.texCoord(0.5f, 0.7f);
  gl.vertex(0.0f, 5.0f, 0.5f);
  gl.end();
  gl.callList(innerList);
  gl.popMatrix();
}

TEST_F(LegacyGlTest, DisplayListReplayDrawsWhatTheImmediateCallsDraw) {
  gl.matrixMode(GL_PROJECTION);
  gl.multMatrix(Matrix4::perspective(60.0, 4.0 / 3.0, 1.0, 50.0).data());
  gl.matrixMode(GL_MODELVIEW);
  gl.translate(0.0f, 0.0f, -30.0f);
  gl.setEnabled(GL_TEXTURE_2D, true);
  const std::uint32_t picture = texture(kSmallSide, kSmallSide);
  const std::uint32_t inner = gl.genLists(2);
  gl.newList(inner, GL_COMPILE);
  gl.translate(4.0f, 0.0f, 0.0f);
  gl.begin(GL_QUADS);
  gl.texCoord(0.0f, 0.0f);
  gl.vertex(0.0f, 0.0f, 0.0f);
  gl.vertex(1.0f, 0.0f, 0.0f);
  gl.texCoord(1.0f, 1.0f);
  gl.vertex(1.0f, 1.0f, 0.0f);
  gl.vertex(0.0f, 1.0f, 0.0f);
  gl.end();
  gl.endList();

  figure(gl, picture, inner);
  gl.flush();
  ASSERT_EQ(device->draws.size(), 1u);
  const std::vector<BatchVertex> immediate = device->draws[0].corners;

  const std::uint32_t outer = inner + 1;
  gl.newList(outer, GL_COMPILE);
  figure(gl, picture, inner);
  gl.endList();
  gl.flush();
  EXPECT_EQ(device->draws.size(), 1u) << "compiling draws nothing";
  gl.callList(outer);
  gl.flush();
  ASSERT_EQ(device->draws.size(), 2u);
  expectSameCorners(device->draws[1].corners, immediate);
}

TEST_F(LegacyGlTest, TextCompiledWhileDrawnReplaysEachGlyphOnce) {
  constexpr int kGlyphs = 3;
  const std::uint32_t glyphs = gl.genLists(kGlyphs);
  for (int i = 0; i < kGlyphs; ++i) {
    gl.newList(glyphs + static_cast<std::uint32_t>(i), GL_COMPILE);
    quad(0.0f, 0.0f, 1.0f, 1.0f);
    gl.translate(2.0f, 0.0f, 0.0f);
    gl.endList();
  }
  const std::uint32_t line = gl.genLists(1);
  const std::uint8_t text[] = {0, 2, 1, 1};
  gl.listBase(glyphs);
  gl.newList(line, GL_COMPILE_AND_EXECUTE);
  gl.callLists(4, GL_UNSIGNED_BYTE, text);
  gl.endList();
  gl.flush();
  const std::size_t whileCompiled = cornersDrawn();
  EXPECT_EQ(whileCompiled, 4u * 6u);

  gl.loadIdentity();
  gl.callList(line);
  gl.flush();
  EXPECT_EQ(cornersDrawn() - whileCompiled, whileCompiled)
      << "the replay draws the line as its compilation did";
  double matrix[16];
  gl.getValues(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_EQ(matrix[12], 8.0) << "the pen moved once a glyph";
}

TEST_F(LegacyGlTest, FlatShadingTakesTheProvokingVertexColour) {
  gl.shadeModel(GL_FLAT);
  auto vertex = [&](float red, float x, float y) {
    gl.color(red, 0.0f, 0.0f, 1.0f);
    gl.vertex(x, y, 0.0f);
  };
  // A strip's triangle takes its last vertex's colour, a quad its fourth
  // vertex's, a polygon its first vertex's.
  gl.begin(GL_TRIANGLE_STRIP);
  for (int i = 0; i < 5; ++i)
    vertex(0.1f * static_cast<float>(i), static_cast<float>(i), i % 2 == 0 ? 1.0f : 0.0f);
  gl.end();
  gl.begin(GL_QUADS);
  for (int i = 0; i < 8; ++i) vertex(0.5f + 0.05f * static_cast<float>(i), static_cast<float>(i), 0.0f);
  gl.end();
  gl.begin(GL_POLYGON);
  for (int i = 0; i < 5; ++i) vertex(0.9f + 0.01f * static_cast<float>(i), static_cast<float>(i), 1.0f);
  gl.end();
  gl.flush();

  ASSERT_EQ(device->draws.size(), 1u);
  const std::vector<BatchVertex>& corners = device->draws[0].corners;
  const std::vector<float> wanted = {0.2f,  0.3f,  0.4f,          // strip
                                     0.65f, 0.65f, 0.85f, 0.85f,  // quads, two triangles each
                                     0.9f,  0.9f,  0.9f};         // polygon fan
  ASSERT_EQ(corners.size(), wanted.size() * 3);
  for (std::size_t triangle = 0; triangle < wanted.size(); ++triangle) {
    for (int k = 0; k < 3; ++k) {
      EXPECT_FLOAT_EQ(corners[triangle * 3 + k].r, wanted[triangle])
          << "triangle " << triangle << ", corner " << k;
    }
  }
}

TEST_F(LegacyGlTest, CoordinatesBeyondThePictureSampleItsOwnTexture) {
  texture(kSmallSide, kSmallSide);
  gl.setEnabled(GL_TEXTURE_2D, true);
  quad(0.0f, 0.0f, 1.0f, 1.0f);
  quad(0.0f, 0.0f, 1.0f, 1.0f, 3.0f, 2.0f);
  gl.flush();
  ASSERT_EQ(device->draws.size(), 2u);
  EXPECT_TRUE(device->isAtlasPage(device->draws[0].state.texture));
  const std::uint32_t own = device->draws[1].state.texture;
  ASSERT_FALSE(device->isAtlasPage(own)) << "a repeating quad cannot sample a page";
  EXPECT_EQ(device->textures[own].width, kSmallSide);
  EXPECT_TRUE(device->textures[own].sampling.repeatS);
  const std::vector<BatchVertex>& corners = device->draws[1].corners;
  EXPECT_FLOAT_EQ(corners[1].u, 3.0f) << "the coordinates are the caller's own";
  EXPECT_FLOAT_EQ(corners[0].v, 2.0f);
}

TEST_F(LegacyGlTest, PicturesOfAnySizeRepeatWhereTheGpuCan) {
  for (const bool webgl2 : {true, false}) {
    attach(webgl2);
    texture(1024, 768);
    gl.setEnabled(GL_TEXTURE_2D, true);
    quad(0.0f, 0.0f, 1.0f, 1.0f, 2.0f, 2.0f);
    gl.flush();
    ASSERT_EQ(device->draws.size(), 1u);
    const RecordingDevice::Texture& screen = device->textures[device->draws[0].state.texture];
    EXPECT_EQ(screen.width, 1024);
    // WebGL 1 cannot repeat a texture whose sides are not powers of two.
    EXPECT_EQ(screen.sampling.repeatS, webgl2);
    EXPECT_EQ(screen.sampling.repeatT, webgl2);
  }
}

TEST_F(LegacyGlTest, OnePrimitiveWithMoreVerticesThanAnIndexCanNameIsDrawnWhole) {
  // Flat quads of many colours: each triangle needs corners of its own.
  constexpr int kQuads = 20000;
  gl.shadeModel(GL_FLAT);
  gl.begin(GL_QUADS);
  for (int i = 0; i < kQuads; ++i) {
    gl.color(static_cast<float>(i % 100) / 100.0f, 0.0f, 0.0f, 1.0f);
    gl.vertex(static_cast<float>(i), 0.0f, 0.0f);
    gl.vertex(static_cast<float>(i) + 1.0f, 0.0f, 0.0f);
    gl.vertex(static_cast<float>(i) + 1.0f, 1.0f, 0.0f);
    gl.vertex(static_cast<float>(i), 1.0f, 0.0f);
  }
  gl.end();
  gl.flush();
  EXPECT_EQ(cornersDrawn(), 6u * kQuads);
  for (const RecordingDevice::Draw& draw : device->draws)
    EXPECT_LE(draw.vertexCount, DrawBatch::kMaxVertices);
  ASSERT_FALSE(device->draws.empty());
  EXPECT_FLOAT_EQ(device->draws.back().corners.back().r, 0.99f) << "the last quad is drawn in its colour";

  // A smooth fan whose every triangle shares the centre.
  device->draws.clear();
  constexpr int kRim = 70000;
  gl.shadeModel(GL_SMOOTH);
  gl.begin(GL_TRIANGLE_FAN);
  gl.vertex(0.0f, 0.0f, 0.0f);
  for (int i = 0; i < kRim; ++i) gl.vertex(static_cast<float>(i), 1.0f, 0.0f);
  gl.end();
  gl.flush();
  EXPECT_EQ(cornersDrawn(), 3u * (kRim - 1));
  ASSERT_FALSE(device->draws.empty());
  const std::vector<BatchVertex>& last = device->draws.back().corners;
  EXPECT_FLOAT_EQ(last[last.size() - 3].x, 0.0f) << "the last triangle still starts at the centre";
  EXPECT_FLOAT_EQ(last.back().x, static_cast<float>(kRim - 1));
}

}  // namespace
