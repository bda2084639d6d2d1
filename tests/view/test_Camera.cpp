#include <gtest/gtest.h>

#include <array>

#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "view/Camera.h"
#include "view/GameState.h"
#include "view/Pointer.h"

namespace {

std::array<float, 16> matrix(GLenum which) {
  std::array<float, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

std::array<int, 4> viewport() {
  std::array<int, 4> v{};
  glGetIntegerv(GL_VIEWPORT, v.data());
  return v;
}

TEST(Camera, WindowPixelsLandOnTheWorldRectangleAndWAndSZoomAtOnceOnEveryScreenButNeverLoseThePicture) {
  struct Case {
    double zoom;  // camera z moved by this
    double sx, sy;
    float x, y;
  };
  // The default camera fills the window with x -4..4, y 0..6 (the pointer's
  // case prints its centre and top-left corner); outside the window the
  // pointer sticks to the nearest point of the border.
  for (const Case& c : {Case{0.0, 1024, 768, 4.0f, 0.0f},
                        {0.0, -50, 900, -4.0f, 0.0f},
                        {-0.5, 0, 0, -4.6667f, 6.5f},
                        {-0.5, 512, 384, 0.0f, 3.0f}}) {
    Camera camera;
    camera.move(0, 0, c.zoom);
    const auto world = camera.viewToWorld(c.sx, c.sy);
    EXPECT_NEAR(world.x, c.x, 1e-4f) << "pixel (" << c.sx << ", " << c.sy << ") zoom " << c.zoom;
    EXPECT_NEAR(world.y, c.y, 1e-4f) << "pixel (" << c.sx << ", " << c.sy << ") zoom " << c.zoom;
  }
  GlTestWindow::open();
  GameState = kTitleScreen;
  Pointer& pointer = Pointer::instance();
  pointer.onKey('w', 0, 0);
  pointer.onKey('w', 0, 0);
  EXPECT_DOUBLE_EQ(Camera::instance().offsetZ, -4.0);
  EXPECT_FLOAT_EQ(matrix(GL_MODELVIEW_MATRIX)[14], -4.0f)
      << "the picture must zoom without waiting for a reshape";
  pointer.onKey('s', 0, 0);
  EXPECT_DOUBLE_EQ(Camera::instance().offsetZ, -3.5);
  for (unsigned char other : {'W', 'S', 'a', ' ', '\033'}) pointer.onKey(other, 0, 0);
  EXPECT_DOUBLE_EQ(Camera::instance().offsetZ, -3.5) << "only lower-case w and s zoom";
  EXPECT_EQ(GameState, kTitleScreen) << "keys never move the screens on";

  // Held down, 's' stops while the stomach still fills the window in front of
  // the eye, and the pointer still maps to where the bubbles are drawn.
  for (int press = 0; press < 10; ++press) pointer.onKey('s', 0, 0);
  EXPECT_DOUBLE_EQ(Camera::instance().offsetZ, -Camera::kNearestEye);
  EXPECT_FLOAT_EQ(matrix(GL_MODELVIEW_MATRIX)[14], static_cast<float>(-Camera::kNearestEye));
  const auto centre = Camera::instance().viewToWorld(512, 384);
  const auto corner = Camera::instance().viewToWorld(0, 0);
  EXPECT_NEAR(centre.y, 3.0f, 1e-5f);
  EXPECT_NEAR(corner.y - centre.y, Camera::kNearestEye, 1e-5)
      << "90 degrees: half the height is the distance";

  // And 'w' stops before the picture shrinks to a speck.
  for (int press = 0; press < 40; ++press) pointer.onKey('w', 0, 0);
  EXPECT_DOUBLE_EQ(Camera::instance().offsetZ, -Camera::kFarthestEye);
  const auto farCorner = Camera::instance().viewToWorld(0, 0);
  EXPECT_LT(farCorner.y - centre.y, 10.0) << "the 8 x 6 world must still fill a good part of the window";
  EXPECT_DOUBLE_EQ(Camera::instance().offsetX, 0.0);
  EXPECT_DOUBLE_EQ(Camera::instance().offsetY, -3.0);
  Camera::instance() = Camera();
}

// The end-to-end run sees the window itself put back to 1024 x 768.
TEST(CameraReshape, TheRightSizeClearsAndLoadsTheViewportAnyOtherChangesNothing) {
  GlTestWindow& window = GlTestWindow::open();
  Camera& camera = Camera::instance();
  glViewport(1, 2, 3, 4);
  const auto projectionBefore = matrix(GL_PROJECTION_MATRIX);
  const auto modelViewBefore = matrix(GL_MODELVIEW_MATRIX);
  camera.reshape(800, 600);
  EXPECT_EQ(viewport(), (std::array<int, 4>{1, 2, 3, 4})) << "a wrong size must not touch the viewport";
  EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projectionBefore);
  EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), modelViewBefore);
  EXPECT_TRUE(camera.width == 1024 && camera.height == 768);
  // Whatever the window held before (another size's leftovers) is cleared.
  glClearColor(1.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  camera.reshape(1024, 768);
  EXPECT_TRUE(near(window.pixel(512, 384), 0, 0, 0)) << "a reshape must clear the window";
  EXPECT_EQ(viewport(), (std::array<int, 4>{0, 0, 1024, 768}));
  // The drawing tests place every picture by the projection and eye this loads.
}

}  // namespace
