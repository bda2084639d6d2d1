#pragma once
// A temporary working directory with an empty res/ tree. The game reads its
// assets from ./res/, so a test writes the pictures it needs here and runs with
// this as its working directory; the previous one is restored afterwards.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "assets/AssetTree.h"

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Path of a file directly inside the scratch directory.
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  // Path of a file of the game's asset tree inside the scratch directory.
  std::string file(const AssetTree::File& asset) const {
    return (path_ / asset.path).lexically_normal().string();
  }
  // Path of res/images/<name> inside the scratch directory.
  std::string image(const std::string& name) const;
  // Writes a small picture in one colour in the place of one of the game's.
  void solidImage(const AssetTree::File& asset, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                  std::uint8_t a = 255) const;
  // Writes a square picture in the place of one of the game's, opaque white
  // where inside holds for a pixel centre's offset from the picture's centre
  // (pixels, y down) and clear elsewhere: a shape whose edges a drawing test
  // can find.
  using Inside = std::function<bool(float dx, float dy)>;
  void maskImage(const AssetTree::File& asset, const Inside& inside) const;

  static constexpr int kSolidSide = 8;  // pixels
  static constexpr int kMaskSide = 32;  // pixels

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};
