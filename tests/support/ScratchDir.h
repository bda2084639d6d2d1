#pragma once
// A temporary working directory with an empty res/ tree. The game reads its
// assets from ./res/, so a test writes the pictures it needs here and runs with
// this as its working directory; the previous one is restored afterwards.

#include <cstdint>
#include <filesystem>
#include <string>

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Path of a file directly inside the scratch directory.
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  // Path of res/images/<name> inside the scratch directory.
  std::string image(const std::string& name) const;
  // Writes a small picture in one colour at ./res/images/<name>.
  void solidImage(const std::string& name, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                  std::uint8_t a = 255) const;

  static constexpr int kSolidSide = 8;  // pixels

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};
