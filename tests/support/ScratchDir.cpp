#include "support/ScratchDir.h"

#include <stdlib.h>

#include <stdexcept>

#include "support/TgaWriter.h"

ScratchDir::ScratchDir() : previous_(std::filesystem::current_path()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "plombrix-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a scratch directory");
  path_ = pattern;
  std::filesystem::create_directories(path_ / "res" / "images");
  std::filesystem::create_directories(path_ / "res" / "audio");
  std::filesystem::create_directories(path_ / "res" / "fonts");
  std::filesystem::current_path(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::image(const std::string& name) const { return (path_ / "res" / "images" / name).string(); }

void ScratchDir::solidImage(const std::string& name, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                            std::uint8_t a) const {
  writeSolidTga(image(name), kSolidSide, kSolidSide, r, g, b, a);
}
