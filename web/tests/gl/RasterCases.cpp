// What decides which fragments land: the alpha test with blending as the
// game's sprites use it, the depth test, face culling, points and lines, and
// batches too large for one draw. (Every filled primitive type is drawn by the
// vertex colour cases.)

#include <cmath>

#include "GlCase.h"

namespace {

void alphaTestBlendedSprites(CaseContext&) {
  pixelSpace();
  // A disc with a soft rim on a transparent square, drawn as the game draws
  // its sprites: texture, blending, alpha test GREATER 0, depth test on. The
  // rim fades to 0.4, not to nothing: how far a filtered alpha just above 0
  // reaches depends on the rasteriser's filtering precision, not on GL.
  const GLuint disc =
      makeTexture(64, 64, picture(64, 64, [](int x, int y) {
                    const double r = std::hypot(x + 0.5 - 32.0, y + 0.5 - 32.0) / 32.0;
                    const double alpha = r >= 1.0 ? 0.0 : r > 0.7 ? 0.4 + 0.6 * (1.0 - r) / 0.3 : 1.0;
                    return Texel{static_cast<std::uint8_t>(80 + 2 * x),
                                 static_cast<std::uint8_t>(200 - 2 * y), 150, byteOf(alpha)};
                  }));
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.0f);
  // Sprites in front, tinted and fading.
  texturedRect(30.0f, 150.0f, 230.0f, 350.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.5f);
  texturedRect({1.0f, 0.5f, 0.3f, 0.6f}, 180.0f, 100.0f, 380.0f, 300.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.4f);
  texturedRect({0.4f, 0.6f, 1.0f, 0.3f}, 300.0f, 30.0f, 500.0f, 230.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.3f);
  glDisable(GL_TEXTURE_2D);
  // A band drawn afterwards but behind them: it shows through wherever the
  // alpha test dropped a transparent texel, since that texel wrote no depth.
  glDisable(GL_BLEND);
  rect({0.9f, 0.9f, 0.2f}, 0.0f, 125.0f, 512.0f, 250.0f, -0.5f);
  glDeleteTextures(1, &disc);
}

void depthLequal(CaseContext& context) {
  pixelSpace();
  // The game's depth function lets a later picture at the same depth cover
  // an earlier one, and keeps anything behind out; a sloped quad through the
  // others shows the test works per pixel.
  rect({0.8f, 0.2f, 0.2f}, 50.0f, 50.0f, 300.0f, 300.0f);
  rect({0.2f, 0.8f, 0.2f}, 150.0f, 150.0f, 400.0f, 350.0f);
  rect({0.2f, 0.2f, 0.9f}, 25.0f, 25.0f, 475.0f, 200.0f, -0.5f);
  rect({0.9f, 0.9f, 0.9f}, 225.0f, 100.0f, 325.0f, 250.0f, 0.5f);
  glColor3f(0.9f, 0.6f, 0.1f);
  glBegin(GL_QUADS);
  glVertex3f(75.0f, 225.0f, -0.9f);
  glVertex3f(500.0f, 225.0f, 0.9f);
  glVertex3f(500.0f, 280.0f, 0.9f);
  glVertex3f(75.0f, 280.0f, -0.9f);
  glEnd();
  // Written without depth, a later quad behind still covers it.
  glDepthMask(GL_FALSE);
  rect({0.5f, 0.1f, 0.6f}, 350.0f, 300.0f, 500.0f, 370.0f, 0.8f);
  glDepthMask(GL_TRUE);
  rect({0.1f, 0.6f, 0.6f}, 400.0f, 310.0f, 510.0f, 350.0f, 0.0f);
  context.expectInteger("depth function", GL_DEPTH_FUNC, GL_LEQUAL);
}

// One row of the culling case: a counter-clockwise and a clockwise quad, a
// triangle of either winding, and a strip, whose turned-round triangles keep
// the first one's facing.
void windingRow(float y) {
  rect({0.2f, 0.8f, 0.3f}, 10.0f, y, 100.0f, y + 100.0f);
  rect({0.9f, 0.2f, 0.2f}, 200.0f, y, 110.0f, y + 100.0f);
  shape({0.3f, 0.4f, 0.9f}, GL_TRIANGLES, {210, y, 300, y, 255, y + 100});
  shape({0.9f, 0.8f, 0.2f}, GL_TRIANGLES, {310, y, 355, y + 100, 400, y});
  shape({0.8f, 0.3f, 0.8f}, GL_TRIANGLE_STRIP,
        {410, y, 427.5f, y + 100, 445, y, 462.5f, y + 100, 480, y, 497.5f, y + 100});
}

void cullBackFaces(CaseContext& context) {
  pixelSpace();
  // The game's set-up: back faces culled, fronts counter-clockwise.
  windingRow(270.0f);
  glFrontFace(GL_CW);
  windingRow(150.0f);
  glFrontFace(GL_CCW);
  glCullFace(GL_FRONT);
  windingRow(30.0f);
  glCullFace(GL_BACK);
  GLboolean culling = GL_FALSE;
  glGetBooleanv(GL_CULL_FACE, &culling);
  context.expect("culling stays on", culling, GL_TRUE);
}

void pointsAndLines(CaseContext&) {
  pixelSpace();
  glShadeModel(GL_SMOOTH);
  // Points on pixel centres and lines along pixel rows and columns, where
  // every rasteriser lights the same pixels.
  glBegin(GL_POINTS);
  for (int i = 0; i < 20; ++i) {
    for (int j = 0; j < 10; ++j) {
      glColor3f(static_cast<float>(i) / 19.0f, static_cast<float>(j) / 9.0f, 1.0f);
      glVertex2f(20.5f + 6.0f * static_cast<float>(i), 250.5f + 6.0f * static_cast<float>(j));
    }
  }
  glEnd();
  glBegin(GL_LINES);
  for (int i = 0; i < 8; ++i) {
    glColor3f(1.0f, 0.3f, 0.2f);
    glVertex2f(160.0f, 250.5f + 8.0f * static_cast<float>(i));
    glColor3f(0.2f, 0.3f, 1.0f);
    glVertex2f(300.0f, 250.5f + 8.0f * static_cast<float>(i));
  }
  glEnd();
  shape({0.9f, 0.9f, 0.3f}, GL_LINE_STRIP, {40.5f, 50, 40.5f, 200, 150, 200.5f, 250, 200.5f, 250.5f, 90});
  shape({0.3f, 0.9f, 0.9f}, GL_LINE_LOOP, {300.5f, 50.5f, 480.5f, 50.5f, 480.5f, 200.5f, 300.5f, 200.5f});
}

void manyVerticesOneBatch(CaseContext&) {
  pixelSpace();
  // 128 x 160 cells of 2 x 2 pixels in one glBegin: 81920 vertices, more
  // than 16-bit indices reach, each cell in its own flat colour. Then the
  // same count again, smooth, as a primitive a cell of one state, which a
  // batch must split wherever it fills up.
  constexpr int kColumns = 128;
  constexpr int kRows = 160;
  constexpr float kCell = 2.0f;  // pixels
  for (const bool apart : {false, true}) {
    if (apart) glShadeModel(GL_SMOOTH);
    if (!apart) glBegin(GL_QUADS);
    for (int row = 0; row < kRows; ++row) {
      for (int column = 0; column < kColumns; ++column) {
        const float x = (apart ? 256.0f : 0.0f) + kCell * static_cast<float>(column);
        const float y = 30.0f + kCell * static_cast<float>(row);
        if (apart) glBegin(GL_QUADS);
        glColor3f(static_cast<float>(column) / kColumns, static_cast<float>(row) / kRows,
                  static_cast<float>((column + row) % 8) / 7.0f);
        glVertex2f(x, y);
        glVertex2f(x + kCell, y);
        if (apart) glColor3f(1.0f, static_cast<float>((column * row) % 5) / 4.0f, 0.2f);
        glVertex2f(x + kCell, y + kCell);
        glVertex2f(x, y + kCell);
        if (apart) glEnd();
      }
    }
    if (!apart) glEnd();
  }
}

}  // namespace

std::vector<GlCase> rasterCases() {
  return {
      {"alpha_test_blended_sprites", alphaTestBlendedSprites},
      {"depth_lequal", depthLequal},
      {"cull_back_faces", cullBackFaces},
      {"points_and_lines", pointsAndLines},
      {"many_vertices_one_batch", manyVerticesOneBatch},
  };
}
