// The page program of the web audio back end's browser test (audio.test.js):
// the platform's back end, opened at start-up as the game opens it, and the
// calls the test makes through Module.ccall.

#include <emscripten/emscripten.h>

#include <memory>

#include "audio/AudioBackend.h"
#include "audio/SoundBank.h"

namespace {
std::unique_ptr<AudioBackend> backend;
}

extern "C" {
EMSCRIPTEN_KEEPALIVE int probe_opened() { return backend->open(); }
// Loads every sound of the game's bank; the number that loaded.
EMSCRIPTEN_KEEPALIVE int probe_load_bank() {
  int loaded = 0;
  for (int index = 0; index < SoundBank::kSoundCount; ++index)
    loaded += backend->loadSample(index, SoundBank::soundFiles()[index]);
  return loaded;
}
EMSCRIPTEN_KEEPALIVE int probe_load(int index, const char* path) { return backend->loadSample(index, path); }
EMSCRIPTEN_KEEPALIVE void probe_play(int index) { backend->playSample(index); }
EMSCRIPTEN_KEEPALIVE void probe_music(const char* path) { backend->playMusic(path); }
}

int main() {
  backend = makePlatformAudioBackend();
  backend->open();
}
