// The attribute stacks: the font printer saves the list base, the current
// colour, the enables and the matrix mode around its text, and the pixel
// store around its glyph uploads. What a pop puts back must draw as before
// the push.

#include "CaseDrawing.h"
#include "GlCase.h"

namespace {

// Opaque coloured quarters with a transparent centre: texturing on shows
// the colours, the alpha test shows the hole.
GLuint quarteredTexture() {
  return makeTexture(8, 8, picture(8, 8, [](int x, int y) {
                       const bool centre = x >= 3 && x <= 4 && y >= 3 && y <= 4;
                       return Texel{static_cast<std::uint8_t>(x < 4 ? 230 : 40),
                                    static_cast<std::uint8_t>(y < 4 ? 200 : 60), 90,
                                    static_cast<std::uint8_t>(centre ? 0 : 255)};
                     }));
}

void expectEnabled(CaseContext& context, const char* what, GLenum capability, bool expected) {
  context.expect(what, glIsEnabled(capability), expected ? GL_TRUE : GL_FALSE);
}

void pushAttribEnable(CaseContext& context) {
  pixelSpace();
  const GLuint texture = quarteredTexture();
  glColor3f(0.3f, 0.3f, 0.8f);
  rect(0.0f, 0.0f, 1024.0f, 300.0f, -0.5f);
  glColor3f(1.0f, 1.0f, 1.0f);

  glEnable(GL_TEXTURE_2D);
  glPushAttrib(GL_ENABLE_BIT);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  expectEnabled(context, "inside: texturing off", GL_TEXTURE_2D, false);
  expectEnabled(context, "inside: blending on", GL_BLEND, true);
  // Untextured, added onto the blue band, clockwise and behind it.
  glColor3f(0.5f, 0.2f, 0.0f);
  glBegin(GL_QUADS);
  glVertex3f(100.0f, 100.0f, -0.9f);
  glVertex3f(100.0f, 500.0f, -0.9f);
  glVertex3f(400.0f, 500.0f, -0.9f);
  glVertex3f(400.0f, 100.0f, -0.9f);
  glEnd();
  glPopAttrib();

  expectEnabled(context, "after the pop: texturing on again", GL_TEXTURE_2D, true);
  expectEnabled(context, "after the pop: blending off again", GL_BLEND, false);
  expectEnabled(context, "after the pop: alpha test off again", GL_ALPHA_TEST, false);
  expectEnabled(context, "after the pop: depth test on again", GL_DEPTH_TEST, true);
  expectEnabled(context, "after the pop: culling on again", GL_CULL_FACE, true);
  // Textured, opaque, its hole drawn (no alpha test), the clockwise copy
  // culled and the one behind the band hidden.
  glColor3f(1.0f, 1.0f, 1.0f);
  texturedRect(500.0f, 100.0f, 800.0f, 500.0f);
  texturedRect(850.0f, 50.0f, 1000.0f, 250.0f, 0.0f, 0.0f, 1.0f, 1.0f, -0.9f);
  glBegin(GL_QUADS);
  glVertex2f(600.0f, 550.0f);
  glVertex2f(600.0f, 750.0f);
  glVertex2f(900.0f, 750.0f);
  glVertex2f(900.0f, 550.0f);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glDeleteTextures(1, &texture);
}

void pushAttribCurrent(CaseContext& context) {
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
  rect(100.0f, 400.0f, 450.0f, 700.0f);
  glPopAttrib();
  rect(550.0f, 400.0f, 900.0f, 700.0f);
  glDisable(GL_TEXTURE_2D);
  rect(100.0f, 50.0f, 900.0f, 300.0f);

  float colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  context.expect("colour red after the pop", colour[0], 0.9f);
  context.expect("colour blue after the pop", colour[2], 0.3f);
  context.expect("colour alpha after the pop", colour[3], 1.0f);
  float coordinates[4];
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, coordinates);
  context.expect("texture s after the pop", coordinates[0], 0.25f);
  glDeleteTextures(1, &texture);
}

void pushAttribColourBuffer(CaseContext& context) {
  pixelSpace();
  glColor3f(0.1f, 0.5f, 0.9f);
  rect(0.0f, 0.0f, 1024.0f, 768.0f, -0.5f);
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
  glColor4f(1.0f, 1.0f, 0.0f, 0.1f);
  rect(50.0f, 450.0f, 450.0f, 700.0f);
  glPopAttrib();

  // Blended over the blue, and the fainter quad dropped by the alpha test.
  glColor4f(1.0f, 1.0f, 0.0f, 0.75f);
  rect(550.0f, 450.0f, 950.0f, 700.0f);
  glColor4f(1.0f, 0.0f, 0.0f, 0.4f);
  rect(50.0f, 100.0f, 950.0f, 350.0f);

  GLint value = 0;
  glGetIntegerv(GL_BLEND_SRC, &value);
  context.expect("blend source after the pop", value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  context.expect("blend destination after the pop", value, GL_ONE_MINUS_SRC_ALPHA);
  glGetIntegerv(GL_ALPHA_TEST_FUNC, &value);
  context.expect("alpha function after the pop", value, GL_GREATER);
  float reference = 0.0f;
  glGetFloatv(GL_ALPHA_TEST_REF, &reference);
  context.expect("alpha reference after the pop", reference, 0.5f);
  float clearColour[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
  context.expect("clear colour red after the pop", clearColour[0], 0.25f);
  context.expect("clear colour blue after the pop", clearColour[2], 0.0f);
  expectEnabled(context, "blending on after the pop", GL_BLEND, true);
  expectEnabled(context, "alpha test on after the pop", GL_ALPHA_TEST, true);
}

GLuint compileBars(int count, float red) {
  const GLuint base = glGenLists(count);
  for (int i = 0; i < count; ++i) {
    glNewList(base + static_cast<GLuint>(i), GL_COMPILE);
    glColor3f(red, static_cast<float>(i) / static_cast<float>(count - 1), 1.0f - red);
    rect(0.0f, 0.0f, 40.0f, 150.0f + 30.0f * static_cast<float>(i));
    glTranslatef(50.0f, 0.0f, 0.0f);
    glEndList();
  }
  return base;
}

void pushAttribList(CaseContext& context) {
  pixelSpace();
  const GLuint warm = compileBars(6, 1.0f);
  const GLuint cold = compileBars(6, 0.0f);
  const GLubyte bars[] = {5, 0, 4, 1, 3, 2};
  glListBase(warm);
  glPushAttrib(GL_LIST_BIT);
  glListBase(cold);
  glTranslatef(100.0f, 450.0f, 0.0f);
  glCallLists(6, GL_UNSIGNED_BYTE, bars);
  glPopAttrib();
  glLoadIdentity();
  glTranslatef(100.0f, 50.0f, 0.0f);
  glCallLists(6, GL_UNSIGNED_BYTE, bars);
  glLoadIdentity();
  GLint base = 0;
  glGetIntegerv(GL_LIST_BASE, &base);
  context.expect("list base after the pop", base, warm);
}

void pushAttribTransform(CaseContext& context) {
  pixelSpace();
  glScalef(0.5f, 0.5f, 1.0f);
  glColor3f(0.8f, 0.8f, 0.8f);
  rect(100.0f, 100.0f, 500.0f, 500.0f);
  glPushAttrib(GL_TRANSFORM_BIT);
  glMatrixMode(GL_PROJECTION);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  context.expect("matrix mode inside", mode, GL_PROJECTION);
  glPopAttrib();
  // Back on the model-view matrix, the move is halved by its scale; on the
  // projection it would not be.
  glTranslatef(1000.0f, 600.0f, 0.0f);
  glColor3f(0.9f, 0.5f, 0.1f);
  rect(100.0f, 100.0f, 500.0f, 500.0f);
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  context.expect("matrix mode after the pop", mode, GL_MODELVIEW);
}

// The same 5 x 3 picture as GL_RGB bytes, rows either packed or padded to 4
// bytes.
std::vector<std::uint8_t> oddRows(int rowBytes) {
  constexpr int kWidth = 5;
  constexpr int kHeight = 3;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(rowBytes) * kHeight, 0);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      std::uint8_t* texel = &bytes[static_cast<std::size_t>(y) * rowBytes + x * 3];
      texel[0] = static_cast<std::uint8_t>(50 * x);
      texel[1] = static_cast<std::uint8_t>(100 * y);
      texel[2] = static_cast<std::uint8_t>((x + y) % 2 == 0 ? 220 : 30);
    }
  }
  return bytes;
}

GLuint uploadOdd(const std::vector<std::uint8_t>& bytes, GLint filter) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 5, 3, 0, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
  return name;
}

void pushClientAttribUnpack(CaseContext& context) {
  pixelSpace();
  constexpr int kPackedRow = 15;  // bytes
  constexpr int kPaddedRow = 16;
  GLint alignment = 0;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLuint packedNearest = uploadOdd(oddRows(kPackedRow), GL_NEAREST);
  const GLuint packedLinear = uploadOdd(oddRows(kPackedRow), GL_LINEAR);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  context.expect("unpack alignment inside", alignment, 1);
  glPopClientAttrib();
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  context.expect("unpack alignment after the pop", alignment, 4);
  const GLuint paddedNearest = uploadOdd(oddRows(kPaddedRow), GL_NEAREST);
  const GLuint paddedLinear = uploadOdd(oddRows(kPaddedRow), GL_LINEAR);

  glEnable(GL_TEXTURE_2D);
  const GLuint textures[] = {packedNearest, paddedNearest, packedLinear, paddedLinear};
  for (int i = 0; i < 4; ++i) {
    glBindTexture(GL_TEXTURE_2D, textures[i]);
    const float x = 40.0f + 500.0f * static_cast<float>(i % 2);
    const float y = 420.0f - 380.0f * static_cast<float>(i / 2);
    texturedRect(x, y, x + 450.0f, y + 300.0f);
  }
  glDisable(GL_TEXTURE_2D);
  glDeleteTextures(4, textures);
}

}  // namespace

std::vector<GlCase> attributeCases() {
  return {
      {"push_attrib_enable", pushAttribEnable},
      {"push_attrib_current", pushAttribCurrent},
      {"push_attrib_colour_buffer", pushAttribColourBuffer},
      {"push_attrib_list", pushAttribList},
      {"push_attrib_transform", pushAttribTransform},
      {"push_client_attrib_unpack", pushClientAttribUnpack},
  };
}
