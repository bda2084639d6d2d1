// Matrices from GLU, colours and normals given between glBegin and glEnd,
// shading, and the state queries the game and its tests make: the calls a
// generic WebGL emulation is known to get wrong.

#include <cmath>

#include "CaseDrawing.h"
#include "GlCase.h"

namespace {

constexpr double kAspect = static_cast<double>(kCaseWidth) / kCaseHeight;

void perspectiveMultiplies(CaseContext& context) {
  // A scale already on the projection stack must stay under the perspective:
  // gluPerspective multiplies, it does not load.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glScalef(0.5f, 0.5f, 1.0f);
  gluPerspective(60.0, kAspect, 1.0, 10.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor3f(0.9f, 0.4f, 0.2f);
  rect(-1.0f, -1.0f, 1.0f, 1.0f, -3.0f);
  glColor3f(0.2f, 0.7f, 0.9f);
  rect(1.5f, -2.0f, 4.0f, 2.0f, -6.0f);
  float projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  const double cotangent = 1.0 / std::tan(30.0 * std::acos(-1.0) / 180.0);
  context.expect("projection x scale keeps the loaded half", projection[0], 0.5 * cotangent / kAspect);
}

// A unit cube, each face counter-clockwise seen from outside, in its own
// colour: only the three faces turned to the eye survive the culling.
void cube() {
  struct Face {
    float colour[3];
    float corners[4][3];
  };
  const Face faces[] = {
      {{0.9f, 0.2f, 0.2f}, {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}}},
      {{0.2f, 0.9f, 0.2f}, {{-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}}},
      {{0.2f, 0.3f, 0.9f}, {{1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}}},
      {{0.9f, 0.9f, 0.2f}, {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}}},
      {{0.9f, 0.3f, 0.9f}, {{-1, 1, 1}, {1, 1, 1}, {1, 1, -1}, {-1, 1, -1}}},
      {{0.3f, 0.9f, 0.9f}, {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}}},
  };
  glBegin(GL_QUADS);
  for (const Face& face : faces) {
    glColor3f(face.colour[0], face.colour[1], face.colour[2]);
    for (const auto& corner : face.corners) glVertex3f(corner[0], corner[1], corner[2]);
  }
  glEnd();
}

void lookAt(CaseContext& context) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(50.0, kAspect, 0.5, 30.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(4.0, 3.0, 6.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  // A floor of tiles under the cube, then the cube, then a second cube
  // partly behind the first: the depth test sorts them.
  glBegin(GL_QUADS);
  for (int i = -4; i < 4; ++i) {
    for (int j = -4; j < 4; ++j) {
      const float shade = (i + j) % 2 == 0 ? 0.35f : 0.6f;
      glColor3f(shade, shade, shade);
      const auto x = static_cast<float>(i);
      const auto z = static_cast<float>(j);
      glVertex3f(x, -1.0f, z + 1.0f);
      glVertex3f(x + 1.0f, -1.0f, z + 1.0f);
      glVertex3f(x + 1.0f, -1.0f, z);
      glVertex3f(x, -1.0f, z);
    }
  }
  glEnd();
  cube();
  glTranslatef(-1.5f, 0.5f, -2.5f);
  glScalef(0.8f, 1.5f, 0.8f);
  cube();
  // The eye looks down -z of eye space: the world's origin lies at the eye's
  // distance from it, straight ahead.
  glLoadIdentity();
  gluLookAt(4.0, 3.0, 6.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  float modelView[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
  context.expect("origin straight ahead of the eye, depth", modelView[14], -std::sqrt(16.0 + 9.0 + 36.0));
  context.expect("origin straight ahead of the eye, x", modelView[12], 0.0);
}

void colourInsideBegin(CaseContext& context) {
  pixelSpace();
  glColor3f(1.0f, 1.0f, 1.0f);
  // One colour for the whole quad, given inside glBegin.
  glBegin(GL_QUADS);
  glColor3f(0.1f, 0.8f, 0.3f);
  glVertex2f(50.0f, 450.0f);
  glVertex2f(450.0f, 450.0f);
  glVertex2f(450.0f, 700.0f);
  glVertex2f(50.0f, 700.0f);
  glEnd();
  // The same with bytes and an alpha that blending uses.
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBegin(GL_TRIANGLES);
  glColor4ub(250, 120, 20, 160);
  glVertex2f(300.0f, 500.0f);
  glVertex2f(700.0f, 500.0f);
  glVertex2f(500.0f, 750.0f);
  glEnd();
  glDisable(GL_BLEND);
  // A colour changed between vertices: smooth shading blends from white.
  glShadeModel(GL_SMOOTH);
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glVertex2f(550.0f, 100.0f);
  glColor3ub(30, 60, 220);
  glVertex2f(950.0f, 100.0f);
  glVertex2f(950.0f, 400.0f);
  glColor3f(0.9f, 0.1f, 0.1f);
  glVertex2f(550.0f, 400.0f);
  glColor3f(0.5f, 0.5f, 0.0f);  // after the last vertex: for what comes next
  glEnd();
  rect(50.0f, 100.0f, 450.0f, 400.0f);
  float colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  context.expect("the last colour given in glBegin stays current, red", colour[0], 0.5f);
  context.expect("the last colour given in glBegin stays current, blue", colour[2], 0.0f);
}

// Every polygon primitive type with a colour for each vertex, laid out in a
// grid of cells 250 pixels wide.
void polygonsWithVertexColours() {
  const float colours[][3] = {{1.0f, 0.2f, 0.2f}, {0.2f, 1.0f, 0.2f}, {0.2f, 0.3f, 1.0f}, {1.0f, 1.0f, 0.2f},
                              {1.0f, 0.2f, 1.0f}, {0.2f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {0.6f, 0.3f, 0.1f}};
  auto vertex = [&](int i, float x, float y) {
    glColor3f(colours[i % 8][0], colours[i % 8][1], colours[i % 8][2]);
    glVertex2f(x, y);
  };
  glBegin(GL_TRIANGLES);
  vertex(0, 20, 420);
  vertex(1, 230, 420);
  vertex(2, 120, 720);
  vertex(3, 150, 430);
  vertex(4, 240, 700);
  vertex(5, 140, 700);
  glEnd();
  glBegin(GL_TRIANGLE_STRIP);
  for (int i = 0; i < 6; ++i) vertex(i, 270 + 40 * i, i % 2 == 0 ? 700 : 450);
  glEnd();
  glBegin(GL_TRIANGLE_FAN);
  vertex(7, 650, 570);
  for (int i = 0; i < 6; ++i) {
    const double angle = -0.3 + 0.5 * i;
    vertex(i, 650 + static_cast<float>(130 * std::cos(angle)),
           570 + static_cast<float>(130 * std::sin(angle)));
  }
  glEnd();
  glBegin(GL_QUADS);
  vertex(0, 20, 60);
  vertex(1, 230, 60);
  vertex(2, 230, 180);
  vertex(3, 20, 180);
  vertex(4, 40, 200);
  vertex(5, 230, 230);
  vertex(6, 200, 360);
  vertex(7, 20, 330);
  glEnd();
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i < 8; ++i) vertex(i + 2, 280 + 60 * (i / 2), i % 2 == 0 ? 340 : 80);
  glEnd();
  glBegin(GL_POLYGON);
  for (int i = 0; i < 7; ++i) {
    const double angle = 0.2 + 0.85 * i;
    vertex(i + 1, 800 + static_cast<float>(150 * std::cos(angle)),
           220 + static_cast<float>(150 * std::sin(angle)));
  }
  glEnd();
}

void vertexColoursSmooth(CaseContext& context) {
  pixelSpace();
  glShadeModel(GL_SMOOTH);
  polygonsWithVertexColours();
  GLint model = 0;
  glGetIntegerv(GL_SHADE_MODEL, &model);
  context.expect("shade model", model, GL_SMOOTH);
}

void vertexColoursFlat(CaseContext& context) {
  pixelSpace();
  // The game's own start-up shading: each triangle, quad or polygon takes the
  // colour of the vertex GL names for it.
  polygonsWithVertexColours();
  GLint model = 0;
  glGetIntegerv(GL_SHADE_MODEL, &model);
  context.expect("shade model", model, GL_FLAT);
}

void normalInsideBegin(CaseContext&) {
  pixelSpace();
  const GLuint texture = makeTexture(4, 4, picture(4, 4, [](int x, int y) {
                                       return Texel{static_cast<std::uint8_t>(40 + 70 * x),
                                                    static_cast<std::uint8_t>(240 - 60 * y), 120, 255};
                                     }));
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  // A normal before every vertex, among colours and texture coordinates, as
  // a lit model would give them: with lighting off it changes nothing.
  glBegin(GL_QUADS);
  glNormal3f(0.0f, 0.0f, 1.0f);
  glColor3f(1.0f, 1.0f, 1.0f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(60.0f, 80.0f);
  glNormal3f(0.3f, 0.0f, 0.95f);
  glColor3f(1.0f, 0.5f, 0.5f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(480.0f, 80.0f);
  glNormal3f(0.0f, 0.3f, 0.95f);
  glTexCoord2f(1.0f, 0.0f);
  glColor3f(0.5f, 1.0f, 0.5f);
  glVertex2f(480.0f, 680.0f);
  glTexCoord2f(0.0f, 0.0f);
  glColor3f(0.5f, 0.5f, 1.0f);
  glNormal3f(-0.3f, 0.0f, 0.95f);
  glVertex2f(60.0f, 680.0f);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_TRIANGLE_STRIP);
  for (int i = 0; i < 8; ++i) {
    glNormal3f(0.0f, static_cast<float>(i % 2), 1.0f);
    glColor3f(static_cast<float>(i) / 7.0f, 0.4f, 1.0f - static_cast<float>(i) / 7.0f);
    glNormal3f(0.1f * static_cast<float>(i), 0.0f, 1.0f);
    glVertex2f(560.0f + 60.0f * static_cast<float>(i / 2) + (i % 2 == 0 ? 0.0f : 30.0f),
               i % 2 == 0 ? 650.0f : 100.0f);
  }
  glEnd();
  glDeleteTextures(1, &texture);
}

void stateQueries(CaseContext& context) {
  auto enabled = [&](const char* what, GLenum capability, bool expected) {
    context.expect(what, glIsEnabled(capability), expected ? GL_TRUE : GL_FALSE);
  };
  auto integer = [](GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
  };
  // The start-up state.
  enabled("texturing off at start", GL_TEXTURE_2D, false);
  enabled("depth test on at start", GL_DEPTH_TEST, true);
  enabled("culling on at start", GL_CULL_FACE, true);
  enabled("blending off at start", GL_BLEND, false);
  enabled("lighting off at start", GL_LIGHTING, false);
  context.expect("depth function", integer(GL_DEPTH_FUNC), GL_LEQUAL);
  context.expect("shade model", integer(GL_SHADE_MODEL), GL_FLAT);
  GLboolean depthTest = GL_FALSE;
  glGetBooleanv(GL_DEPTH_TEST, &depthTest);
  context.expect("depth test as a boolean", depthTest, GL_TRUE);

  glEnable(GL_TEXTURE_2D);
  enabled("texturing on once enabled", GL_TEXTURE_2D, true);
  glEnable(GL_ALPHA_TEST);
  enabled("alpha test on once enabled", GL_ALPHA_TEST, true);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_ALPHA_TEST);
  enabled("texturing off once disabled", GL_TEXTURE_2D, false);

  glMatrixMode(GL_PROJECTION);
  context.expect("matrix mode", integer(GL_MATRIX_MODE), GL_PROJECTION);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glPushMatrix();
  glTranslatef(1.0f, 2.0f, 3.0f);
  glScalef(2.0f, 4.0f, 8.0f);
  context.expect("model-view stack depth after two pushes", integer(GL_MODELVIEW_STACK_DEPTH), 3);
  float matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  context.expect("model-view translation y", matrix[13], 2.0f);
  context.expect("model-view scale y", matrix[5], 4.0f);
  glPopMatrix();
  glPopMatrix();
  glPopMatrix();
  context.expect("a pop too many is a stack underflow", glGetError(), GL_STACK_UNDERFLOW);
  context.expect("the error is reported once", glGetError(), GL_NO_ERROR);
  glMatrixMode(GL_PROJECTION);
  const GLint limit = integer(0x0D38);  // GL_MAX_PROJECTION_STACK_DEPTH
  for (int i = 0; i < limit; ++i) glPushMatrix();
  context.expect("a push past the projection stack's limit overflows", glGetError(), GL_STACK_OVERFLOW);
  context.expect("the full projection stack", integer(GL_PROJECTION_STACK_DEPTH), limit);
  for (int i = 1; i < limit; ++i) glPopMatrix();
  glMatrixMode(GL_MODELVIEW);

  glEnable(0x1234);
  context.expect("an unknown capability is an invalid enum", glGetError(), GL_INVALID_ENUM);

  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  context.expect("texture binding", integer(GL_TEXTURE_BINDING_2D), texture);
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &texture);

  glColor4ub(255, 128, 0, 64);
  float colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  context.expect("current colour green from a byte", colour[1], 128.0f / 255.0f);
  context.expect("current colour alpha from a byte", colour[3], 64.0f / 255.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  context.expect("blend destination", integer(GL_BLEND_DST), GL_ONE);

  glViewport(10, 20, 300, 200);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  context.expect("viewport y", viewport[1], 20);
  context.expect("viewport width", viewport[2], 300);
  glViewport(0, 0, kCaseWidth, kCaseHeight);

  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glEndList();
  context.expect("a compiled list is a list", glIsList(list), GL_TRUE);
  context.expect("a name never used is no list", glIsList(list + 1000), GL_FALSE);
  glPushAttrib(GL_CURRENT_BIT);
  context.expect("attribute stack depth after a push", integer(GL_ATTRIB_STACK_DEPTH), 1);
  glPopAttrib();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
  context.expect("unpack alignment", integer(GL_UNPACK_ALIGNMENT), 2);

  // What the queries say must also be what is drawn: a quad only where the
  // state read back says texturing is off and culling on.
  pixelSpace();
  glColor3f(0.8f, 0.6f, 0.2f);
  if (!glIsEnabled(GL_TEXTURE_2D) && glIsEnabled(GL_CULL_FACE)) rect(312.0f, 184.0f, 712.0f, 584.0f);
}

}  // namespace

std::vector<GlCase> transformAndColourCases() {
  return {
      {"perspective_multiplies", perspectiveMultiplies},
      {"look_at", lookAt},
      {"colour_inside_begin", colourInsideBegin},
      {"vertex_colours_smooth", vertexColoursSmooth},
      {"vertex_colours_flat", vertexColoursFlat},
      {"normal_inside_begin", normalInsideBegin},
      {"state_queries", stateQueries},
  };
}
