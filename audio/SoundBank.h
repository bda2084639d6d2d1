#pragma once
// Every sound of the game: 38 preloaded samples addressed by a fixed index, and
// one looping music stream. Merges, bursts, clicks and chain steps call
// playSound with an index from their own range (see the constants below);
// nothing is ever stopped or faded by the game itself.

#include <array>
#include <memory>
#include <string>

#include "assets/AssetTree.h"
#include "audio/AudioBackend.h"

class SoundBank {
 public:
  static constexpr int kSoundCount = static_cast<int>(AssetTree::kSounds.size());
  // First index and count of each group, in the order of the index map.
  static constexpr int kMergeFirst = AssetTree::kMergeSounds.first;
  static constexpr int kMergeCount = AssetTree::kMergeSounds.count();
  static constexpr int kPopFirst = AssetTree::kPopSounds.first;
  static constexpr int kPopCount = AssetTree::kPopSounds.count();
  static constexpr int kClickFirst = AssetTree::kClickSounds.first;
  static constexpr int kClickCount = AssetTree::kClickSounds.count();
  static constexpr int kChainFirst = AssetTree::kChainSounds.first;
  static constexpr int kChainCount = AssetTree::kChainSounds.count();

  // Playback gains, not file peaks: each group and the music play at this
  // fraction of their files' own loudness, so what reaches the mix peaks at the
  // level times the peak the file was made to (AssetTree's SoundGroup::peak and
  // kMusicPeak). Staged with those peaks so that any single sound on the music
  // stays under the limiter, a click still peaks at least 6 dB above the music,
  // and the merges, which come by the dozen, stay the softest.
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
