#pragma once
// A fresh directory under the system's temporary folder for one test's files,
// removed with everything in it when the test ends.

#include <filesystem>
#include <string>

class ScratchDir {
 public:
  ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  ~ScratchDir();

  const std::filesystem::path& path() const { return path_; }
  // The full path of a file name inside the directory.
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};
