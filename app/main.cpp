#include <cstdio>
#include <stdexcept>

#include "app/Game.h"

int main(int argc, char** argv) {
  // Only the font loader throws; a game without its font cannot show the score,
  // so it stops with the reason instead of aborting.
  try {
    return runGame(argc, argv);
  } catch (const std::runtime_error& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
