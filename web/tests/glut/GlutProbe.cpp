// A GLUT program that only reports: every callback the browser's GLUT makes,
// with its arguments and, where GLUT defines it, glutGetModifiers(), goes
// into a list on the page that the browser tests (glut.test.js) read after
// driving the page with real input. It uses nothing but the GLUT and GL calls
// any GLUT program has, so what it sees is what the game sees.

#include <GL/glut.h>

// From library_glut_probe.js: one callback, its first `count` arguments.
extern "C" void plombrixProbeRecord(const char* callback, int count, int a, int b, int c, int d,
                                    int modifiers);

namespace {

constexpr int kWindowWidth = 1024;  // pixels, the game's window
constexpr int kWindowHeight = 768;  // pixels
// A colour no blank canvas has, so a screenshot tells a drawn frame apart.
constexpr float kClearRed = 0.2f;
constexpr float kClearGreen = 0.6f;
constexpr float kClearBlue = 0.3f;
// glutGetModifiers is only defined inside the mouse, keyboard and special
// callbacks; the others record no modifiers.
constexpr int kNoModifiers = 0;

void record(const char* callback) { plombrixProbeRecord(callback, 0, 0, 0, 0, 0, kNoModifiers); }
void record(const char* callback, int a) { plombrixProbeRecord(callback, 1, a, 0, 0, 0, kNoModifiers); }
void record(const char* callback, int a, int b) {
  plombrixProbeRecord(callback, 2, a, b, 0, 0, kNoModifiers);
}
void recordInput(const char* callback, int a, int b, int c) {
  plombrixProbeRecord(callback, 3, a, b, c, 0, glutGetModifiers());
}
void recordInput(const char* callback, int a, int b, int c, int d) {
  plombrixProbeRecord(callback, 4, a, b, c, d, glutGetModifiers());
}

void onDisplay() {
  record("display", glutGet(GLUT_ELAPSED_TIME));
  glClearColor(kClearRed, kClearGreen, kClearBlue, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glutSwapBuffers();
}

void onReshape(int width, int height) {
  record("reshape", width, height);
  glViewport(0, 0, width, height);
}

// Like the game, a frame on every turn of the main loop.
void onIdle() {
  record("idle");
  glutPostRedisplay();
}

void onMouse(int button, int state, int x, int y) { recordInput("mouse", button, state, x, y); }
void onMotion(int x, int y) { record("motion", x, y); }
void onPassiveMotion(int x, int y) { record("passiveMotion", x, y); }
void onKeyboard(unsigned char key, int x, int y) { recordInput("keyboard", key, x, y); }
void onKeyboardUp(unsigned char key, int x, int y) { recordInput("keyboardUp", key, x, y); }
void onSpecial(int key, int x, int y) { recordInput("special", key, x, y); }
void onSpecialUp(int key, int x, int y) { recordInput("specialUp", key, x, y); }

}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(kWindowWidth, kWindowHeight);
  if (glutCreateWindow("GLUT probe") == 0) return 1;
  glutReshapeFunc(onReshape);
  glutDisplayFunc(onDisplay);
  glutIdleFunc(onIdle);
  glutMouseFunc(onMouse);
  glutMotionFunc(onMotion);
  glutPassiveMotionFunc(onPassiveMotion);
  glutKeyboardFunc(onKeyboard);
  glutKeyboardUpFunc(onKeyboardUp);
  glutSpecialFunc(onSpecial);
  glutSpecialUpFunc(onSpecialUp);
  glutIgnoreKeyRepeat(1);
  glutMainLoop();
  return 0;
}
