// The generator is deterministic: two runs write the same files byte for
// byte, and the same as the tree the build wrote.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "AssetFiles.h"

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> readTree(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[fs::relative(entry.path(), root).string()] =
        std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  return files;
}

TEST(AssetBuilder, TwoRunsWriteIdenticalBytes) {
  const fs::path scratch = fs::temp_directory_path() / ("plombrix-assets-" + std::to_string(::getpid()));
  fs::remove_all(scratch);
  ASSERT_EQ(AssetFiles::runGenerator(scratch / "first"), 0);
  ASSERT_EQ(AssetFiles::runGenerator(scratch / "second"), 0);
  const auto first = readTree(scratch / "first");
  const auto second = readTree(scratch / "second");
  const auto built = readTree(AssetFiles::resDir());
  fs::remove_all(scratch);

  EXPECT_GE(first.size(), 21u + 39u + 2u) << "pictures, sounds, music, font and licence";
  ASSERT_EQ(first.size(), second.size());
  for (const auto& [name, bytes] : first) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(second.count(name));
    EXPECT_TRUE(bytes == second.at(name)) << "differs between two runs";
    ASSERT_TRUE(built.count(name)) << "missing from the build's tree";
    EXPECT_TRUE(bytes == built.at(name)) << "differs from the build's tree";
  }
}

}  // namespace
