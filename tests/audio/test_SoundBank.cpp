#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/ScratchDir.h"
#include "WavWriter.h"
#include "audio/MixerBackend.h"
#include "audio/SoundBank.h"
#include "support/RecordingAudio.h"

namespace {

// The bank's files as the game's asset tree names them. The click set skips
// 04, and its 07 sits at index 23.
const std::vector<std::string> kExpectedFiles = {
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

// Sound files of distinct lengths, so a playing chunk tells which file it came
// from: file i of the list lasts one second plus i hundredths.
int framesOfFile(int position) { return WavWriter::kRate + position * WavWriter::kRate / 100; }

}  // namespace

TEST(SoundBankTest, IndexMapNamesEveryFileInIndexOrder) {
  const auto& files = SoundBank::soundFiles();
  ASSERT_EQ(files.size(), kExpectedFiles.size());
  for (std::size_t index = 0; index < files.size(); ++index) {
    EXPECT_EQ(std::string(files[index]), kExpectedFiles[index]) << "index " << index;
  }
  EXPECT_EQ(std::string(files[23]), "./res/audio/click07.wav");
  for (const char* file : files) EXPECT_EQ(std::string(file).find("click04"), std::string::npos);
}

TEST(SoundBankTest, LoadSoundsOpensOnceThenLoadsInIndexOrderAndOnlyBankIndicesPlay) {
  auto log = RecordingAudio::install();
  SoundBank& bank = SoundBank::instance();
  bank.loadSounds();
  EXPECT_TRUE(log->opened);
  EXPECT_EQ(log->loaded, kExpectedFiles);

  for (int index : {0, 23, 37, -1, 38, INT_MIN, INT_MAX}) bank.playSound(index);
  EXPECT_EQ(log->played, (std::vector<int>{0, 23, 37})) << "an index outside 0..37 reached the audio library";

  bank.playMusic("./res/audio/Tolvaren_Drift2.mp3");
  bank.playMusic(nullptr);
  EXPECT_EQ(log->music, (std::vector<std::string>{"./res/audio/Tolvaren_Drift2.mp3", ""}));
}

TEST(SoundBankTest, EveryIndexPlaysItsOwnFileThroughTheMixer) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const ScratchDir dir;  // the bank reads ./res/audio/ from here
  for (std::size_t position = 0; position < kExpectedFiles.size(); ++position) {
    WavWriter::writeTone(kExpectedFiles[position], framesOfFile(static_cast<int>(position)), 440.0, 0.1);
  }
  SoundBank::instance() = SoundBank();
  SoundBank& bank = SoundBank::instance();
  bank.loadSounds();
  auto* mixer = dynamic_cast<MixerBackend*>(&bank.backend());
  ASSERT_NE(mixer, nullptr) << "the game's bank does not play through SDL2_mixer";
  ASSERT_TRUE(mixer->isOpen());

  constexpr int kBytesPerMixedFrame = 2 * MixerBackend::kOutputChannels;  // 16-bit stereo
  for (int index = 0; index < SoundBank::kSoundCount; ++index) {
    bank.playSound(index);
    ASSERT_EQ(mixer->playingVoices(index), 1) << "index " << index << " is silent";
    const Mix_Chunk* chunk = nullptr;
    for (int voice = 0; voice < MixerBackend::kVoicesPerSample; ++voice) {
      const int channel = MixerBackend::voiceChannel(index, voice);
      if (Mix_Playing(channel) != 0) chunk = Mix_GetChunk(channel);
    }
    ASSERT_NE(chunk, nullptr);
    EXPECT_EQ(static_cast<int>(chunk->alen), framesOfFile(index) * kBytesPerMixedFrame)
        << "index " << index << " plays the wrong file";
  }
}
