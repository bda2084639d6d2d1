#include "CaseDrawing.h"

#include "view/Camera.h"

void pixelSpace() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, kCaseWidth, 0.0, kCaseHeight, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void gameCamera() {
  Camera::instance() = Camera();
  Camera::instance().reshape(Camera::kWindowWidth, Camera::kWindowHeight);
}

void rect(float x0, float y0, float x1, float y1, float z) {
  glBegin(GL_QUADS);
  glVertex3f(x0, y0, z);
  glVertex3f(x1, y0, z);
  glVertex3f(x1, y1, z);
  glVertex3f(x0, y1, z);
  glEnd();
}

void texturedRect(float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1, float z) {
  glBegin(GL_QUADS);
  glTexCoord2f(s0, t1);
  glVertex3f(x0, y0, z);
  glTexCoord2f(s1, t1);
  glVertex3f(x1, y0, z);
  glTexCoord2f(s1, t0);
  glVertex3f(x1, y1, z);
  glTexCoord2f(s0, t0);
  glVertex3f(x0, y1, z);
  glEnd();
}

std::vector<std::uint8_t> picture(int width, int height, const std::function<Texel(int x, int y)>& texel) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Texel t = texel(x, y);
      rgba.insert(rgba.end(), {t.r, t.g, t.b, t.a});
    }
  }
  return rgba;
}

GLuint makeTexture(int width, int height, const std::vector<std::uint8_t>& rgba, GLint filter, GLint wrap) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return name;
}
