#include "audio/SoundBank.h"

#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ToneFile.h"
#include "audio/MixerBackend.h"
#include "support/RecordingAudio.h"
#include "support/ScratchDir.h"

namespace {

// The bank's files in index order: 14 merges, 6 pops, the clicks (there is no
// click04; click07 takes its place at index 23), 12 chain steps.
std::vector<std::string> expectedFiles() {
  std::vector<std::string> files;
  const auto add = [&files](const char* pattern, std::initializer_list<int> numbers) {
    for (int number : numbers) {
      char name[64];
      std::snprintf(name, sizeof name, pattern, number);
      files.push_back(std::string("./res/audio/") + name);
    }
  };
  add("bubble_merge_%02d.wav", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
  add("bubble_pop_%02d.wav", {1, 2, 3, 4, 5, 6});
  add("click%02d.wav", {1, 2, 3, 7, 5, 6});
  add("chain%02d.wav", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  return files;
}

}  // namespace

TEST(SoundBankTest, LoadsTheIndexMapInOrderAndPassesOnOnlyIndices0To37) {
  auto log = RecordingAudio::install();
  SoundBank& bank = SoundBank::instance();
  bank.loadSounds();
  EXPECT_TRUE(log->opened);
  EXPECT_EQ(log->loaded, expectedFiles());
  EXPECT_EQ(std::string(SoundBank::soundFiles()[23]), "./res/audio/click07.wav");

  for (int index : {0, 23, 37, -1, 38, INT_MIN, INT_MAX}) bank.playSound(index);
  EXPECT_EQ(log->played, (std::vector<int>{0, 23, 37})) << "an index outside 0..37 reached the audio library";

  bank.playMusic("./res/audio/Tolvaren_Drift2.mp3");
  bank.playMusic(nullptr);
  EXPECT_EQ(log->music, (std::vector<std::string>{"./res/audio/Tolvaren_Drift2.mp3", ""}));
}

TEST(SoundBankTest, EveryIndexPlaysItsOwnFileOnFourVoicesOfItsOwn) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const ScratchDir dir;  // the bank reads ./res/audio/ from here
  // File i lasts one second plus i hundredths, so a playing chunk tells which
  // file it came from.
  const auto frames = [](int index) { return kToneRate + index * kToneRate / 100; };
  const auto& files = SoundBank::soundFiles();
  for (int index = 0; index < SoundBank::kSoundCount; ++index) writeTone(files[index], frames(index), 0.1);
  SoundBank bank;
  bank.loadSounds();
  auto* mixer = dynamic_cast<MixerBackend*>(&bank.backend());
  ASSERT_NE(mixer, nullptr) << "the game's bank does not play through SDL2_mixer";
  ASSERT_TRUE(mixer->isOpen());

  // The back end guards its own array too: nothing outside 0..37 loads or plays.
  for (int index : {-1, 38, 152, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(mixer->loadSample(index, files[0])) << index;
    mixer->playSample(index);
  }
  EXPECT_EQ(Mix_Playing(-1), 0) << "a play outside 0..37 reached some sample's channel";

  constexpr int kBytesPerMixedFrame = MixerBackend::kBytesPerSample * MixerBackend::kOutputChannels;
  for (int index = 0; index < SoundBank::kSoundCount; ++index) {
    for (int play = 0; play < MixerBackend::kVoicesPerSample; ++play) bank.playSound(index);
    ASSERT_EQ(mixer->playingVoices(index), 4) << "index " << index << " has fewer than four voices";
    for (int voice = 0; voice < MixerBackend::kVoicesPerSample; ++voice) {
      const Mix_Chunk* chunk = Mix_GetChunk(MixerBackend::voiceChannel(index, voice));
      ASSERT_NE(chunk, nullptr);
      EXPECT_EQ(static_cast<int>(chunk->alen), frames(index) * kBytesPerMixedFrame)
          << "index " << index << " plays the wrong file";
    }
  }
  EXPECT_EQ(Mix_Playing(-1), SoundBank::kSoundCount * 4) << "samples share channels, or some have none";
}
