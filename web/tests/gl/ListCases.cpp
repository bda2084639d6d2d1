// Display lists as the game uses them: sprites are lists called under the
// caller's transform, glyphs are lists called by glCallLists over a list base
// and leave the pen moved, and lists may call lists. (The game's own glyph and
// sprite lists, which bind their textures and give double-precision texture
// coordinates, are drawn by the game cases.)

#include "GlCase.h"

namespace {

void listUnderTransforms(CaseContext&) {
  pixelSpace();
  // An arrow: an orange body and a blue head pointing to +x, so a wrong
  // rotation or mirror shows. The two share no edge: where one primitive's
  // corner lies on another's edge, rasterisers may leave different cracks.
  const GLuint arrow = glGenLists(1);
  glNewList(arrow, GL_COMPILE);
  rect({1.0f, 0.6f, 0.1f}, 0.0f, 0.0f, 50.0f, 30.0f);
  shape({0.2f, 0.5f, 1.0f}, GL_TRIANGLES, {55, -10, 85, 15, 55, 40});
  glEndList();
  // Compiling alone draws nothing: these calls are what shows. Mirrored (the
  // last), the arrow turns its back to the viewer and the game's culling
  // drops it.
  const float calls[][5] = {
      {40, 300, 0, 1, 1}, {250, 210, -35, 2, 1.5f}, {60, 60, 90, 1, 1}, {450, 100, 0, -1, 1}};
  for (const auto& [x, y, angle, sx, sy] : calls) {
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glScalef(sx, sy, 1.0f);
    glCallList(arrow);
    glPopMatrix();
  }
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
  glTranslatef(0.0f, 75.0f, 0.0f);
  glCallList(pair);
  glEndList();
  glNewList(pair, GL_COMPILE);
  glPushMatrix();
  glScalef(1.5f, 0.5f, 1.0f);
  glCallList(square);
  glPopMatrix();
  glTranslatef(75.0f, 0.0f, 0.0f);
  glColor3f(0.3f, 0.9f, 0.4f);
  glCallList(square);
  glEndList();
  glNewList(square, GL_COMPILE);
  rect(0.0f, 0.0f, 50.0f, 50.0f);
  glEndList();

  glColor3f(1.0f, 0.9f, 0.1f);
  glTranslatef(50.0f, 50.0f, 0.0f);
  glCallList(column);
  glTranslatef(-150.0f, 125.0f, 0.0f);
  glColor3f(0.9f, 0.2f, 0.8f);
  glCallList(column);
  // Each column moves the pen by two pairs and the step between them: every
  // nested translation counts once.
  context.expectFloat("pen after two columns, x", GL_MODELVIEW_MATRIX, 50.0 + 150.0 - 150.0 + 150.0, 12);
  context.expectFloat("pen after two columns, y", GL_MODELVIEW_MATRIX, 50.0 + 75.0 + 125.0 + 75.0, 13);
  context.expect("the list compiled last is a list", glIsList(square), GL_TRUE);
}

void listCompileAndExecute(CaseContext& context) {
  pixelSpace();
  const GLuint step = glGenLists(1);
  glTranslatef(50.0f, 300.0f, 0.0f);
  // Drawn once while it is compiled, then twice more by calls.
  glNewList(step, GL_COMPILE_AND_EXECUTE);
  rect({0.9f, 0.3f, 0.3f}, 0.0f, 0.0f, 50.0f, 50.0f);
  glTranslatef(75.0f, 0.0f, 0.0f);
  glEndList();
  glCallList(step);
  glCallList(step);

  // A text line compiled and drawn at once, then drawn again: each of its
  // glyphs must be called once a run, both times.
  const GLuint glyphs = compileBlocks(4, 1.0f);
  const GLuint line = glGenLists(1);
  const GLubyte text[] = {0, 1, 2, 1};
  glLoadIdentity();
  glTranslatef(50.0f, 200.0f, 0.0f);
  glListBase(glyphs);
  glNewList(line, GL_COMPILE_AND_EXECUTE);
  glCallLists(4, GL_UNSIGNED_BYTE, text);
  glEndList();
  glLoadIdentity();
  glTranslatef(50.0f, 100.0f, 0.0f);
  glCallList(line);
  context.expectFloat("pen after the replayed line, x", GL_MODELVIEW_MATRIX, 50.0 + 4 * 35.0, 12);
}

void listCallListsWithBase(CaseContext& context) {
  pixelSpace();
  // As the font printer does: a list a character code, called by the bytes
  // of a text over the list base; a second, dimmer set shows that the base
  // alone decides which set a byte calls.
  const GLuint font = compileBlocks(128, 1.0f);
  const GLuint dim = compileBlocks(8, 0.5f);
  const GLushort shorts[] = {'a', 'z', '0', '9'};
  const GLint ints[] = {7, 3, 5, 1, 0};
  glListBase(font);
  glTranslatef(20.0f, 300.0f, 0.0f);
  glCallLists(7, GL_UNSIGNED_BYTE, "PLOMB!x");
  glLoadIdentity();
  glTranslatef(20.0f, 225.0f, 0.0f);
  glCallLists(4, GL_UNSIGNED_SHORT, shorts);
  glListBase(dim);
  glLoadIdentity();
  glTranslatef(20.0f, 150.0f, 0.0f);
  glCallLists(5, GL_INT, ints);

  // Called from inside a list, the base in effect when the list runs counts.
  const GLuint line = glGenLists(1);
  glNewList(line, GL_COMPILE);
  glCallLists(5, GL_INT, ints);
  glEndList();
  glListBase(font + 64);
  glLoadIdentity();
  glTranslatef(20.0f, 75.0f, 0.0f);
  glCallList(line);
  glLoadIdentity();
  context.expectInteger("list base reads back", GL_LIST_BASE, font + 64);
}

}  // namespace

std::vector<GlCase> listCases() {
  return {
      {"list_under_transforms", listUnderTransforms},
      {"list_nested", listNested},
      {"list_compile_and_execute", listCompileAndExecute},
      {"list_call_lists_with_base", listCallListsWithBase},
  };
}
