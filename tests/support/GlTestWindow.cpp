#include "support/GlTestWindow.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/GlState.h"
#include "gfx/GlIncludes.h"
#include "view/Camera.h"

// Before a process's first window. Mesa unloads its software driver at exit,
// before the leak checker reads the stacks, so the driver's long-lived
// allocations would show up as leaks of an unknown module no suppression can
// name: held loaded, the driver keeps its name on them (see tests/lsan.supp).
// And the virtual X server resets whenever its last client leaves, refusing
// connections meanwhile: wait for it, and hold a connection so it stays up.
void GlTestWindow::beforeFirstWindow() {
  for (const char* driver : {"swrast_dri.so", "kms_swrast_dri.so"}) {
    const std::string path = std::string("/usr/lib/x86_64-linux-gnu/dri/") + driver;
    dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
  }
  static Display* held = nullptr;
  for (int tries = 0; tries < 100 && (held = XOpenDisplay(nullptr)) == nullptr; ++tries) usleep(50000);
}

GlTestWindow& GlTestWindow::open() {
  static GlTestWindow* shared = [] {
    beforeFirstWindow();
    auto* created = new GlTestWindow();
    int argc = 1;
    char name[] = "plombrix-test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_ALPHA);
    glutInitWindowSize(Camera::kWindowWidth, Camera::kWindowHeight);
    glutCreateWindow("plombrix-test");
    glutPositionWindow(0, 0);
    glutDisplayFunc([] {});
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    // Let the window be mapped, so that what a swap shows can be read back.
    for (int i = 0; i < 10; ++i) glutMainLoopEvent();
    return created;
  }();
  applyFixedGlState();
  Camera::instance() = Camera();
  Camera::instance().reshape(Camera::kWindowWidth, Camera::kWindowHeight);
  for (GLenum capability : {GL_TEXTURE_2D, GL_BLEND, GL_ALPHA_TEST}) glDisable(capability);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  shared->clear();
  return *shared;
}

void GlTestWindow::clear() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

Rgba GlTestWindow::pixel(int x, int y) const {
  unsigned char rgba[4] = {0, 0, 0, 0};
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, Camera::kWindowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

::testing::AssertionResult GlTestWindow::shows(float wx, float wy, int r, int g, int b, int tolerance) const {
  const auto p = worldToPixel(wx, wy);
  return near(pixel(p[0], p[1]), r, g, b, tolerance) << " at (" << wx << ", " << wy << ")";
}

std::array<int, 2> GlTestWindow::worldToPixel(float wx, float wy) {
  // The default camera fills the window with the world rectangle.
  constexpr double kPixelsPerUnit = Camera::kWindowHeight / (Camera::kWorldTop - Camera::kWorldBottom);
  return {static_cast<int>(std::lround((wx - Camera::kWorldLeft) * kPixelsPerUnit)),
          static_cast<int>(std::lround((Camera::kWorldTop - wy) * kPixelsPerUnit))};
}

int GlTestWindow::modelViewDepth() {
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  return depth;
}

::testing::AssertionResult near(const Rgba& colour, int r, int g, int b, int tolerance) {
  const bool close = std::abs(colour.r - r) <= tolerance && std::abs(colour.g - g) <= tolerance &&
                     std::abs(colour.b - b) <= tolerance;
  auto result = close ? ::testing::AssertionSuccess() : ::testing::AssertionFailure();
  return result << "pixel is (" << colour.r << ", " << colour.g << ", " << colour.b << ", " << colour.a
                << "), wanted about (" << r << ", " << g << ", " << b << ")";
}
