// The generator is deterministic: two runs write the same files byte for
// byte, and the same as the tree the build wrote; and it writes the files of
// the asset tree's description, no more and no fewer (the desktop icons aside,
// which the package installs elsewhere).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "AssetFiles.h"
#include "assets/AssetTree.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> readTree(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), root).string()] =
          (std::ostringstream() << std::ifstream(entry.path(), std::ios::binary).rdbuf()).str();
  return files;
}

TEST(AssetBuilder, TwoRunsWriteIdenticalBytesInExactlyTheDescribedFiles) {
  const ScratchDir scratch;
  for (const char* run : {"first", "second"}) {
    const std::string command = std::string("'" PLOMBRIX_ASSET_GENERATOR "' '") + scratch.file(run) +
                                "' '" PLOMBRIX_FONT_FILE "' '" PLOMBRIX_FONT_LICENCE "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  const auto first = readTree(scratch.file("first")), second = readTree(scratch.file("second"));
  const auto built = readTree(AssetFiles::resDir());
  std::set<std::string> written, described;
  for (const auto& [name, bytes] : first)
    if (!name.starts_with("icons/")) written.insert(name);
  for (const AssetTree::File& file : AssetTree::kEveryFile) described.insert(file.underRoot());
  EXPECT_TRUE(written == described) << "written but not described:"
                                    << AssetFiles::missingFrom(written, described)
                                    << "\ndescribed but not written:"
                                    << AssetFiles::missingFrom(described, written);
  ASSERT_EQ(first.size(), second.size());
  for (const auto& [name, bytes] : first) {
    EXPECT_TRUE(second.count(name) && second.at(name) == bytes) << name << " differs between two runs";
    EXPECT_TRUE(built.count(name) && built.at(name) == bytes) << name << " differs from the build's tree";
  }
}

}  // namespace
