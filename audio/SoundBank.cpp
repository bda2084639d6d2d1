#include "audio/SoundBank.h"

SoundBank::SoundBank() : backend_(makePlatformAudioBackend()) {}

SoundBank& SoundBank::instance() {
  static SoundBank* bank = new SoundBank();  // lives until the process ends
  return *bank;
}

const std::array<const char*, SoundBank::kSoundCount>& SoundBank::soundFiles() {
  // The click set has no file numbered 04: index 23 is click07.
  static const std::array<const char*, kSoundCount> files = {
      "./res/audio/bubble_merge_01.wav", "./res/audio/bubble_merge_02.wav", "./res/audio/bubble_merge_03.wav",
      "./res/audio/bubble_merge_04.wav", "./res/audio/bubble_merge_05.wav", "./res/audio/bubble_merge_06.wav",
      "./res/audio/bubble_merge_07.wav", "./res/audio/bubble_merge_08.wav", "./res/audio/bubble_merge_09.wav",
      "./res/audio/bubble_merge_10.wav", "./res/audio/bubble_merge_11.wav", "./res/audio/bubble_merge_12.wav",
      "./res/audio/bubble_merge_13.wav", "./res/audio/bubble_merge_14.wav", "./res/audio/bubble_pop_01.wav",
      "./res/audio/bubble_pop_02.wav",   "./res/audio/bubble_pop_03.wav",   "./res/audio/bubble_pop_04.wav",
      "./res/audio/bubble_pop_05.wav",   "./res/audio/bubble_pop_06.wav",   "./res/audio/click01.wav",
      "./res/audio/click02.wav",         "./res/audio/click03.wav",         "./res/audio/click07.wav",
      "./res/audio/click05.wav",         "./res/audio/click06.wav",         "./res/audio/chain01.wav",
      "./res/audio/chain02.wav",         "./res/audio/chain03.wav",         "./res/audio/chain04.wav",
      "./res/audio/chain05.wav",         "./res/audio/chain06.wav",         "./res/audio/chain07.wav",
      "./res/audio/chain08.wav",         "./res/audio/chain09.wav",         "./res/audio/chain10.wav",
      "./res/audio/chain11.wav",         "./res/audio/chain12.wav",
  };
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
