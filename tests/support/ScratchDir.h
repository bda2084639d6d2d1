#pragma once
// A temporary working directory with an empty res/ tree. The game reads its
// assets from ./res/, so a test writes the pictures it needs here and runs with
// this as its working directory; the previous one is restored afterwards.

#include <filesystem>
#include <string>

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Path of res/images/<name> inside the scratch directory.
  std::string image(const std::string& name) const;

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};
