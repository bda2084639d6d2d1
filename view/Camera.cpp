#include "view/Camera.h"

#include <algorithm>
#include <cmath>

#include "gfx/GlIncludes.h"
#include "util/MathHelpers.h"

namespace {
constexpr double kAspect = 4.0 / 3.0;
constexpr double kNearPlane = 0.001;  // world units in front of the eye
constexpr double kFarPlane = 20.0;
}  // namespace

Camera& Camera::instance() {
  static Camera* camera = new Camera();
  return *camera;
}

void Camera::reshape(int newWidth, int newHeight) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (newWidth != kWindowWidth || newHeight != kWindowHeight) {
    // GLUT reports the restored size with a further reshape, which passes.
    glutReshapeWindow(kWindowWidth, kWindowHeight);
    return;
  }
  width = kWindowWidth;
  height = kWindowHeight;
  glViewport(0, 0, kWindowWidth, kWindowHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fovY, kAspect, kNearPlane, kFarPlane);
  loadModelView();
}

void Camera::move(double dx, double dy, double dz) {
  offsetX += dx;
  offsetY += dy;
  offsetZ = std::clamp(offsetZ + dz, -kFarthestEye, -kNearestEye);
  loadModelView();
}

void Camera::loadModelView() const {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(static_cast<float>(offsetX), static_cast<float>(offsetY), static_cast<float>(offsetZ));
}

double Camera::halfExtent() const {
  const float halfFov = static_cast<float>(fovY * 0.5);
  return std::fabs(offsetZ) * std::tan(degToRad(halfFov));
}

Camera::WorldPoint Camera::viewToWorld(double sx, double sy) const {
  if (sx < 0) {
    sx = 0;
  } else if (sx > width) {
    sx = width;
  }
  if (sy < 0) {
    sy = 0;
  } else if (sy > height) {
    sy = height;
  }
  // Both axes are divided by half the height (in whole pixels), so a pixel is
  // the same world length across and down, and v grows upwards.
  const float cx = static_cast<float>(sx - width / 2);
  const float cy = static_cast<float>(sy - height / 2);
  const double k = 1.0 / (height / 2);
  const double u = cx * k;
  const double v = -(cy * k);
  const double half = halfExtent();
  return {static_cast<float>(half * u - offsetX), static_cast<float>(half * v - offsetY)};
}
