#pragma once
// What a conformance case may use besides the GL: where to write scratch
// files, where the test font is, and the list its state checks go to. A case
// may ask the GL about its state; each answer is recorded with the value GL
// documents, so both sides' answers can be checked in the same run.

#include <string>
#include <utility>
#include <vector>

struct CaseCheck {
  std::string what;
  double answer;
  double expected;
};

class CaseContext {
 public:
  CaseContext(std::string scratchFolder, std::string fontPath)
      : scratchFolder(std::move(scratchFolder)), fontPath(std::move(fontPath)) {}

  void expect(const std::string& what, double answer, double expected) {
    checks.push_back({what, answer, expected});
  }
  // The checks as text, one a line: what, the answer and the expected value,
  // separated by tabs.
  std::string checksAsText() const;

  std::string scratchFolder;
  std::string fontPath;
  std::vector<CaseCheck> checks;
};
