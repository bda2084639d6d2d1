// The attribute stacks: the font printer saves the list base, the current
// colour, the enables and the matrix mode around its text, and the pixel
// store around its glyph uploads. What a pop puts back must draw as before
// the push.

#include "GlCase.h"

namespace {

void pushAttribEnable(CaseContext& context) {
  pixelSpace();
  // Opaque coloured quarters with a transparent centre: texturing on shows
  // the colours, the alpha test shows the hole.
  const GLuint texture = makeTexture(8, 8, picture(8, 8, [](int x, int y) {
                                       const bool centre = x >= 3 && x <= 4 && y >= 3 && y <= 4;
                                       return Texel{static_cast<std::uint8_t>(x < 4 ? 230 : 40),
                                                    static_cast<std::uint8_t>(y < 4 ? 200 : 60), 90,
                                                    static_cast<std::uint8_t>(centre ? 0 : 255)};
                                     }));
  rect({0.3f, 0.3f, 0.8f}, 0.0f, 0.0f, 512.0f, 150.0f, -0.5f);
  glEnable(GL_TEXTURE_2D);
  glPushAttrib(GL_ENABLE_BIT);
  for (GLenum capability : {GL_TEXTURE_2D, GL_DEPTH_TEST, GL_CULL_FACE}) glDisable(capability);
  for (GLenum capability : {GL_ALPHA_TEST, GL_BLEND}) glEnable(capability);
  glAlphaFunc(GL_GREATER, 0.0f);
  glBlendFunc(GL_ONE, GL_ONE);
  context.expectEnabled("inside: texturing off", GL_TEXTURE_2D, false);
  context.expectEnabled("inside: blending on", GL_BLEND, true);
  // Untextured, added onto the blue band, clockwise and behind it.
  rect({0.5f, 0.2f, 0.0f}, 200.0f, 50.0f, 50.0f, 250.0f, -0.9f);
  glPopAttrib();

  context.expectEnabled("after the pop: texturing on again", GL_TEXTURE_2D, true);
  context.expectEnabled("after the pop: blending off again", GL_BLEND, false);
  context.expectEnabled("after the pop: alpha test off again", GL_ALPHA_TEST, false);
  context.expectEnabled("after the pop: depth test on again", GL_DEPTH_TEST, true);
  context.expectEnabled("after the pop: culling on again", GL_CULL_FACE, true);
  // Textured, opaque, its hole drawn (no alpha test), the clockwise copy
  // culled and the one behind the band hidden.
  texturedRect({1.0f, 1.0f, 1.0f}, 250.0f, 50.0f, 400.0f, 250.0f);
  texturedRect(425.0f, 25.0f, 500.0f, 125.0f, 0.0f, 0.0f, 1.0f, 1.0f, -0.9f);
  rect(450.0f, 275.0f, 300.0f, 375.0f);
  glDeleteTextures(1, &texture);
}

void pushAttribCurrentAndTransform(CaseContext& context) {
  pixelSpace();
  // One texel a colour: a quad drawn without texture coordinates of its own
  // takes the current one, which the pop must put back too.
  const GLuint texture = makeTexture(2, 1, {250, 40, 40, 255, 40, 250, 40, 255}, GL_NEAREST);
  glEnable(GL_TEXTURE_2D);
  glColor4f(0.9f, 0.9f, 0.3f, 1.0f);
  glTexCoord2f(0.25f, 0.5f);
  glPushAttrib(GL_CURRENT_BIT);
  glColor4f(0.2f, 0.4f, 1.0f, 0.5f);
  glTexCoord2f(0.75f, 0.5f);
  rect(50.0f, 200.0f, 225.0f, 370.0f);
  glPopAttrib();
  rect(275.0f, 200.0f, 450.0f, 370.0f);
  glDisable(GL_TEXTURE_2D);
  rect(175.0f, 25.0f, 275.0f, 175.0f);
  context.expectFloat("colour red after the pop", GL_CURRENT_COLOR, 0.9f);
  context.expectFloat("colour blue after the pop", GL_CURRENT_COLOR, 0.3f, 2);
  context.expectFloat("colour alpha after the pop", GL_CURRENT_COLOR, 1.0f, 3);
  context.expectFloat("texture s after the pop", GL_CURRENT_TEXTURE_COORDS, 0.25f);
  glDeleteTextures(1, &texture);

  // The matrix mode (the font printer's case holds the list base it saves):
  // back on the model-view matrix after the pop, a move is halved by its
  // scale; on the projection it would not be.
  glScalef(0.5f, 0.5f, 1.0f);
  rect({0.8f, 0.8f, 0.8f}, 100.0f, 50.0f, 300.0f, 250.0f);
  glPushAttrib(GL_TRANSFORM_BIT);
  glMatrixMode(GL_PROJECTION);
  context.expectInteger("matrix mode inside", GL_MATRIX_MODE, GL_PROJECTION);
  glPopAttrib();
  glTranslatef(500.0f, 100.0f, 0.0f);
  rect({0.9f, 0.5f, 0.1f}, 100.0f, 50.0f, 300.0f, 250.0f);
  context.expectInteger("matrix mode after the pop", GL_MATRIX_MODE, GL_MODELVIEW);
}

void pushAttribColourBuffer(CaseContext& context) {
  pixelSpace();
  rect({0.1f, 0.5f, 0.9f}, 0.0f, 0.0f, 512.0f, 384.0f, -0.5f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
  glClearColor(0.25f, 0.0f, 0.0f, 1.0f);

  glPushAttrib(GL_COLOR_BUFFER_BIT);
  glDisable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glAlphaFunc(GL_LESS, 0.2f);
  glDisable(GL_ALPHA_TEST);
  glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
  glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_TRUE);
  // Only red and blue written, opaque: no blending, no alpha test.
  rect({1.0f, 1.0f, 0.0f, 0.1f}, 25.0f, 225.0f, 225.0f, 350.0f);
  glPopAttrib();

  // Blended over the blue, and the fainter quad dropped by the alpha test.
  rect({1.0f, 1.0f, 0.0f, 0.75f}, 275.0f, 225.0f, 475.0f, 350.0f);
  rect({1.0f, 0.0f, 0.0f, 0.4f}, 25.0f, 50.0f, 475.0f, 175.0f);

  context.expectInteger("blend source after the pop", GL_BLEND_SRC, GL_SRC_ALPHA);
  context.expectInteger("blend destination after the pop", GL_BLEND_DST, GL_ONE_MINUS_SRC_ALPHA);
  context.expectInteger("alpha function after the pop", GL_ALPHA_TEST_FUNC, GL_GREATER);
  context.expectFloat("alpha reference after the pop", GL_ALPHA_TEST_REF, 0.5f);
  context.expectFloat("clear colour red after the pop", GL_COLOR_CLEAR_VALUE, 0.25f);
  context.expectFloat("clear colour blue after the pop", GL_COLOR_CLEAR_VALUE, 0.0f, 2);
  context.expectEnabled("blending on after the pop", GL_BLEND, true);
  context.expectEnabled("alpha test on after the pop", GL_ALPHA_TEST, true);
}

// A 5 x 3 picture as GL_RGB bytes, rows either packed or padded to 4 bytes.
GLuint uploadOdd(int rowBytes, GLint filter) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(rowBytes) * 3, 0);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      std::uint8_t* texel = &bytes[static_cast<std::size_t>(y) * rowBytes + x * 3];
      texel[0] = static_cast<std::uint8_t>(50 * x);
      texel[1] = static_cast<std::uint8_t>(100 * y);
      texel[2] = static_cast<std::uint8_t>((x + y) % 2 == 0 ? 220 : 30);
    }
  }
  return makeTexture(5, 3, bytes, filter, GL_REPEAT, GL_RGB);
}

void pushClientAttribUnpack(CaseContext& context) {
  pixelSpace();
  constexpr int kPackedRow = 15;  // bytes
  constexpr int kPaddedRow = 16;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLuint packedNearest = uploadOdd(kPackedRow, GL_NEAREST);
  const GLuint packedLinear = uploadOdd(kPackedRow, GL_LINEAR);
  context.expectInteger("unpack alignment inside", GL_UNPACK_ALIGNMENT, 1);
  glPopClientAttrib();
  context.expectInteger("unpack alignment after the pop", GL_UNPACK_ALIGNMENT, 4);
  const GLuint textures[] = {packedNearest, uploadOdd(kPaddedRow, GL_NEAREST), packedLinear,
                             uploadOdd(kPaddedRow, GL_LINEAR)};
  glEnable(GL_TEXTURE_2D);
  for (int i = 0; i < 4; ++i) {
    glBindTexture(GL_TEXTURE_2D, textures[i]);
    const float x = 20.0f + 250.0f * static_cast<float>(i % 2);
    const float y = 210.0f - 190.0f * static_cast<float>(i / 2);
    texturedRect(x, y, x + 225.0f, y + 150.0f);
  }
  glDeleteTextures(4, textures);
}

}  // namespace

std::vector<GlCase> attributeCases() {
  return {
      {"push_attrib_enable", pushAttribEnable},
      {"push_attrib_current_and_transform", pushAttribCurrentAndTransform},
      {"push_attrib_colour_buffer", pushAttribColourBuffer},
      {"push_client_attrib_unpack", pushClientAttribUnpack},
  };
}
