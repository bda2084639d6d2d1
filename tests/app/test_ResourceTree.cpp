// Where the game finds its files when started from an arbitrary folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/ResourceTree.h"
#include "assets/AssetTree.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;

// What a folder needs for the game to start from it: its title picture and
// its font.
void plantTree(const fs::path& dir) {
  for (const char* file : {AssetTree::kTitleImage.path, AssetTree::kFont.path}) {
    fs::create_directories((dir / file).parent_path());
    std::ofstream(dir / file) << "x";
  }
}

struct Start {
  const char* name;
  bool inWorkingDir, besideExe, installed;
  int expected;  // index into {working dir, exe dir, installed dir}; -1: none
};

// The scratch folder is laid out as a prefix: <scratch>/home/player is where the
// player starts the game, <scratch>/usr/games holds the executable. Every
// candidate has a res/ folder; only a planted one holds the game's files.
TEST(ResourceTree, TheWorkingDirectoryWinsThenBesideTheExecutableThenTheInstalledTree) {
  const Start kStarts[] = {
      {"every place has a tree", true, true, true, 0},
      {"a build folder's tree beside the executable", false, true, true, 1},
      {"only the installed tree", false, false, true, 2},
      {"no tree anywhere", false, false, false, -1},
  };
  for (const Start& start : kStarts) {
    SCOPED_TRACE(start.name);
    ScratchDir scratch;
    const fs::path places[] = {scratch.path() / "home/player", scratch.path() / "usr/games",
                               scratch.path() / "usr/share/games/plombrix"};
    const bool planted[] = {start.inWorkingDir, start.besideExe, start.installed};
    for (int i = 0; i < 3; ++i) {
      fs::create_directories(places[i] / "res");
      if (planted[i]) plantTree(places[i]);
    }
    fs::current_path(places[0]);
    const ResourceTree tree(places[0], places[1]);
    ASSERT_EQ(ResourceTree::installedDir(places[1]), places[2]) << "the Debian games layout";

    ::testing::internal::CaptureStderr();
    const bool found = tree.enter();
    const std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(found, start.expected >= 0);
    EXPECT_EQ(fs::current_path(), places[start.expected >= 0 ? start.expected : 0]);
    if (found) {
      EXPECT_EQ(error, "");
    } else {
      EXPECT_EQ(error, "Plombrix!: no res/ folder with the game's files in " + places[0].string() + ", " +
                           places[1].string() + " or " + places[2].string() + "\n");
    }
  }
}

}  // namespace
