// plombrix_assets: writes the game's whole res/ tree.
//
//   plombrix_assets <res-dir> <font-file> <font-licence>
//
// Every picture is drawn with Cairo and every sound synthesised from fixed
// seeds, so two runs write the same bytes.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "AssetBuilder.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <res-dir> <font-file> <font-licence>\n", argv[0]);
    return 2;
  }
  try {
    AssetBuilder builder(argv[1], argv[2], argv[3]);
    builder.buildAll();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "plombrix_assets: %s\n", error.what());
    return 1;
  }
  return 0;
}
