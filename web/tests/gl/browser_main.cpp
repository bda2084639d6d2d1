// The browser side of the conformance cases: draws every case through the
// web build's GL 1.x layer on the page's WebGL canvas and hands each picture
// and its state checks to the page (library_gl_cases.js), where the test
// collects them. Runs all cases at once, when the page has loaded.

#include "CaseDrawing.h"
#include "GlCase.h"

extern "C" {
// From library_gl_cases.js.
void plombrixGlCaseDrawn(const char* name, const unsigned char* rgba, int bytes, const char* checks);
void plombrixGlCasesFinished(int windowMade);
}

namespace {
// Written by the cases' own files; the font is packed with the program there.
constexpr const char* kScratchFolder = "/tmp";
constexpr const char* kFontPath = "/fonts/DejaVuSans.ttf";
}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(kCaseWidth, kCaseHeight);
  if (glutCreateWindow("Plombrix! GL cases") == 0) {
    plombrixGlCasesFinished(0);
    return 1;
  }
  for (const GlCase& glCase : glCases()) {
    CaseContext context(kScratchFolder, kFontPath);
    const std::vector<unsigned char> rgba = drawCase(glCase, context);
    plombrixGlCaseDrawn(glCase.name, rgba.data(), static_cast<int>(rgba.size()),
                        context.checksAsText().c_str());
  }
  plombrixGlCasesFinished(1);
  return 0;
}
