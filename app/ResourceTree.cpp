#include "app/ResourceTree.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "assets/AssetTree.h"

namespace fs = std::filesystem;

#ifndef PLOMBRIX_DATA_FROM_BINARY
// The Debian games layout: <prefix>/games/plombrix and
// <prefix>/share/games/plombrix/res.
#define PLOMBRIX_DATA_FROM_BINARY "../share/games/plombrix"
#endif

namespace {
// Files the game cannot start without; a res/ folder lacking them (the
// repository's own, say) belongs to something else.
constexpr const char* kMarkers[] = {AssetTree::kTitleImage.path, AssetTree::kFont.path};
}  // namespace

ResourceTree::ResourceTree(const fs::path& workingDir, const fs::path& exeDir) : places_{workingDir} {
  if (exeDir.empty()) return;
  for (const fs::path& place : {exeDir, installedDir(exeDir)})
    if (std::find(places_.begin(), places_.end(), place) == places_.end()) places_.push_back(place);
}

ResourceTree ResourceTree::ofThisProcess() {
  std::error_code error;
  const fs::path workingDir = fs::current_path(error);
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  return ResourceTree(workingDir, error ? fs::path() : exe.parent_path());
}

fs::path ResourceTree::installedDir(const fs::path& exeDir) {
  return (exeDir / PLOMBRIX_DATA_FROM_BINARY).lexically_normal();
}

bool ResourceTree::holdsGame(const fs::path& dir) {
  std::error_code error;
  return std::all_of(std::begin(kMarkers), std::end(kMarkers),
                     [&](const char* marker) { return fs::is_regular_file(dir / marker, error); });
}

std::optional<fs::path> ResourceTree::find() const {
  for (const fs::path& place : places_)
    if (holdsGame(place)) return place;
  return std::nullopt;
}

std::string ResourceTree::notFoundLine() const {
  std::string line = "Plombrix!: no res/ folder with the game's files in ";
  for (std::size_t i = 0; i < places_.size(); ++i) {
    if (i > 0) line += i + 1 == places_.size() ? " or " : ", ";
    line += places_[i].string();
  }
  return line;
}

bool ResourceTree::enter() const {
  if (const std::optional<fs::path> found = find()) {
    // Staying put keeps a start from a folder with its own tree exactly as it
    // always was.
    if (*found == places_.front()) return true;
    std::error_code error;
    fs::current_path(*found, error);
    if (!error) return true;
  }
  std::fprintf(stderr, "%s\n", notFoundLine().c_str());
  return false;
}
