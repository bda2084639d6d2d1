// Textures as the game uploads and samples them: full-window screens whose
// sides are not powers of two, glyphs uploaded from luminance-alpha bytes,
// many small pictures drawn in one frame, and the cases where GL draws
// without the texture at all.

#include <cmath>

#include "GlCase.h"

namespace {

void npotScreenRepeat(CaseContext&) {
  // The title and instruction screens: 1024 x 768 on the window's world
  // rectangle through the game's camera, as the backdrop draws them. A smooth
  // picture with a few sharp lines, different along each axis, so a wrong
  // repeat, clamp or flip shows over many pixels.
  const GLuint screen =
      makeTexture(kWindowWidth, kWindowHeight, picture(kWindowWidth, kWindowHeight, [](int x, int y) {
                    const double u = (x + 0.5) / kWindowWidth;
                    const double v = (y + 0.5) / kWindowHeight;
                    const bool line = x % 128 < 3 || y % 96 < 3;
                    return Texel{byteOf(line ? 1.0 : u), byteOf(line ? 1.0 : 0.5 + 0.5 * std::sin(6.0 * v)),
                                 byteOf(line ? 0.2 : 1.0 - u * v), 255};
                  }));
  gameCamera();
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  texturedRect(-4.0f, 0.0f, 4.0f, 6.0f);
  // The same texture repeated past its edges: two and a half screens across
  // the lower part of the window, shifted by half a screen upwards.
  pixelSpace();
  texturedRect(0.0f, 0.0f, 1024.0f, 256.0f, -0.75f, 0.5f, 1.75f, 1.5f);
  glDeleteTextures(1, &screen);
}

// A glyph-like coverage bitmap as luminance-alpha bytes (both the coverage),
// as the font printer uploads them.
GLuint glyph(int width, int height, const std::function<double(int, int)>& coverage) {
  std::vector<std::uint8_t> bytes;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bytes.insert(bytes.end(), 2, byteOf(coverage(x, y)));
  }
  return makeTexture(width, height, bytes, GL_LINEAR, GL_REPEAT, GL_LUMINANCE_ALPHA);
}

void glyphLuminanceAlpha(CaseContext&) {
  pixelSpace();
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  // (The font printer's case uploads real glyphs.) One texel wide: two bytes a row, readable only with the
  // alignment at 1.
  const GLuint bar = glyph(1, 8, [](int, int y) { return y / 7.0; });
  const GLuint wedge = glyph(8, 4, [](int x, int y) { return x > y * 2 ? 1.0 : 0.2; });
  glPopClientAttrib();

  rect({0.1f, 0.2f, 0.5f}, 0.0f, 0.0f, 512.0f, 384.0f, -0.5f);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  glBindTexture(GL_TEXTURE_2D, bar);
  texturedRect({1.0f, 1.0f, 1.0f, 0.8f}, 40.0f, 40.0f, 200.0f, 360.0f);
  glBindTexture(GL_TEXTURE_2D, wedge);
  texturedRect({0.2f, 1.0f, 0.4f, 1.0f}, 250.0f, 100.0f, 500.0f, 350.0f, 0.0f, 0.0f, 0.75f, 0.75f);
  const GLuint glyphs[] = {bar, wedge};
  glDeleteTextures(2, glyphs);
}

std::vector<std::uint8_t> checker() {
  return picture(8, 8, [](int x, int y) {
    return (x + y) % 2 == 0 ? Texel{250, 250, 250, 255} : Texel{20, 20, 20, 255};
  });
}

void textureDisabledUntextured(CaseContext& context) {
  pixelSpace();
  const GLuint texture = makeTexture(8, 8, checker());
  // Bound but not enabled: the quads are plain colour.
  texturedRect({0.9f, 0.5f, 0.2f}, 25.0f, 200.0f, 225.0f, 350.0f);
  glEnable(GL_TEXTURE_2D);
  texturedRect(275.0f, 200.0f, 475.0f, 350.0f);
  glDisable(GL_TEXTURE_2D);
  texturedRect({0.3f, 0.6f, 0.9f}, 25.0f, 50.0f, 475.0f, 150.0f);
  context.expectEnabled("texturing reads back off", GL_TEXTURE_2D, false);
  glDeleteTextures(1, &texture);
}

void atlasInterleavedOverlap(CaseContext&) {
  pixelSpace();
  // Small bubble-like pictures: a disc with a soft rim and a highlight in
  // one of many colour schemes, transparent outside.
  constexpr int kPictures = 24;
  constexpr int kSide = 32;  // texels
  GLuint textures[kPictures];
  for (int i = 0; i < kPictures; ++i) {
    textures[i] = makeTexture(
        kSide, kSide, picture(kSide, kSide, [&](int x, int y) {
          const double r = std::hypot(x + 0.5 - kSide / 2.0, y + 0.5 - kSide / 2.0) / (kSide / 2.0);
          const double shine = std::hypot(x + 0.5 - kSide * 0.35, y + 0.5 - kSide * 0.3) / kSide;
          const double highlight = shine < 0.12 ? 1.0 : 0.0;
          const double base = 0.3 + 0.7 * std::fmod(i * 0.37, 1.0);
          const double alpha = r > 1.0 ? 0.0 : r > 0.8 ? (1.0 - r) * 5.0 : 0.85;
          return Texel{byteOf(highlight + base * (i % 3 == 0 ? 1.0 : 0.4)),
                       byteOf(highlight + base * (i % 3 == 1 ? 1.0 : 0.5)),
                       byteOf(highlight + (1.0 - base) * (i % 3 == 2 ? 1.0 : 0.6)), byteOf(alpha)};
        }));
  }
  // Blended sprites as the bubbles are drawn, each overlapping the one
  // before: which covers which depends on the order alone.
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.0f);
  glDisable(GL_DEPTH_TEST);
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < kPictures; ++i) {
      glBindTexture(GL_TEXTURE_2D, textures[(i * 7 + round * 5) % kPictures]);
      const float x = 15.0f + 19.0f * static_cast<float>(i) + 5.0f * static_cast<float>(round);
      const float y = 40.0f + 100.0f * static_cast<float>(round) + 20.0f * static_cast<float>(i % 3);
      const float side = 35.0f + 12.5f * static_cast<float>((i + round) % 4);
      texturedRect({1.0f, 1.0f, 1.0f, round == 1 ? 0.6f : 1.0f}, x, y, x + side, y + side);
      // Now and then an untextured mark in between, as a selection ring or
      // a patch of the backdrop would be.
      if (i % 5 == 2) {
        glDisable(GL_TEXTURE_2D);
        rect({0.9f, 0.1f, 0.1f, 0.5f}, x + 10.0f, y - 5.0f, x + 20.0f, y + 45.0f);
        glEnable(GL_TEXTURE_2D);
      }
    }
  }
  glDeleteTextures(kPictures, textures);
}

void atlasEdgesMagnified(CaseContext&) {
  pixelSpace();
  // Tiny pictures uploaded one after another, so they sit side by side on a
  // shared page; each magnified many times, its border texels filter with
  // what lies beyond its own edge: itself repeated or clamped, never its
  // neighbour.
  // Solid red; green between a white and a black column; solid blue; a
  // clamped gradient.
  const auto texel = [](int i, int x, int y) {
    if (i == 1)
      return x == 0 ? Texel{255, 255, 255, 255} : x == 3 ? Texel{0, 0, 0, 255} : Texel{40, 200, 60, 255};
    if (i == 3) return Texel{byteOf(x / 4.25), 200, byteOf(y / 4.25), 255};
    return i == 0 ? Texel{240, 30, 30, 255} : Texel{30, 60, 240, 255};
  };
  GLuint textures[4];
  for (int i = 0; i < 4; ++i) {
    const auto texels = picture(4, 4, [&](int x, int y) { return texel(i, x, y); });
    textures[i] = makeTexture(4, 4, texels, GL_LINEAR, i == 3 ? GL_CLAMP_TO_EDGE : GL_REPEAT);
  }
  glEnable(GL_TEXTURE_2D);
  for (int i = 0; i < 4; ++i) {
    glBindTexture(GL_TEXTURE_2D, textures[i]);
    const float x = 12.0f + 125.0f * static_cast<float>(i);
    texturedRect(x, 50.0f, x + 112.0f, 350.0f);
  }
  glDeleteTextures(4, textures);
}

void textureParameterAfterUpload(CaseContext&) {
  pixelSpace();
  // Uploaded without a minification filter of its own: the default asks for
  // mipmaps that were never made, so GL draws as if texturing were off.
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, checker().data());
  glEnable(GL_TEXTURE_2D);
  texturedRect({0.4f, 0.9f, 0.4f}, 10.0f, 200.0f, 120.0f, 360.0f);
  // Once given a filter without mipmaps it draws (linear), and after each
  // change the draws before it keep the sampling they were issued with.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  texturedRect({1.0f, 1.0f, 1.0f}, 130.0f, 200.0f, 250.0f, 360.0f);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  texturedRect(260.0f, 200.0f, 380.0f, 360.0f);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  texturedRect(390.0f, 200.0f, 502.0f, 360.0f, -0.5f, 0.0f, 1.5f, 1.0f);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  texturedRect(10.0f, 25.0f, 235.0f, 175.0f, -0.5f, 0.0f, 1.5f, 1.0f);
  // Asking for mipmaps after the upload leaves it incomplete again.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  texturedRect({0.9f, 0.3f, 0.6f}, 260.0f, 25.0f, 500.0f, 175.0f);
  glDeleteTextures(1, &texture);
}

}  // namespace

std::vector<GlCase> textureCases() {
  return {
      {"npot_screen_repeat", npotScreenRepeat, true},
      {"glyph_luminance_alpha", glyphLuminanceAlpha},
      {"texture_disabled_untextured", textureDisabledUntextured},
      {"atlas_interleaved_overlap", atlasInterleavedOverlap},
      {"atlas_edges_magnified", atlasEdgesMagnified},
      {"texture_parameter_after_upload", textureParameterAfterUpload},
  };
}
