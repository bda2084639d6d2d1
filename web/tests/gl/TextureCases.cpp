// Textures as the game uploads and samples them: full-window screens and
// pictures whose sides are not powers of two, glyphs uploaded from
// luminance-alpha bytes, many small pictures drawn in one frame, and the cases
// where GL draws without the texture at all.

#include <cmath>

#include "CaseDrawing.h"
#include "GlCase.h"

namespace {

std::uint8_t byteOf(double unit) {
  return static_cast<std::uint8_t>(std::lround(255.0 * std::fmin(1.0, std::fmax(0.0, unit))));
}

// A smooth picture with a few sharp lines, different along each axis, so a
// wrong repeat, clamp or flip shows over many pixels.
std::vector<std::uint8_t> screenPicture(int width, int height) {
  return picture(width, height, [&](int x, int y) {
    const double u = (x + 0.5) / width;
    const double v = (y + 0.5) / height;
    const bool line = x % 128 < 3 || y % 96 < 3;
    return Texel{byteOf(line ? 1.0 : u), byteOf(line ? 1.0 : 0.5 + 0.5 * std::sin(6.0 * v)),
                 byteOf(line ? 0.2 : 1.0 - u * v), 255};
  });
}

void npotScreenRepeat(CaseContext&) {
  // The title and instruction screens: 1024 x 768 on the window's world
  // rectangle through the game's camera, as the backdrop draws them.
  const GLuint screen = makeTexture(kCaseWidth, kCaseHeight, screenPicture(kCaseWidth, kCaseHeight));
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

void npotPictureRepeat(CaseContext&) {
  // A picture of the game's odd size, drawn once as it is, magnified so its
  // edges filter across the wrap, and tiled.
  constexpr int kWidth = 256;
  constexpr int kHeight = 168;
  const GLuint texture =
      makeTexture(kWidth, kHeight, picture(kWidth, kHeight, [](int x, int y) {
                    const bool ring = std::abs(std::hypot(x - 128.0, y - 84.0) - 60.0) < 8.0;
                    return Texel{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y + 80),
                                 static_cast<std::uint8_t>(ring ? 255 : 60), 255};
                  }));
  pixelSpace();
  glEnable(GL_TEXTURE_2D);
  texturedRect(20.0f, 560.0f, 276.0f, 728.0f);
  texturedRect(300.0f, 400.0f, 1000.0f, 750.0f);
  texturedRect(20.0f, 20.0f, 1000.0f, 380.0f, 0.0f, 0.0f, 3.0f, 2.0f);
  glDeleteTextures(1, &texture);
}

// A glyph-like coverage bitmap as luminance-alpha bytes: both bytes the
// coverage, in a power-of-two texture as the font printer makes them.
std::vector<std::uint8_t> coverage(int width, int height, const std::function<double(int, int)>& value) {
  std::vector<std::uint8_t> bytes;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t c = byteOf(value(x, y));
      bytes.push_back(c);
      bytes.push_back(c);
    }
  }
  return bytes;
}

GLuint uploadGlyph(int width, int height, const std::vector<std::uint8_t>& bytes) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
               bytes.data());
  return name;
}

void glyphLuminanceAlpha(CaseContext&) {
  pixelSpace();
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLuint ring = uploadGlyph(16, 32, coverage(16, 32, [](int x, int y) {
                                    const double distance = std::hypot((x - 6.0) / 5.0, (y - 12.0) / 10.0);
                                    return 1.0 - std::fabs(distance - 0.75) * 4.0;
                                  }));
  // One texel wide: two bytes a row, readable only with the alignment at 1.
  const GLuint bar = uploadGlyph(1, 8, coverage(1, 8, [](int, int y) { return y / 7.0; }));
  const GLuint wedge = uploadGlyph(8, 4, coverage(8, 4, [](int x, int y) { return x > y * 2 ? 1.0 : 0.2; }));
  glPopClientAttrib();

  glColor3f(0.1f, 0.2f, 0.5f);
  rect(0.0f, 0.0f, 1024.0f, 768.0f, -0.5f);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  glBindTexture(GL_TEXTURE_2D, ring);
  glColor4f(1.0f, 0.9f, 0.2f, 1.0f);
  texturedRect(40.0f, 80.0f, 400.0f, 720.0f, 0.0f, 0.0f, 0.6875f, 0.625f);
  glBindTexture(GL_TEXTURE_2D, bar);
  glColor4f(1.0f, 1.0f, 1.0f, 0.8f);
  texturedRect(450.0f, 80.0f, 600.0f, 720.0f);
  glBindTexture(GL_TEXTURE_2D, wedge);
  glColor4f(0.2f, 1.0f, 0.4f, 1.0f);
  texturedRect(650.0f, 300.0f, 1000.0f, 700.0f);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  const GLuint glyphs[] = {ring, bar, wedge};
  glDeleteTextures(3, glyphs);
}

GLuint checkerTexture() {
  return makeTexture(8, 8, picture(8, 8, [](int x, int y) {
                       return (x + y) % 2 == 0 ? Texel{250, 250, 250, 255} : Texel{20, 20, 20, 255};
                     }));
}

void textureDisabledUntextured(CaseContext& context) {
  pixelSpace();
  const GLuint texture = checkerTexture();
  // Bound but not enabled: the quads are plain colour.
  glColor3f(0.9f, 0.5f, 0.2f);
  texturedRect(50.0f, 400.0f, 450.0f, 700.0f);
  glEnable(GL_TEXTURE_2D);
  texturedRect(550.0f, 400.0f, 950.0f, 700.0f);
  glDisable(GL_TEXTURE_2D);
  glColor3f(0.3f, 0.6f, 0.9f);
  texturedRect(50.0f, 50.0f, 950.0f, 300.0f);
  context.expect("texturing reads back off", glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
  glDeleteTextures(1, &texture);
}

void textureIncompleteUntextured(CaseContext&) {
  pixelSpace();
  // Uploaded without a minification filter of its own: the default asks for
  // mipmaps that were never made, so GL draws as if texturing were off.
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const std::vector<std::uint8_t> rgba = picture(8, 8, [](int x, int) {
    return x < 4 ? Texel{255, 0, 0, 255} : Texel{0, 0, 255, 255};
  });
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glEnable(GL_TEXTURE_2D);
  glColor3f(0.4f, 0.9f, 0.4f);
  texturedRect(100.0f, 100.0f, 900.0f, 650.0f);
  // Once given a filter without mipmaps, the same texture draws.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glColor3f(1.0f, 1.0f, 1.0f);
  texturedRect(300.0f, 250.0f, 700.0f, 500.0f);
  glDisable(GL_TEXTURE_2D);
  glDeleteTextures(1, &texture);
}

// A small bubble-like picture: a disc with a soft rim and a highlight, in one
// of many colour schemes; transparent outside.
std::vector<std::uint8_t> bubble(int side, int scheme) {
  return picture(side, side, [&](int x, int y) {
    const double r = std::hypot(x + 0.5 - side / 2.0, y + 0.5 - side / 2.0) / (side / 2.0);
    const double highlight =
        std::hypot(x + 0.5 - side * 0.35, y + 0.5 - side * 0.3) / side < 0.12 ? 1.0 : 0.0;
    const double base = 0.3 + 0.7 * std::fmod(scheme * 0.37, 1.0);
    const double alpha = r > 1.0 ? 0.0 : r > 0.8 ? (1.0 - r) * 5.0 : 0.85;
    return Texel{byteOf(highlight + base * (scheme % 3 == 0 ? 1.0 : 0.4)),
                 byteOf(highlight + base * (scheme % 3 == 1 ? 1.0 : 0.5)),
                 byteOf(highlight + (1.0 - base) * (scheme % 3 == 2 ? 1.0 : 0.6)), byteOf(alpha)};
  });
}

void atlasInterleavedOverlap(CaseContext&) {
  pixelSpace();
  constexpr int kPictures = 24;
  constexpr int kSide = 32;  // texels
  GLuint textures[kPictures];
  for (int i = 0; i < kPictures; ++i) textures[i] = makeTexture(kSide, kSide, bubble(kSide, i));
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
      const int which = (i * 7 + round * 5) % kPictures;
      glBindTexture(GL_TEXTURE_2D, textures[which]);
      const float x = 30.0f + 38.0f * static_cast<float>(i) + 10.0f * static_cast<float>(round);
      const float y = 80.0f + 200.0f * static_cast<float>(round) + 40.0f * static_cast<float>(i % 3);
      const float side = 70.0f + 25.0f * static_cast<float>((i + round) % 4);
      glColor4f(1.0f, 1.0f, 1.0f, round == 1 ? 0.6f : 1.0f);
      texturedRect(x, y, x + side, y + side);
      // Now and then an untextured mark in between, as a selection ring or
      // a patch of the backdrop would be.
      if (i % 5 == 2) {
        glDisable(GL_TEXTURE_2D);
        glColor4f(0.9f, 0.1f, 0.1f, 0.5f);
        rect(x + 20.0f, y - 10.0f, x + 40.0f, y + 90.0f);
        glEnable(GL_TEXTURE_2D);
      }
    }
  }
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glDeleteTextures(kPictures, textures);
}

void atlasEdgesMagnified(CaseContext&) {
  pixelSpace();
  // Tiny pictures uploaded one after another, so they sit side by side on a
  // shared page; each magnified a hundredfold, its border texels filter with
  // what lies beyond its own edge: itself repeated or clamped, never its
  // neighbour.
  const GLuint solidRed = makeTexture(4, 4, picture(4, 4, [](int, int) { return Texel{240, 30, 30, 255}; }));
  const GLuint stripes = makeTexture(
      4, 4, picture(4, 4, [](int x, int) {
        return x == 0 ? Texel{255, 255, 255, 255} : x == 3 ? Texel{0, 0, 0, 255} : Texel{40, 200, 60, 255};
      }));
  const GLuint solidBlue = makeTexture(4, 4, picture(4, 4, [](int, int) { return Texel{30, 60, 240, 255}; }));
  const GLuint clamped = makeTexture(
      4, 4,
      picture(4, 4,
              [](int x, int y) {
                return Texel{static_cast<std::uint8_t>(60 * x), 200, static_cast<std::uint8_t>(60 * y), 255};
              }),
      GL_LINEAR, GL_CLAMP_TO_EDGE);
  glEnable(GL_TEXTURE_2D);
  const GLuint order[] = {solidRed, stripes, solidBlue, clamped};
  for (int i = 0; i < 4; ++i) {
    glBindTexture(GL_TEXTURE_2D, order[i]);
    const float x = 24.0f + 250.0f * static_cast<float>(i);
    texturedRect(x, 100.0f, x + 225.0f, 700.0f);
  }
  glDisable(GL_TEXTURE_2D);
  glDeleteTextures(4, order);
}

void textureParameterAfterUpload(CaseContext&) {
  pixelSpace();
  const GLuint texture = checkerTexture();
  glEnable(GL_TEXTURE_2D);
  // Drawn first as uploaded (linear), then after each change: the draws
  // before a change keep the sampling they were issued with.
  texturedRect(20.0f, 400.0f, 320.0f, 700.0f);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  texturedRect(360.0f, 400.0f, 660.0f, 700.0f);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  texturedRect(700.0f, 400.0f, 1000.0f, 700.0f, -0.5f, 0.0f, 1.5f, 1.0f);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  texturedRect(20.0f, 50.0f, 470.0f, 350.0f, -0.5f, 0.0f, 1.5f, 1.0f);
  // Asking for mipmaps after the upload leaves the texture incomplete.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glColor3f(0.9f, 0.3f, 0.6f);
  texturedRect(520.0f, 50.0f, 1000.0f, 350.0f);
  glDisable(GL_TEXTURE_2D);
  glDeleteTextures(1, &texture);
}

}  // namespace

std::vector<GlCase> textureCases() {
  return {
      {"npot_screen_repeat", npotScreenRepeat},
      {"npot_picture_repeat", npotPictureRepeat},
      {"glyph_luminance_alpha", glyphLuminanceAlpha},
      {"texture_disabled_untextured", textureDisabledUntextured},
      {"texture_incomplete_untextured", textureIncompleteUntextured},
      {"atlas_interleaved_overlap", atlasInterleavedOverlap},
      {"atlas_edges_magnified", atlasEdgesMagnified},
      {"texture_parameter_after_upload", textureParameterAfterUpload},
  };
}
