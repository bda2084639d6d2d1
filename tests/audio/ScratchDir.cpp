#include "ScratchDir.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "plombrix_audio_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a scratch directory");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
