#include "audio/SoundBank.h"

SoundBank::SoundBank() : backend_(makePlatformAudioBackend()) {}

SoundBank& SoundBank::instance() {
  static SoundBank* bank = new SoundBank();  // lives until the process ends
  return *bank;
}

const std::array<const char*, SoundBank::kSoundCount>& SoundBank::soundFiles() {
  static const std::array<const char*, kSoundCount> files = [] {
    std::array<const char*, kSoundCount> paths{};
    for (int index = 0; index < kSoundCount; ++index) paths[index] = AssetTree::kSounds[index].path;
    return paths;
  }();
  return files;
}

double SoundBank::levelOf(int index) {
  if (index < 0 || index >= kSoundCount) return 0.0;
  if (index >= kChainFirst) return kChainLevel;
  if (index >= kClickFirst) return kClickLevel;
  if (index >= kPopFirst) return kPopLevel;
  return kMergeLevel;
}

void SoundBank::loadSounds() {
  backend_->open();
  for (int index = 0; index < kSoundCount; ++index) backend_->loadSample(index, soundFiles()[index]);
}

void SoundBank::playSound(int index) {
  if (index < 0 || index >= kSoundCount) return;
  backend_->playSample(index);
}

void SoundBank::playMusic(const char* path) { backend_->playMusic(path ? path : ""); }

void SoundBank::useBackend(std::unique_ptr<AudioBackend> backend) { backend_ = std::move(backend); }

AudioBackend& SoundBank::backend() { return *backend_; }
