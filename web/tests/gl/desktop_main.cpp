// The desktop side of the conformance cases: draws every case with Mesa's
// OpenGL in a real 1024 x 768 GLUT window (under a virtual X server) and
// writes what it drew as the reference the browser's layer is compared with:
//
//   gl_cases_desktop <output folder>
//
// For each case <name>.ppm (its pixels, a picture any viewer opens) and
// <name>.checks (Mesa's answers to its state checks); cases.txt lists the
// cases in order. Exits with 1 when Mesa's own answer differs from what a
// check expects: such a check would be wrong, not the layer.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "GlCase.h"

namespace {
// Both runners answer a float query through the same single-precision value.
constexpr double kCheckTolerance = 1e-5;
constexpr int kMappingEvents = 10;  // GLUT events handled before drawing: the window is mapped by then
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  std::filesystem::create_directories(folder);
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(kWindowWidth, kWindowHeight);
  glutCreateWindow("Plombrix! GL cases");
  glutDisplayFunc([] {});
  for (int i = 0; i < kMappingEvents; ++i) glutMainLoopEvent();

  std::ofstream listing(folder + "/cases.txt");
  int wrongChecks = 0;
  drawCases(folder, PLOMBRIX_GL_CASES_FONT,
            [&](const GlCase& glCase, int width, int height, const std::vector<std::uint8_t>& rgb,
                const CaseContext& context) {
              std::ofstream picture(folder + "/" + glCase.name + ".ppm", std::ios::binary);
              picture << "P6\n" << width << ' ' << height << "\n255\n";
              picture.write(reinterpret_cast<const char*>(rgb.data()),
                            static_cast<std::streamsize>(rgb.size()));
              std::ofstream(folder + "/" + glCase.name + ".checks") << context.checksAsText();
              listing << glCase.name << '\n';
              for (const CaseCheck& check : context.checks) {
                if (std::fabs(check.answer - check.expected) <= kCheckTolerance) continue;
                std::fprintf(stderr, "%s: Mesa answers %g to \"%s\", the case expects %g\n", glCase.name,
                             check.answer, check.what.c_str(), check.expected);
                ++wrongChecks;
              }
            });
  return wrongChecks == 0 && listing ? 0 : 1;
}
