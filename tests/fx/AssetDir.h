#pragma once
// A throw-away working directory with an empty "res/images" tree, so the game's
// "./res/images/..." paths resolve to images the test writes itself. Changes
// into it on construction and back out (removing it) on destruction.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/TgaWriter.h"

class AssetDir {
 public:
  AssetDir() : previous(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "plombrix-fx-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary directory");
    root = pattern;
    std::filesystem::create_directories(root / "res" / "images");
    std::filesystem::current_path(root);
  }
  ~AssetDir() {
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  AssetDir(const AssetDir&) = delete;
  AssetDir& operator=(const AssetDir&) = delete;

  // Writes a small image in one colour at "./res/images/<name>".
  void solidImage(const std::string& name, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                  std::uint8_t a = 255) const {
    writeSolidTga((root / "res" / "images" / name).string(), kSide, kSide, r, g, b, a);
  }

  static constexpr int kSide = 8;  // pixels
  std::filesystem::path previous;
  std::filesystem::path root;
};
