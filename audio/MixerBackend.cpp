#include "audio/MixerBackend.h"

// Placeholder: the SDL2_mixer implementation lands with the sound work. Until
// then the game is silent.

MixerBackend::~MixerBackend() = default;
bool MixerBackend::open() { return false; }
bool MixerBackend::loadSample(int, const std::string&) { return false; }
void MixerBackend::playSample(int) {}
void MixerBackend::playMusic(const std::string&) {}
