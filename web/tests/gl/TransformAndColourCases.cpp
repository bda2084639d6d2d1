// Matrices from GLU, colours and normals given between glBegin and glEnd,
// shading, and the state queries the game and its tests make: the calls a
// generic WebGL emulation is known to get wrong.

#include <cmath>
#include <string>
#include <tuple>

#include "GlCase.h"

namespace {

constexpr double kAspect = static_cast<double>(kWindowWidth) / kWindowHeight;  // a quadrant's too

// A unit cube, each face counter-clockwise seen from outside, in its own
// colour: only the three faces turned to the eye survive the culling.
void cube() {
  const float faces[6][5][3] = {
      {{0.9f, 0.2f, 0.2f}, {-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},
      {{0.2f, 0.9f, 0.2f}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}},
      {{0.2f, 0.3f, 0.9f}, {1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}},
      {{0.9f, 0.9f, 0.2f}, {-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}},
      {{0.9f, 0.3f, 0.9f}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}, {-1, 1, -1}},
      {{0.3f, 0.9f, 0.9f}, {-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}},
  };
  glBegin(GL_QUADS);
  for (const auto& face : faces) {
    glColor3f(face[0][0], face[0][1], face[0][2]);
    for (int c = 1; c <= 4; ++c) glVertex3f(face[c][0], face[c][1], face[c][2]);
  }
  glEnd();
}

void perspectiveAndLookAt(CaseContext& context) {
  // A scale already on the projection stack must stay under the
  // perspective: gluPerspective multiplies, it does not load.
  glMatrixMode(GL_PROJECTION);
  glScalef(0.5f, 0.5f, 1.0f);
  gluPerspective(50.0, kAspect, 0.5, 30.0);
  const double cotangent = 1.0 / std::tan(25.0 * std::acos(-1.0) / 180.0);
  context.expectFloat("projection x scale keeps the loaded half", GL_PROJECTION_MATRIX,
                      0.5 * cotangent / kAspect);
  glMatrixMode(GL_MODELVIEW);
  gluLookAt(4.0, 3.0, 6.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  // A floor of tiles, then the cube, then a second cube partly behind the
  // first: the depth test sorts them.
  glBegin(GL_QUADS);
  for (int i = -4; i < 4; ++i) {
    for (int j = -4; j < 4; ++j) {
      const float shade = (i + j) % 2 == 0 ? 0.35f : 0.6f;
      const auto x = static_cast<float>(i);
      const auto z = static_cast<float>(j);
      glColor3f(shade, shade, shade);
      glVertex3f(x, -1.0f, z + 1.0f);
      glVertex3f(x + 1.0f, -1.0f, z + 1.0f);
      glVertex3f(x + 1.0f, -1.0f, z);
      glVertex3f(x, -1.0f, z);
    }
  }
  glEnd();
  // The cubes from a list that moves, turns and scales the second inside a
  // push and a pop: replayed in perspective, under the eye's matrix.
  const GLuint cubes = glGenLists(1);
  glNewList(cubes, GL_COMPILE);
  cube();
  glPushMatrix();
  glTranslatef(-1.5f, 0.5f, -2.5f);
  glRotatef(20.0f, 0.0f, 1.0f, 0.0f);
  glScalef(0.8f, 1.5f, 0.8f);
  cube();
  glPopMatrix();
  glEndList();
  glCallList(cubes);
  // The eye looks down -z of eye space: the world's origin lies at the eye's
  // distance from it, straight ahead.
  context.expectFloat("origin straight ahead of the eye, depth", GL_MODELVIEW_MATRIX, -std::sqrt(61.0), 14);
  context.expectFloat("origin straight ahead of the eye, x", GL_MODELVIEW_MATRIX, 0.0, 12);
}

void colourAndNormalInsideBegin(CaseContext& context) {
  pixelSpace();
  // (The vertex colour cases give colours inside glBegin in floats.) In
  // bytes, with an alpha that blending uses, over a quad given before. A
  // normal among them, as a lit model gives them, changes nothing with
  // lighting off.
  rect({0.1f, 0.8f, 0.3f}, 25.0f, 225.0f, 225.0f, 350.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBegin(GL_TRIANGLES);
  glColor4ub(250, 120, 20, 160);
  glNormal3f(0.3f, 0.0f, 0.95f);
  glVertex2f(150.0f, 250.0f);
  glVertex2f(350.0f, 250.0f);
  glVertex2f(250.0f, 375.0f);
  glEnd();
  glDisable(GL_BLEND);
  // A colour changed between the vertices of a textured quad, among normals
  // and texture coordinates in changing orders: smooth shading blends from
  // white.
  const GLuint texture =
      makeTexture(2, 2, {40, 240, 120, 255, 250, 240, 120, 255, 40, 60, 120, 255, 250, 60, 120, 255});
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glNormal3f(0.0f, 0.0f, 1.0f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(275.0f, 50.0f);
  glColor3ub(30, 60, 220);
  glTexCoord2f(1.0f, 1.0f);
  glNormal3f(0.3f, 0.0f, 0.95f);
  glVertex2f(475.0f, 50.0f);
  glNormal3f(0.0f, 0.3f, 0.95f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(475.0f, 200.0f);
  glColor3f(0.9f, 0.1f, 0.1f);
  glTexCoord2f(0.0f, 0.0f);
  glNormal3f(-0.3f, 0.0f, 0.95f);
  glVertex2f(275.0f, 200.0f);
  glColor3f(0.5f, 0.5f, 0.0f);  // after the last vertex: for what comes next
  glEnd();
  glDisable(GL_TEXTURE_2D);
  rect(25.0f, 50.0f, 225.0f, 200.0f);
  context.expectFloat("the last colour given in glBegin stays current, red", GL_CURRENT_COLOR, 0.5f);
  context.expectFloat("the last colour given in glBegin stays current, blue", GL_CURRENT_COLOR, 0.0f, 2);
  glDeleteTextures(1, &texture);
}

// Every polygon primitive type with a colour for each vertex.
void polygonsWithVertexColours(GLenum shading, CaseContext& context) {
  pixelSpace();
  if (shading == GL_SMOOTH) glShadeModel(GL_SMOOTH);  // flat is the game's start-up shading
  const float colours[][3] = {{1.0f, 0.2f, 0.2f}, {0.2f, 1.0f, 0.2f}, {0.2f, 0.3f, 1.0f}, {1.0f, 1.0f, 0.2f},
                              {1.0f, 0.2f, 1.0f}, {0.2f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {0.6f, 0.3f, 0.1f}};
  auto vertex = [&](int i, double x, double y) {
    glColor3f(colours[i % 8][0], colours[i % 8][1], colours[i % 8][2]);
    glVertex2d(x, y);
  };
  const int triangles[6][2] = {{10, 210}, {115, 210}, {60, 360}, {75, 215}, {120, 350}, {70, 350}};
  const int quads[8][2] = {{10, 30},  {115, 30},  {115, 90},  {10, 90},
                           {20, 100}, {115, 115}, {100, 180}, {10, 165}};
  glBegin(GL_TRIANGLES);
  for (int i = 0; i < 6; ++i) vertex(i, triangles[i][0], triangles[i][1]);
  glEnd();
  glBegin(GL_TRIANGLE_STRIP);
  for (int i = 0; i < 6; ++i) vertex(i, 135 + 20 * i, i % 2 == 0 ? 350 : 225);
  glEnd();
  glBegin(GL_TRIANGLE_FAN);
  vertex(7, 325, 285);
  for (int i = 0; i < 6; ++i)
    vertex(i, 325 + 65 * std::cos(-0.3 + 0.5 * i), 285 + 65 * std::sin(-0.3 + 0.5 * i));
  glEnd();
  glBegin(GL_QUADS);
  for (int i = 0; i < 8; ++i) vertex(i, quads[i][0], quads[i][1]);
  glEnd();
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i < 8; ++i) vertex(i + 2, 140 + 30 * (i / 2), i % 2 == 0 ? 170 : 40);
  glEnd();
  glBegin(GL_POLYGON);
  for (int i = 0; i < 7; ++i)
    vertex(i + 1, 400 + 75 * std::cos(0.2 + 0.85 * i), 110 + 75 * std::sin(0.2 + 0.85 * i));
  glEnd();
  context.expectInteger("shade model", GL_SHADE_MODEL, shading);
}

void stateQueries(CaseContext& context) {
  // The start-up state (the depth function and the shading are read by the
  // cases that draw with them, boolean queries by the culling case).
  context.expectEnabled("texturing off at start", GL_TEXTURE_2D, false);
  context.expectEnabled("depth test on at start", GL_DEPTH_TEST, true);
  context.expectEnabled("culling on at start", GL_CULL_FACE, true);
  context.expectEnabled("blending off at start", GL_BLEND, false);
  context.expectEnabled("lighting off at start", GL_LIGHTING, false);

  // Each stack at its limit: a push past it overflows and leaves the stack
  // as it was, a pop too many underflows, and each error is reported once.
  for (const auto& [name, mode, matrix, depth, maximum] :
       {std::tuple{"model-view", GL_MODELVIEW, GL_MODELVIEW_MATRIX, GL_MODELVIEW_STACK_DEPTH,
                   GL_MAX_MODELVIEW_STACK_DEPTH},
        {"projection", GL_PROJECTION, GL_PROJECTION_MATRIX, GL_PROJECTION_STACK_DEPTH,
         GL_MAX_PROJECTION_STACK_DEPTH}}) {
    const std::string stack = std::string(name) + " stack: ";
    glMatrixMode(mode);
    glTranslatef(3.0f, 0.0f, 0.0f);
    GLint limit = 0;
    glGetIntegerv(static_cast<GLenum>(maximum), &limit);
    for (int i = 0; i < limit; ++i) glPushMatrix();
    context.expect(stack + "a push past the limit overflows", glGetError(), GL_STACK_OVERFLOW);
    context.expectInteger(stack + "full", depth, limit);
    for (int i = 0; i <= limit; ++i) glPopMatrix();
    context.expect(stack + "a pop too many underflows", glGetError(), GL_STACK_UNDERFLOW);
    context.expectFloat(stack + "the bottom matrix survived", matrix, 3.0, 12);
    glLoadIdentity();
  }
  glMatrixMode(GL_MODELVIEW);
  GLint limit = 0;
  glGetIntegerv(GL_MAX_ATTRIB_STACK_DEPTH, &limit);
  for (int i = 0; i <= limit; ++i) glPushAttrib(GL_ENABLE_BIT);
  context.expect("attribute stack: a push past the limit overflows", glGetError(), GL_STACK_OVERFLOW);
  for (int i = 0; i <= limit; ++i) glPopAttrib();
  context.expect("attribute stack: a pop too many underflows", glGetError(), GL_STACK_UNDERFLOW);

  glEnable(0x1234);
  context.expect("an unknown capability is an invalid enum", glGetError(), GL_INVALID_ENUM);
  glColor4ub(255, 128, 0, 64);
  context.expectFloat("current colour green from a byte", GL_CURRENT_COLOR, 128.0f / 255.0f, 1);
  context.expectFloat("current colour alpha from a byte", GL_CURRENT_COLOR, 64.0f / 255.0f, 3);
  context.expect("a name never used is no list", glIsList(glGenLists(1) + 1000), GL_FALSE);
  glPushAttrib(GL_CURRENT_BIT);
  context.expectInteger("attribute stack depth after a push", GL_ATTRIB_STACK_DEPTH, 1);
  glPopAttrib();
}

}  // namespace

std::vector<GlCase> transformAndColourCases() {
  return {
      {"perspective_and_look_at", perspectiveAndLookAt},
      {"colour_and_normal_inside_begin", colourAndNormalInsideBegin},
      {"vertex_colours_smooth", [](CaseContext& context) { polygonsWithVertexColours(GL_SMOOTH, context); }},
      // The game's own start-up shading: each triangle, quad or polygon takes
      // the colour of the vertex GL names for it.
      {"vertex_colours_flat", [](CaseContext& context) { polygonsWithVertexColours(GL_FLAT, context); }},
      {"state_queries", stateQueries},
  };
}
