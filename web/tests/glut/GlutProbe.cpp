// A GLUT program that only reports: every callback the browser's GLUT makes,
// with its arguments and, where GLUT defines it, glutGetModifiers(), goes
// into a list on the page that the browser tests (glut.test.js) read after
// driving the page with real input. It uses nothing but the GLUT and GL calls
// any GLUT program has, so what it sees is what the game sees.

#include <GL/glut.h>

#include <initializer_list>
#include <vector>

#include "assets/SceneLayout.h"

// From library_glut_probe.js: one callback, its first `count` arguments.
extern "C" void plombrixProbeRecord(const char* callback, int count, int a, int b, int c, int d,
                                    int modifiers);

namespace {

// glutGetModifiers is only defined inside the mouse, keyboard and special
// callbacks: the others record none.
void record(const char* callback, std::initializer_list<int> args, bool input = false) {
  std::vector<int> all(args);
  all.resize(4);
  plombrixProbeRecord(callback, static_cast<int>(args.size()), all[0], all[1], all[2], all[3],
                      input ? glutGetModifiers() : 0);
}

void onDisplay() {
  record("display", {glutGet(GLUT_ELAPSED_TIME)});
  // A colour no blank canvas has, so a screenshot tells a drawn frame apart.
  glClearColor(0.2f, 0.6f, 0.3f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(SceneLayout::kWindowWidth, SceneLayout::kWindowHeight);
  if (glutCreateWindow("GLUT probe") == 0) return 1;
  glutReshapeFunc([](int width, int height) {
    record("reshape", {width, height});
    glViewport(0, 0, width, height);
  });
  glutDisplayFunc(onDisplay);
  // Like the game, a frame on every turn of the main loop.
  glutIdleFunc([] {
    record("idle", {});
    glutPostRedisplay();
  });
  glutMouseFunc([](int button, int state, int x, int y) { record("mouse", {button, state, x, y}, true); });
  glutMotionFunc([](int x, int y) { record("motion", {x, y}); });
  glutPassiveMotionFunc([](int x, int y) { record("passiveMotion", {x, y}); });
  glutKeyboardFunc([](unsigned char key, int x, int y) { record("keyboard", {key, x, y}, true); });
  glutKeyboardUpFunc([](unsigned char key, int x, int y) { record("keyboardUp", {key, x, y}, true); });
  glutSpecialFunc([](int key, int x, int y) { record("special", {key, x, y}, true); });
  glutSpecialUpFunc([](int key, int x, int y) { record("specialUp", {key, x, y}, true); });
  glutIgnoreKeyRepeat(1);
  glutMainLoop();
  return 0;
}
