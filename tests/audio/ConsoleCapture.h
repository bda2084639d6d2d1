#pragma once
// Catches everything written to the process's standard output and standard
// error (file descriptors 1 and 2, so C, C++ and library output alike) from
// construction until finish().

#include <string>

class ConsoleCapture {
 public:
  ConsoleCapture();
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;
  ~ConsoleCapture();

  // Restores both streams; afterwards out() and err() hold what was written.
  void finish();
  const std::string& out() const { return out_; }
  const std::string& err() const { return err_; }

 private:
  int savedOut_ = -1;
  int savedErr_ = -1;
  std::string outPath_;
  std::string errPath_;
  std::string out_;
  std::string err_;
};
