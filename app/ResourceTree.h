#pragma once
// Finds the folder whose res/ holds the game's files and makes it the working
// directory, so every "./res/..." path in the game works whichever folder the
// player starts it from. The order keeps the old behaviour first: a tree in
// the working directory wins, then the one the build writes beside the
// executable, then the installed one under share/games/plombrix.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class ResourceTree {
 public:
  // The places to look, in order, for a process started in workingDir whose
  // executable lives in exeDir (empty when unknown: only workingDir is
  // searched).
  ResourceTree(const std::filesystem::path& workingDir, const std::filesystem::path& exeDir);
  // The places for this process, its executable found through /proc/self/exe.
  static ResourceTree ofThisProcess();

  // The installed data folder for an executable in exeDir, from the install
  // layout the build was configured with.
  static std::filesystem::path installedDir(const std::filesystem::path& exeDir);
  // Whether dir/res holds the game's files, not merely a folder called res.
  static bool holdsGame(const std::filesystem::path& dir);

  std::optional<std::filesystem::path> find() const;
  // The one line that names every place looked in.
  std::string notFoundLine() const;
  // Moves into the first place found; otherwise prints notFoundLine() on
  // standard error and leaves the working directory alone. Returns whether a
  // tree was found.
  bool enter() const;

 private:
  std::vector<std::filesystem::path> places_;
};
