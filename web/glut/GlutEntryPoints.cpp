// The GLUT entry points of the browser build: each forwards to the one
// WebWindow.

#include <GL/glut.h>

#include "web/gl/LegacyGl.h"
#include "web/glut/WebWindow.h"

namespace {
WebWindow& window() { return WebWindow::instance(); }
constexpr int kWindowId = 1;  // the page has one canvas, so one window
}  // namespace

extern "C" {

void glutInit(int*, char**) { window().initialise(); }
void glutInitDisplayMode(unsigned int) {}
void glutInitWindowSize(int width, int height) { window().setInitialSize(width, height); }
void glutInitWindowPosition(int, int) {}
int glutCreateWindow(const char* title) { return window().create(title) ? kWindowId : 0; }
void glutSetWindowTitle(const char* title) { window().setTitle(title); }
// The canvas sits where the page puts it.
void glutPositionWindow(int, int) {}
void glutReshapeWindow(int width, int height) { window().requestSize(width, height); }

void glutDisplayFunc(void (*callback)(void)) { window().display = callback; }
void glutReshapeFunc(void (*callback)(int, int)) { window().reshape = callback; }
void glutIdleFunc(void (*callback)(void)) { window().idle = callback; }
void glutMouseFunc(void (*callback)(int, int, int, int)) { window().mouse = callback; }
void glutMotionFunc(void (*callback)(int, int)) { window().motion = callback; }
void glutPassiveMotionFunc(void (*callback)(int, int)) { window().passiveMotion = callback; }
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) { window().keyboard = callback; }
void glutKeyboardUpFunc(void (*callback)(unsigned char, int, int)) { window().keyboardUp = callback; }
void glutSpecialFunc(void (*callback)(int, int, int)) { window().special = callback; }
void glutSpecialUpFunc(void (*callback)(int, int, int)) { window().specialUp = callback; }

void glutIgnoreKeyRepeat(int ignore) { window().ignoreKeyRepeat = ignore != 0; }
int glutGetModifiers(void) { return window().modifiers(); }

int glutGet(GLenum what) {
  switch (what) {
    case GLUT_ELAPSED_TIME:
      return window().elapsedMs();
    case GLUT_WINDOW_WIDTH:
      return window().width;
    case GLUT_WINDOW_HEIGHT:
      return window().height;
    case GLUT_SCREEN_WIDTH:
      return window().width;
    case GLUT_SCREEN_HEIGHT:
      return window().height;
    default:
      return 0;
  }
}

void glutPostRedisplay(void) { window().redisplayPending = true; }
// The browser shows the canvas when the animation frame ends; all that is left
// to do is hand it every primitive still collected.
void glutSwapBuffers(void) { LegacyGl::instance().flush(); }
void glutMainLoop(void) { window().mainLoop(); }

}  // extern "C"
