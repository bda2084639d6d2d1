// plombrix_assets: writes the game's whole res/ tree.
//
//   plombrix_assets <res-dir> <font-file> <font-licence> [--preview <dir>]
//
// Every picture is drawn with Cairo and every sound synthesised from fixed
// seeds, so two runs write the same bytes. --preview also writes PNG pictures of
// the playing screen as the game composes it, for looking at the art.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "AssetBuilder.h"

int main(int argc, char** argv) {
  if (argc != 4 && !(argc == 6 && std::string(argv[4]) == "--preview")) {
    std::fprintf(stderr, "usage: %s <res-dir> <font-file> <font-licence> [--preview <dir>]\n", argv[0]);
    return 2;
  }
  try {
    AssetBuilder builder(argv[1], argv[2], argv[3]);
    builder.buildAll();
    if (argc == 6) builder.writePreviews(argv[5]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "plombrix_assets: %s\n", error.what());
    return 1;
  }
  return 0;
}
