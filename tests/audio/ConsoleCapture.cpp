#include "ConsoleCapture.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

std::string tempPath(const char* name) {
  return (std::filesystem::temp_directory_path() /
          ("plombrix_console_" + std::to_string(getpid()) + "_" + name))
      .string();
}

int redirect(int fd, const std::string& path) {
  const int saved = dup(fd);
  const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  dup2(file, fd);
  close(file);
  return saved;
}

std::string slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

ConsoleCapture::ConsoleCapture() : outPath_(tempPath("out")), errPath_(tempPath("err")) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  savedOut_ = redirect(STDOUT_FILENO, outPath_);
  savedErr_ = redirect(STDERR_FILENO, errPath_);
}

ConsoleCapture::~ConsoleCapture() { finish(); }

void ConsoleCapture::finish() {
  if (savedOut_ < 0) return;
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  dup2(savedOut_, STDOUT_FILENO);
  dup2(savedErr_, STDERR_FILENO);
  close(savedOut_);
  close(savedErr_);
  savedOut_ = savedErr_ = -1;
  out_ = slurp(outPath_);
  err_ = slurp(errPath_);
  std::filesystem::remove(outPath_);
  std::filesystem::remove(errPath_);
}
