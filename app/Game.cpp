#include "app/Game.h"

#include "app/FrameClock.h"
#include "app/GlutCallbacks.h"
#include "app/ResourceTree.h"
#include "app/VSync.h"
#include "gfx/GlIncludes.h"
#include "view/Camera.h"

namespace {
constexpr int kWindowX = 100;  // pixels from the screen's left edge
constexpr int kWindowY = 100;  // pixels from the screen's top edge
const char* const kWindowTitle = "Plombrix!";
}  // namespace

void openGame(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(Camera::kWindowWidth, Camera::kWindowHeight);
  glutCreateWindow(kWindowTitle);
  glutPositionWindow(kWindowX, kWindowY);
  requestVSync();

  FrameClock::instance().initialise();

  registerCallbacks();
  glutIgnoreKeyRepeat(1);
}

int runGame(int argc, char** argv) {
  // Before anything opens a file: every path in the game is "./res/...".
  // Without a tree the game carries on to the font's own error, which ends it.
  ResourceTree::ofThisProcess().enter();
  openGame(argc, argv);
  glutMainLoop();
  return 0;
}
