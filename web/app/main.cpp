// The browser's entry point: the same game as app/main.cpp, started in the
// page. A font error ends the game there too, but a page has no terminal to
// print it on, so the page shows it where the game would have been.

#include <stdexcept>

#include "app/Game.h"

extern "C" void plombrixShowGameError(const char* message);  // library_web_page.js

int main(int argc, char** argv) {
  try {
    return runGame(argc, argv);
  } catch (const std::runtime_error& error) {
    plombrixShowGameError(error.what());
    return 1;
  }
}
