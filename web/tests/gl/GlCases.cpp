#include <cmath>

#include "GlCase.h"
#include "app/GlState.h"
#include "view/Camera.h"

namespace {

constexpr int kQuadrantWidth = kWindowWidth / 2;    // pixels
constexpr int kQuadrantHeight = kWindowHeight / 2;  // pixels

// Every case in the order both runners draw them, up to four to a picture.
std::vector<std::vector<GlCase>> pictures() {
  std::vector<std::vector<GlCase>> all;
  for (auto theme :
       {listCases, attributeCases, transformAndColourCases, textureCases, rasterCases, gameCases}) {
    for (const GlCase& glCase : theme()) {
      if (glCase.wholeWindow || all.empty() || all.back().size() == 4 || all.back()[0].wholeWindow)
        all.emplace_back();
      all.back().push_back(glCase);
    }
  }
  return all;
}

// Where case `index` of a picture draws, in window pixels from the bottom-left.
struct Region {
  int x, y, width, height;
};
Region regionOf(const GlCase& glCase, std::size_t index) {
  if (glCase.wholeWindow) return {0, 0, kWindowWidth, kWindowHeight};
  return {int(index % 2) * kQuadrantWidth, index < 2 ? kQuadrantHeight : 0, kQuadrantWidth, kQuadrantHeight};
}

void startCase(const Region& region) {
  glViewport(region.x, region.y, region.width, region.height);
  for (GLenum mode : {GL_PROJECTION, GL_MODELVIEW}) {
    glMatrixMode(mode);
    glLoadIdentity();
  }
  applyFixedGlState();
  for (GLenum capability : {GL_TEXTURE_2D, GL_BLEND, GL_ALPHA_TEST}) glDisable(capability);
  glBlendFunc(GL_ONE, GL_ZERO);
  glAlphaFunc(GL_ALWAYS, 0.0f);
  glDepthMask(GL_TRUE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glLineWidth(1.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glTexCoord2f(0.0f, 0.0f);
  glNormal3f(0.0f, 0.0f, 1.0f);
  glListBase(0);
  glBindTexture(GL_TEXTURE_2D, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

}  // namespace

void drawCases(const std::string& scratchFolder, const std::string& fontPath, const CaseSink& sink) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kWindowWidth) * kWindowHeight * 4);
  for (const std::vector<GlCase>& cases : pictures()) {
    startCase({0, 0, kWindowWidth, kWindowHeight});
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    std::vector<CaseContext> contexts;
    for (std::size_t i = 0; i < cases.size(); ++i) {
      startCase(regionOf(cases[i], i));
      CaseContext& context = contexts.emplace_back(CaseContext{scratchFolder, fontPath, {}});
      cases[i].draw(context);
      // A case that leaves an error or an unbalanced stack would spoil the next.
      context.expect("no GL error left by the case", glGetError(), GL_NO_ERROR);
      context.expectInteger("model-view stack back at depth 1", GL_MODELVIEW_STACK_DEPTH, 1);
      context.expectInteger("projection stack back at depth 1", GL_PROJECTION_STACK_DEPTH, 1);
      context.expectInteger("attribute stack empty", GL_ATTRIB_STACK_DEPTH, 0);
    }
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (std::size_t i = 0; i < cases.size(); ++i) {
      const Region region = regionOf(cases[i], i);
      std::vector<std::uint8_t> rgb;
      for (int y = region.y + region.height - 1; y >= region.y; --y) {
        for (int x = region.x; x < region.x + region.width; ++x) {
          const std::uint8_t* pixel = &rgba[(static_cast<std::size_t>(y) * kWindowWidth + x) * 4];
          rgb.insert(rgb.end(), pixel, pixel + 3);
        }
      }
      sink(cases[i], region.width, region.height, rgb, contexts[i]);
    }
  }
}

std::uint8_t byteOf(double unit) {
  return static_cast<std::uint8_t>(std::lround(255.0 * std::fmin(1.0, std::fmax(0.0, unit))));
}

void pixelSpace() {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, viewport[2], 0.0, viewport[3], -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void gameCamera() {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  // The camera clears the window as it loads its matrices: masked, so the
  // other quadrants keep what their cases drew.
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glDepthMask(GL_FALSE);
  Camera::instance() = Camera();
  Camera::instance().reshape(Camera::kWindowWidth, Camera::kWindowHeight);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
}

void rect(float x0, float y0, float x1, float y1, float z) {
  glBegin(GL_QUADS);
  for (const auto& [x, y] : {std::pair{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}) glVertex3f(x, y, z);
  glEnd();
}

void texturedRect(float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1, float z) {
  const float corners[4][4] = {{x0, y0, s0, t1}, {x1, y0, s1, t1}, {x1, y1, s1, t0}, {x0, y1, s0, t0}};
  glBegin(GL_QUADS);
  for (const auto& [x, y, s, t] : corners) {
    glTexCoord2f(s, t);
    glVertex3f(x, y, z);
  }
  glEnd();
}

void shape(const Colour& c, GLenum mode, std::initializer_list<float> xy) {
  glColor4f(c.r, c.g, c.b, c.a);
  glBegin(mode);
  for (const float* p = xy.begin(); p != xy.end(); p += 2) glVertex2f(p[0], p[1]);
  glEnd();
}

void rect(const Colour& c, float x0, float y0, float x1, float y1, float z) {
  glColor4f(c.r, c.g, c.b, c.a);
  rect(x0, y0, x1, y1, z);
}

void texturedRect(const Colour& c, float x0, float y0, float x1, float y1, float s0, float t0, float s1,
                  float t1, float z) {
  glColor4f(c.r, c.g, c.b, c.a);
  texturedRect(x0, y0, x1, y1, s0, t0, s1, t1, z);
}

std::vector<std::uint8_t> picture(int width, int height, const std::function<Texel(int x, int y)>& texel) {
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Texel t = texel(x, y);
      rgba.insert(rgba.end(), {t.r, t.g, t.b, t.a});
    }
  }
  return rgba;
}

GLuint makeTexture(int width, int height, const std::vector<std::uint8_t>& bytes, GLint filter, GLint wrap,
                   GLenum format) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  for (GLenum axis : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}) glTexParameteri(GL_TEXTURE_2D, axis, wrap);
  for (GLenum way : {GL_TEXTURE_MAG_FILTER, GL_TEXTURE_MIN_FILTER})
    glTexParameteri(GL_TEXTURE_2D, way, filter);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, format, GL_UNSIGNED_BYTE, bytes.data());
  return name;
}

GLuint compileBlocks(int count, float brightness, float side, float advance) {
  const GLuint base = glGenLists(count);
  for (int i = 0; i < count; ++i) {
    glNewList(base + static_cast<GLuint>(i), GL_COMPILE);
    glColor3f(brightness * static_cast<float>((i * 5) % 7) / 6.0f,
              brightness * static_cast<float>(i % 3) / 2.0f,
              brightness * (1.0f - static_cast<float>(i % 4) / 4.0f));
    rect(0.0f, 0.0f, side, side);
    glTranslatef(advance, 0.0f, 0.0f);
    glEndList();
  }
  return base;
}
