// Display lists as the game uses them: sprites are lists called under the
// caller's transform, glyphs are lists called by glCallLists over a list base
// and leave the pen moved, and lists may call lists.

#include "CaseDrawing.h"
#include "GlCase.h"

namespace {

constexpr float kBlockSide = 60.0f;     // pixels
constexpr float kGlyphAdvance = 70.0f;  // pixels the pen moves after a block

// An arrow: an orange body and a blue head pointing to +x, so a wrong
// rotation or mirror shows. The two share no edge: where one primitive's
// corner lies on another's edge, rasterisers may leave different cracks.
void compileArrow(GLuint list) {
  glNewList(list, GL_COMPILE);
  glColor3f(1.0f, 0.6f, 0.1f);
  rect(0.0f, 0.0f, 100.0f, 60.0f);
  glColor3f(0.2f, 0.5f, 1.0f);
  glBegin(GL_TRIANGLES);
  glVertex2f(110.0f, -20.0f);
  glVertex2f(170.0f, 30.0f);
  glVertex2f(110.0f, 80.0f);
  glEnd();
  glEndList();
}

void listUnderTransforms(CaseContext& context) {
  pixelSpace();
  const GLuint arrow = glGenLists(1);
  compileArrow(arrow);
  // Compiling alone draws nothing: these calls are what shows.
  glPushMatrix();
  glTranslatef(80.0f, 600.0f, 0.0f);
  glCallList(arrow);
  glPopMatrix();
  glPushMatrix();
  glTranslatef(500.0f, 420.0f, 0.0f);
  glRotatef(-35.0f, 0.0f, 0.0f, 1.0f);
  glScalef(2.0f, 1.5f, 1.0f);
  glCallList(arrow);
  glPopMatrix();
  glPushMatrix();
  glTranslatef(120.0f, 120.0f, 0.0f);
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  glCallList(arrow);
  glPopMatrix();
  // Mirrored, the arrow turns its back to the viewer and the game's culling
  // drops it.
  glPushMatrix();
  glTranslatef(900.0f, 200.0f, 0.0f);
  glScalef(-1.0f, 1.0f, 1.0f);
  glCallList(arrow);
  glPopMatrix();
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  context.expect("lists leave the matrix stack as they found it", depth, 1);
}

void listNested(CaseContext& context) {
  pixelSpace();
  const GLuint square = glGenLists(3);
  const GLuint pair = square + 1;
  const GLuint column = square + 2;
  // The outer lists are compiled before the square exists: a list names the
  // lists it calls, and they are looked up when it runs.
  glNewList(column, GL_COMPILE);
  glCallList(pair);
  glTranslatef(0.0f, 150.0f, 0.0f);
  glCallList(pair);
  glEndList();
  glNewList(pair, GL_COMPILE);
  glPushMatrix();
  glScalef(1.5f, 0.5f, 1.0f);
  glCallList(square);
  glPopMatrix();
  glTranslatef(150.0f, 0.0f, 0.0f);
  glColor3f(0.3f, 0.9f, 0.4f);
  glCallList(square);
  glEndList();
  glNewList(square, GL_COMPILE);
  rect(0.0f, 0.0f, 100.0f, 100.0f);
  glEndList();

  glColor3f(1.0f, 0.9f, 0.1f);
  glTranslatef(100.0f, 100.0f, 0.0f);
  glCallList(column);
  glTranslatef(-300.0f, 250.0f, 0.0f);
  glColor3f(0.9f, 0.2f, 0.8f);
  glCallList(column);
  float matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  // Each column moves the pen by two pairs and the step between them: every
  // nested translation counts once.
  context.expect("pen after two columns, x", matrix[12], 100.0 + 300.0 - 300.0 + 300.0);
  context.expect("pen after two columns, y", matrix[13], 100.0 + 150.0 + 250.0 + 150.0);
  context.expect("the list compiled last is a list", glIsList(square), GL_TRUE);
}

// A list of blocks that move the pen like glyphs: block i has its own colour.
GLuint compileBlocks(int count, float brightness) {
  const GLuint base = glGenLists(count);
  for (int i = 0; i < count; ++i) {
    glNewList(base + static_cast<GLuint>(i), GL_COMPILE);
    glColor3f(brightness * static_cast<float>((i * 5) % 7) / 6.0f,
              brightness * static_cast<float>(i % 3) / 2.0f,
              brightness * (1.0f - static_cast<float>(i % 4) / 4.0f));
    rect(0.0f, 0.0f, kBlockSide, kBlockSide);
    glTranslatef(kGlyphAdvance, 0.0f, 0.0f);
    glEndList();
  }
  return base;
}

void listCompileAndExecute(CaseContext& context) {
  pixelSpace();
  const GLuint step = glGenLists(1);
  glTranslatef(100.0f, 600.0f, 0.0f);
  // Drawn once while it is compiled, then twice more by calls.
  glNewList(step, GL_COMPILE_AND_EXECUTE);
  glColor3f(0.9f, 0.3f, 0.3f);
  rect(0.0f, 0.0f, 100.0f, 100.0f);
  glTranslatef(150.0f, 0.0f, 0.0f);
  glEndList();
  glCallList(step);
  glCallList(step);

  // A text line compiled and drawn at once, then drawn again: each of its
  // glyphs must be called once a run, both times.
  const GLuint glyphs = compileBlocks(4, 1.0f);
  const GLuint line = glGenLists(1);
  const GLubyte text[] = {0, 1, 2, 1};
  glLoadIdentity();
  glTranslatef(100.0f, 400.0f, 0.0f);
  glListBase(glyphs);
  glNewList(line, GL_COMPILE_AND_EXECUTE);
  glCallLists(4, GL_UNSIGNED_BYTE, text);
  glEndList();
  glLoadIdentity();
  glTranslatef(100.0f, 200.0f, 0.0f);
  glCallList(line);
  float matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  context.expect("pen after the replayed line, x", matrix[12], 100.0 + 4 * kGlyphAdvance);
}

void listCallListsWithBase(CaseContext& context) {
  pixelSpace();
  // As the font printer does: 128 lists, one a character code, called by the
  // bytes of a text over the list base.
  constexpr int kCodes = 128;
  const GLuint font = glGenLists(kCodes);
  for (int code = 0; code < kCodes; ++code) {
    glNewList(font + static_cast<GLuint>(code), GL_COMPILE);
    glColor3f(static_cast<float>(code % 4) / 3.0f, static_cast<float>((code / 4) % 4) / 3.0f,
              static_cast<float>((code / 16) % 8) / 7.0f);
    rect(0.0f, 0.0f, kBlockSide, kBlockSide);
    glTranslatef(kGlyphAdvance, 0.0f, 0.0f);
    glEndList();
  }
  // A second, dimmer set: the base alone decides which set a byte calls.
  const GLuint dim = compileBlocks(8, 0.5f);

  const char text[] = "PLOMB!x";
  glListBase(font);
  glPushMatrix();
  glTranslatef(40.0f, 600.0f, 0.0f);
  glCallLists(7, GL_UNSIGNED_BYTE, text);
  glPopMatrix();

  const GLushort shorts[] = {'a', 'z', '0', '9'};
  glPushMatrix();
  glTranslatef(40.0f, 450.0f, 0.0f);
  glCallLists(4, GL_UNSIGNED_SHORT, shorts);
  glPopMatrix();

  const GLint ints[] = {7, 3, 5, 1, 0};
  glListBase(dim);
  glPushMatrix();
  glTranslatef(40.0f, 300.0f, 0.0f);
  glCallLists(5, GL_INT, ints);
  glPopMatrix();

  // Called from inside a list, the base in effect when the list runs counts.
  const GLuint line = glGenLists(1);
  glNewList(line, GL_COMPILE);
  glCallLists(5, GL_INT, ints);
  glEndList();
  glListBase(font + 64);
  glTranslatef(40.0f, 150.0f, 0.0f);
  glCallList(line);
  glLoadIdentity();

  GLint base = 0;
  glGetIntegerv(GL_LIST_BASE, &base);
  context.expect("list base reads back", base, font + 64);
}

void listTexCoord2d(CaseContext& context) {
  pixelSpace();
  // Sixteen distinct texels, so any misplaced coordinate changes colours.
  const GLuint texture = makeTexture(4, 4, picture(4, 4, [](int x, int y) {
                                       return Texel{static_cast<std::uint8_t>(60 + 60 * x),
                                                    static_cast<std::uint8_t>(60 + 60 * y),
                                                    static_cast<std::uint8_t>(x == y ? 240 : 40), 255};
                                     }));
  glBindTexture(GL_TEXTURE_2D, 0);
  // A glyph's list: binds its texture and maps a part of it with
  // double-precision coordinates.
  const GLuint glyph = glGenLists(1);
  constexpr double kU = 0.75;
  constexpr double kV = 0.5;
  glNewList(glyph, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(GL_QUADS);
  glTexCoord2d(0.0, 0.0);
  glVertex2f(0.0f, 200.0f);
  glTexCoord2d(0.0, kV);
  glVertex2f(0.0f, 0.0f);
  glTexCoord2d(kU, kV);
  glVertex2f(300.0f, 0.0f);
  glTexCoord2d(kU, 0.0);
  glVertex2f(300.0f, 200.0f);
  glEnd();
  glEndList();

  glEnable(GL_TEXTURE_2D);
  glTranslatef(60.0f, 480.0f, 0.0f);
  glCallList(glyph);
  glTranslatef(400.0f, -400.0f, 0.0f);
  glScalef(1.6f, 2.0f, 1.0f);
  glColor3f(1.0f, 0.6f, 0.6f);
  glCallList(glyph);
  glDisable(GL_TEXTURE_2D);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  context.expect("the list's binding stays after it", bound, texture);
}

}  // namespace

std::vector<GlCase> listCases() {
  return {
      {"list_under_transforms", listUnderTransforms},
      {"list_nested", listNested},
      {"list_compile_and_execute", listCompileAndExecute},
      {"list_call_lists_with_base", listCallListsWithBase},
      {"list_tex_coord_2d", listTexCoord2d},
  };
}
