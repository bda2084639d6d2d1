// What decides which fragments land: the alpha test with blending as the
// game's sprites use it, the depth test, face culling, every primitive type,
// and batches too large for one draw.

#include <cmath>

#include "CaseDrawing.h"
#include "GlCase.h"

namespace {

void alphaTestBlendedSprites(CaseContext&) {
  pixelSpace();
  // A disc with a soft rim on a transparent square, drawn as the game draws
  // its sprites: texture, blending, alpha test GREATER 0, depth test on. The
  // rim fades to 0.4, not to nothing: how far a filtered alpha just above 0
  // reaches depends on the rasteriser's filtering precision, not on GL.
  constexpr int kSide = 64;
  const GLuint disc = makeTexture(
      kSide, kSide, picture(kSide, kSide, [](int x, int y) {
        const double r = std::hypot(x + 0.5 - 32.0, y + 0.5 - 32.0) / 32.0;
        const double alpha = r >= 1.0 ? 0.0 : r > 0.7 ? 0.4 + 0.6 * (1.0 - r) / 0.3 : 1.0;
        return Texel{static_cast<std::uint8_t>(80 + 2 * x), static_cast<std::uint8_t>(200 - 2 * y), 150,
                     static_cast<std::uint8_t>(std::lround(alpha * 255.0))};
      }));
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.0f);
  // Sprites in front, tinted and fading.
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  texturedRect(60.0f, 300.0f, 460.0f, 700.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.5f);
  glColor4f(1.0f, 0.5f, 0.3f, 0.6f);
  texturedRect(360.0f, 200.0f, 760.0f, 600.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.4f);
  glColor4f(0.4f, 0.6f, 1.0f, 0.3f);
  texturedRect(600.0f, 60.0f, 1000.0f, 460.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.3f);
  glDisable(GL_TEXTURE_2D);
  // A band drawn afterwards but behind them: it shows through wherever the
  // alpha test dropped a transparent texel, since that texel wrote no depth.
  glDisable(GL_BLEND);
  glColor3f(0.9f, 0.9f, 0.2f);
  rect(0.0f, 250.0f, 1024.0f, 500.0f, -0.5f);
  glDisable(GL_ALPHA_TEST);
  glDeleteTextures(1, &disc);
}

void depthLequal(CaseContext& context) {
  pixelSpace();
  // The game's depth function lets a later picture at the same depth cover
  // an earlier one, and keeps anything behind out.
  glColor3f(0.8f, 0.2f, 0.2f);
  rect(100.0f, 100.0f, 600.0f, 600.0f, 0.0f);
  glColor3f(0.2f, 0.8f, 0.2f);
  rect(300.0f, 300.0f, 800.0f, 700.0f, 0.0f);
  glColor3f(0.2f, 0.2f, 0.9f);
  rect(50.0f, 50.0f, 950.0f, 400.0f, -0.5f);
  glColor3f(0.9f, 0.9f, 0.9f);
  rect(450.0f, 200.0f, 650.0f, 500.0f, 0.5f);
  // A sloped quad through the others: the depth test works per pixel.
  glColor3f(0.9f, 0.6f, 0.1f);
  glBegin(GL_QUADS);
  glVertex3f(150.0f, 450.0f, -0.9f);
  glVertex3f(1000.0f, 450.0f, 0.9f);
  glVertex3f(1000.0f, 560.0f, 0.9f);
  glVertex3f(150.0f, 560.0f, -0.9f);
  glEnd();
  // Written without depth, a later quad behind still covers it.
  glDepthMask(GL_FALSE);
  glColor3f(0.5f, 0.1f, 0.6f);
  rect(700.0f, 600.0f, 1000.0f, 740.0f, 0.8f);
  glDepthMask(GL_TRUE);
  glColor3f(0.1f, 0.6f, 0.6f);
  rect(800.0f, 620.0f, 1020.0f, 700.0f, 0.0f);
  GLint function = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &function);
  context.expect("depth function", function, GL_LEQUAL);
}

void triangle(float x0, float y0, float x1, float y1, float x2, float y2) {
  glBegin(GL_TRIANGLES);
  glVertex2f(x0, y0);
  glVertex2f(x1, y1);
  glVertex2f(x2, y2);
  glEnd();
}

// One row of the culling case: a counter-clockwise and a clockwise quad, a
// pair of triangles of either winding, and a strip, whose turned-round
// triangles keep the first one's facing.
void windingRow(float y) {
  glColor3f(0.2f, 0.8f, 0.3f);
  rect(20.0f, y, 200.0f, y + 200.0f);
  glColor3f(0.9f, 0.2f, 0.2f);
  glBegin(GL_QUADS);
  glVertex2f(220.0f, y);
  glVertex2f(220.0f, y + 200.0f);
  glVertex2f(400.0f, y + 200.0f);
  glVertex2f(400.0f, y);
  glEnd();
  glColor3f(0.3f, 0.4f, 0.9f);
  triangle(420.0f, y, 600.0f, y, 510.0f, y + 200.0f);
  glColor3f(0.9f, 0.8f, 0.2f);
  triangle(620.0f, y, 710.0f, y + 200.0f, 800.0f, y);
  glColor3f(0.8f, 0.3f, 0.8f);
  glBegin(GL_TRIANGLE_STRIP);
  for (int i = 0; i < 6; ++i) glVertex2f(820.0f + 35.0f * static_cast<float>(i), i % 2 == 0 ? y : y + 200.0f);
  glEnd();
}

void cullBackFaces(CaseContext& context) {
  pixelSpace();
  // The game's set-up: back faces culled, fronts counter-clockwise.
  windingRow(540.0f);
  glFrontFace(GL_CW);
  windingRow(300.0f);
  glFrontFace(GL_CCW);
  glCullFace(GL_FRONT);
  windingRow(60.0f);
  glCullFace(GL_BACK);
  GLboolean culling = GL_FALSE;
  glGetBooleanv(GL_CULL_FACE, &culling);
  context.expect("culling stays on", culling, GL_TRUE);
}

void everyPrimitiveType(CaseContext&) {
  pixelSpace();
  glShadeModel(GL_SMOOTH);
  // Points on pixel centres and lines along pixel rows and columns, where
  // every rasteriser lights the same pixels.
  glBegin(GL_POINTS);
  for (int i = 0; i < 20; ++i) {
    for (int j = 0; j < 10; ++j) {
      glColor3f(static_cast<float>(i) / 19.0f, static_cast<float>(j) / 9.0f, 1.0f);
      glVertex2f(40.5f + 8.0f * static_cast<float>(i), 600.5f + 8.0f * static_cast<float>(j));
    }
  }
  glEnd();
  glBegin(GL_LINES);
  for (int i = 0; i < 8; ++i) {
    glColor3f(1.0f, 0.3f, 0.2f);
    glVertex2f(250.0f, 600.5f + 10.0f * static_cast<float>(i));
    glColor3f(0.2f, 0.3f, 1.0f);
    glVertex2f(450.0f, 600.5f + 10.0f * static_cast<float>(i));
  }
  glEnd();
  glColor3f(0.9f, 0.9f, 0.3f);
  glBegin(GL_LINE_STRIP);
  glVertex2f(500.5f, 600.0f);
  glVertex2f(500.5f, 700.0f);
  glVertex2f(600.0f, 700.5f);
  glVertex2f(700.0f, 700.5f);
  glVertex2f(700.5f, 640.0f);
  glEnd();
  glColor3f(0.3f, 0.9f, 0.9f);
  glBegin(GL_LINE_LOOP);
  glVertex2f(750.5f, 600.5f);
  glVertex2f(950.5f, 600.5f);
  glVertex2f(950.5f, 740.5f);
  glVertex2f(750.5f, 740.5f);
  glEnd();

  // Each filled type in its own place.
  glBegin(GL_TRIANGLES);
  glColor3f(1.0f, 0.0f, 0.0f);
  glVertex2f(40.0f, 320.0f);
  glColor3f(0.0f, 1.0f, 0.0f);
  glVertex2f(300.0f, 320.0f);
  glColor3f(0.0f, 0.0f, 1.0f);
  glVertex2f(170.0f, 560.0f);
  glEnd();
  glBegin(GL_TRIANGLE_STRIP);
  for (int i = 0; i < 8; ++i) {
    glColor3f(static_cast<float>(i) / 7.0f, 0.5f, 1.0f - static_cast<float>(i) / 7.0f);
    glVertex2f(340.0f + 40.0f * static_cast<float>(i), i % 2 == 0 ? 560.0f : 320.0f);
  }
  glEnd();
  glBegin(GL_TRIANGLE_FAN);
  glColor3f(1.0f, 1.0f, 1.0f);
  glVertex2f(820.0f, 440.0f);
  for (int i = 0; i <= 8; ++i) {
    const double angle = 2.0 * std::acos(-1.0) * i / 8.0;
    glColor3f(0.5f + 0.5f * static_cast<float>(std::cos(angle)), 0.3f,
              0.5f + 0.5f * static_cast<float>(std::sin(angle)));
    glVertex2f(820.0f + static_cast<float>(120.0 * std::cos(angle)),
               440.0f + static_cast<float>(120.0 * std::sin(angle)));
  }
  glEnd();
  glBegin(GL_QUADS);
  glColor3f(0.9f, 0.5f, 0.1f);
  glVertex2f(40.0f, 40.0f);
  glVertex2f(240.0f, 40.0f);
  glColor3f(0.1f, 0.5f, 0.9f);
  glVertex2f(240.0f, 260.0f);
  glVertex2f(40.0f, 260.0f);
  glEnd();
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i < 8; ++i) {
    glColor3f(0.3f, static_cast<float>(i) / 7.0f, 0.6f);
    glVertex2f(300.0f + 60.0f * static_cast<float>(i / 2), i % 2 == 0 ? 260.0f : 40.0f);
  }
  glEnd();
  glBegin(GL_POLYGON);
  for (int i = 0; i < 5; ++i) {
    const double angle = 2.0 * std::acos(-1.0) * i / 5.0 + 0.3;
    glColor3f(static_cast<float>(i) / 4.0f, 1.0f - static_cast<float>(i) / 4.0f, 0.5f);
    glVertex2f(700.0f + static_cast<float>(130.0 * std::cos(angle)),
               150.0f + static_cast<float>(110.0 * std::sin(angle)));
  }
  glEnd();
}

void manyVerticesOneBatch(CaseContext&) {
  pixelSpace();
  // 128 x 160 cells of 4 x 4 pixels in one glBegin: 81920 vertices, more
  // than 16-bit indices reach, each cell in its own flat colour.
  constexpr int kColumns = 128;
  constexpr int kRows = 160;
  constexpr float kCell = 4.0f;  // pixels
  glBegin(GL_QUADS);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      glColor3f(static_cast<float>(column) / kColumns, static_cast<float>(row) / kRows,
                static_cast<float>((column + row) % 8) / 7.0f);
      const float x = kCell * static_cast<float>(column);
      const float y = 60.0f + kCell * static_cast<float>(row);
      glVertex2f(x, y);
      glVertex2f(x + kCell, y);
      glVertex2f(x + kCell, y + kCell);
      glVertex2f(x, y + kCell);
    }
  }
  glEnd();
  // The same count again as separate primitives of one state, which a
  // batch must split wherever it fills up.
  glShadeModel(GL_SMOOTH);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const float x = 512.0f + kCell * static_cast<float>(column);
      const float y = 60.0f + kCell * static_cast<float>(row);
      glBegin(GL_TRIANGLES);
      glColor3f(static_cast<float>(row) / kRows, 0.5f, static_cast<float>(column) / kColumns);
      glVertex2f(x, y);
      glVertex2f(x + kCell, y);
      glColor3f(1.0f, static_cast<float>((column * row) % 5) / 4.0f, 0.2f);
      glVertex2f(x + kCell, y + kCell);
      glEnd();
      glBegin(GL_TRIANGLES);
      glVertex2f(x, y);
      glVertex2f(x + kCell, y + kCell);
      glColor3f(0.2f, 0.2f, static_cast<float>(row) / kRows);
      glVertex2f(x, y + kCell);
      glEnd();
    }
  }
}

}  // namespace

std::vector<GlCase> rasterCases() {
  return {
      {"alpha_test_blended_sprites", alphaTestBlendedSprites},
      {"depth_lequal", depthLequal},
      {"cull_back_faces", cullBackFaces},
      {"every_primitive_type", everyPrimitiveType},
      {"many_vertices_one_batch", manyVerticesOneBatch},
  };
}
