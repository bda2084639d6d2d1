#pragma once
// Every sound of the game: 38 preloaded samples addressed by a fixed index, and
// one looping music stream. Merges, bursts, clicks and chain steps call
// playSound with an index from their own range (see the constants below);
// nothing is ever stopped or faded by the game itself.

#include <array>
#include <memory>
#include <string>

#include "audio/AudioBackend.h"

class SoundBank {
 public:
  static constexpr int kSoundCount = 38;
  // First index and count of each group, in the order of the index map.
  static constexpr int kMergeFirst = 0;
  static constexpr int kMergeCount = 14;
  static constexpr int kPopFirst = 14;
  static constexpr int kPopCount = 6;
  static constexpr int kClickFirst = 20;
  static constexpr int kClickCount = 6;
  static constexpr int kChainFirst = 26;
  static constexpr int kChainCount = 12;

  // How loud each group and the music play, as factors on their files' own
  // peaks (merges 0.55, pops 0.85, clicks 0.7, chain steps 0.8, music 0.45).
  // Staged so that any single sound on the music stays under the limiter, a
  // click still peaks at least 6 dB above the music, and the merges, which come
  // by the dozen, stay the softest.
  static constexpr double kMergeLevel = 0.45;
  static constexpr double kPopLevel = 0.55;
  static constexpr double kClickLevel = 0.7;
  static constexpr double kChainLevel = 0.55;
  static constexpr double kMusicLevel = 0.45;
  // The level of the group that sound index belongs to; 0 outside 0..37.
  static double levelOf(int index);

  // Public so that a test can start from a fresh bank: instance() = SoundBank().
  SoundBank();
  static SoundBank& instance();

  // The file of each sound index, relative to the working directory.
  static const std::array<const char*, kSoundCount>& soundFiles();

  // Opens the output and loads the 38 samples in index order; once, at start-up.
  void loadSounds();
  // Starts the sample of that index from its beginning; indices outside 0..37
  // play nothing.
  void playSound(int index);
  // Frees the current music and starts the file looping forever.
  void playMusic(const char* path);

  // Swaps the audio library under the bank (the game keeps its platform's).
  void useBackend(std::unique_ptr<AudioBackend> backend);
  AudioBackend& backend();

 private:
  std::unique_ptr<AudioBackend> backend_;
};
