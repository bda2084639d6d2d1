#include "support/ScratchDir.h"

#include <stdlib.h>

#include <stdexcept>
#include <vector>

#include "support/TgaWriter.h"

ScratchDir::ScratchDir() : previous_(std::filesystem::current_path()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "plombrix-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a scratch directory");
  path_ = pattern;
  for (const AssetTree::File& asset : AssetTree::kEveryFile)
    std::filesystem::create_directories(std::filesystem::path(file(asset)).parent_path());
  std::filesystem::current_path(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::image(const std::string& name) const {
  return (path_ / "res" / "images" / name).string();
}

void ScratchDir::solidImage(const AssetTree::File& asset, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                            std::uint8_t a) const {
  writeSolidTga(file(asset), kSolidSide, kSolidSide, r, g, b, a);
}

void ScratchDir::maskImage(const AssetTree::File& asset, const Inside& inside) const {
  std::vector<std::uint8_t> rgba;
  for (int row = 0; row < kMaskSide; ++row) {
    for (int column = 0; column < kMaskSide; ++column) {
      const float half = kMaskSide / 2.0f;
      const std::uint8_t level = inside(column + 0.5f - half, row + 0.5f - half) ? 255 : 0;
      rgba.insert(rgba.end(), {level, level, level, level});
    }
  }
  writeTga(file(asset), TgaLayout{kMaskSide, kMaskSide, 32, false, true}, rgba);
}
