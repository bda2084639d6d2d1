#pragma once
// What a conformance case may use besides the GL: where to write scratch
// files, where the test font is, and the list its state checks go to: each
// answer the GL gives beside the value GL documents, so both sides' answers
// are checked in the same run.

#include <sstream>
#include <string>
#include <vector>

#include "gfx/GlIncludes.h"

struct CaseCheck {
  std::string what;
  double answer;
  double expected;
};

class CaseContext {
 public:
  void expect(const std::string& what, double answer, double expected) {
    checks.push_back({what, answer, expected});
  }
  void expectEnabled(const std::string& what, GLenum capability, bool on) {
    expect(what, glIsEnabled(capability), on ? GL_TRUE : GL_FALSE);
  }
  // Element `index` of an integer or a float query.
  void expectInteger(const std::string& what, GLenum name, double expected, int index = 0) {
    GLint values[16] = {};
    glGetIntegerv(name, values);
    expect(what, values[index], expected);
  }
  void expectFloat(const std::string& what, GLenum name, double expected, int index = 0) {
    float values[16] = {};
    glGetFloatv(name, values);
    expect(what, values[index], expected);
  }
  // One check a line: what, the answer and the expected value, tab-separated.
  std::string checksAsText() const {
    std::ostringstream text;
    text.precision(9);
    for (const CaseCheck& c : checks) text << c.what << '\t' << c.answer << '\t' << c.expected << '\n';
    return text.str();
  }

  std::string scratchFolder;
  std::string fontPath;
  std::vector<CaseCheck> checks;
};
