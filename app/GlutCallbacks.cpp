#include "app/GlutCallbacks.h"

#include "app/FrameClock.h"
#include "gfx/GlIncludes.h"
#include "view/Camera.h"
#include "view/Pointer.h"

void onReshape(int width, int height) { Camera::instance().reshape(width, height); }
void onDisplay() { FrameClock::instance().drawFrame(); }
void onIdle() { FrameClock::instance().requestRedisplay(); }
void onMotion(int x, int y) { Pointer::instance().onDrag(x, y); }
void onPassiveMotion(int x, int y) { Pointer::instance().onHover(x, y); }
void onMouse(int button, int state, int x, int y) { Pointer::instance().onButton(button, state, x, y); }
void onKeyboard(unsigned char key, int x, int y) { Pointer::instance().onKey(key, x, y); }
void onKeyIgnored(unsigned char, int, int) {}
void onSpecialIgnored(int, int, int) {}

void registerCallbacks() {
  glutReshapeFunc(onReshape);
  glutDisplayFunc(onDisplay);
  glutIdleFunc(onIdle);
  glutMotionFunc(onMotion);
  glutPassiveMotionFunc(onPassiveMotion);
  glutMouseFunc(onMouse);
  glutKeyboardFunc(onKeyboard);
  glutKeyboardUpFunc(onKeyIgnored);
  // GLUT's special-key callbacks take an int key code; the handler drops it
  // all the same.
  glutSpecialFunc(onSpecialIgnored);
  glutSpecialUpFunc(onSpecialIgnored);
}
