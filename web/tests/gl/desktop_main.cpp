// The desktop side of the conformance cases: draws every case with Mesa's
// OpenGL in a real 1024 x 768 GLUT window (under a virtual X server) and
// writes what it drew as the reference the browser's layer is compared with.
//
//   gl_cases_desktop <output folder> [case name]
//
// For each case: <name>.png (the window's pixels) and <name>.checks (its
// state checks, Mesa's answers); cases.txt lists the cases in order. Exits
// with 1 when Mesa's own answer differs from what a check expects: such a
// check would be wrong, not the layer.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "CaseDrawing.h"
#include "GlCase.h"
#include "PngFile.h"

namespace {
// Both runners answer a float query through the same single-precision value.
constexpr double kCheckTolerance = 1e-5;
constexpr int kMappingEvents = 10;  // GLUT events handled before drawing: the window is mapped by then
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <output folder> [case name]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const std::string only = argc > 2 ? argv[2] : "";
  std::filesystem::create_directories(folder);

  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(kCaseWidth, kCaseHeight);
  glutCreateWindow("Plombrix! GL cases");
  glutDisplayFunc([] {});
  for (int i = 0; i < kMappingEvents; ++i) glutMainLoopEvent();

  std::ofstream listing(folder + "/cases.txt");
  int wrongChecks = 0;
  for (const GlCase& glCase : glCases()) {
    if (!only.empty() && only != glCase.name) continue;
    CaseContext context(folder, PLOMBRIX_GL_CASES_FONT);
    const std::vector<unsigned char> rgba = drawCase(glCase, context);
    writePng(folder + "/" + glCase.name + ".png", kCaseWidth, kCaseHeight, rgba);
    std::ofstream(folder + "/" + glCase.name + ".checks") << context.checksAsText();
    listing << glCase.name << '\n';
    for (const CaseCheck& check : context.checks) {
      if (std::fabs(check.answer - check.expected) > kCheckTolerance) {
        std::fprintf(stderr, "%s: Mesa answers %g to \"%s\", the case expects %g\n", glCase.name,
                     check.answer, check.what.c_str(), check.expected);
        ++wrongChecks;
      }
    }
  }
  return wrongChecks == 0 ? 0 : 1;
}
