// The browser's entry point: the same game as app/main.cpp, started in the
// page. A font error ends the game there too, but a page has no terminal to
// print it on, so the page shows it where the game would have been.

#include <emscripten.h>

#include <stdexcept>

#include "app/Game.h"

EM_JS(void, showGameError, (const char* message), {
  var text = UTF8ToString(message);
  if (typeof Module['plombrixShowError'] == = 'function') Module['plombrixShowError'](text);
});

int main(int argc, char** argv) {
  try {
    return runGame(argc, argv);
  } catch (const std::runtime_error& error) {
    showGameError(error.what());
    return 1;
  }
}
