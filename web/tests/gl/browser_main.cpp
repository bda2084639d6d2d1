// The browser side of the conformance cases: draws every case through the
// web build's GL 1.x layer on the page's WebGL canvas and hands each one's
// pixels and state checks to the page (library_gl_cases.js), where the test
// collects them.

#include "GlCase.h"

extern "C" {
// From library_gl_cases.js.
void plombrixGlCaseDrawn(const char* name, int width, int height, const unsigned char* rgb,
                         const char* checks);
void plombrixGlCasesFinished(int windowMade);
}

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(kWindowWidth, kWindowHeight);
  if (glutCreateWindow("Plombrix! GL cases") == 0) {
    plombrixGlCasesFinished(0);
    return 1;
  }
  // Scratch files go to the page's memory file system, where the font is packed.
  drawCases("/tmp", "/fonts/DejaVuSans.ttf",
            [](const GlCase& glCase, int width, int height, const std::vector<std::uint8_t>& rgb,
               const CaseContext& context) {
              plombrixGlCaseDrawn(glCase.name, width, height, rgb.data(), context.checksAsText().c_str());
            });
  plombrixGlCasesFinished(1);
  return 0;
}
