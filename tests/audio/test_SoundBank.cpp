#include "audio/SoundBank.h"

#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "ToneFile.h"
#include "assets/AssetTree.h"
#include "audio/MixerBackend.h"
#include "support/RecordingAudio.h"
#include "support/ScratchDir.h"

TEST(SoundBankTest,
     PassesOnOnlyIndices0To37AndANullMusicAsNoneAndEveryIndexPlaysItsOwnFileOnFourVoicesOfItsOwn) {
  auto log = RecordingAudio::install();
  SoundBank& recorded = SoundBank::instance();
  for (int index : {0, 23, 37, -1, 38, INT_MIN, INT_MAX}) recorded.playSound(index);
  EXPECT_EQ(log->played, (std::vector<int>{0, 23, 37})) << "an index outside 0..37 reached the audio library";
  recorded.playMusic(AssetTree::kMusic.path);
  recorded.playMusic(nullptr);
  EXPECT_EQ(log->music, (std::vector<std::string>{AssetTree::kMusic.path, ""}));

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
  ASSERT_TRUE(mixer != nullptr && mixer->isOpen()) << "the game's bank does not play through SDL2_mixer";

  for (int index = 0; index < SoundBank::kSoundCount; ++index) {
    for (int play = 0; play < 4; ++play) bank.playSound(index);
    for (int voice = 0; voice < 4; ++voice) {
      const Mix_Chunk* chunk = Mix_GetChunk(MixerBackend::voiceChannel(index, voice));
      ASSERT_NE(chunk, nullptr) << "index " << index << " has fewer than four voices";
      EXPECT_EQ(static_cast<int>(chunk->alen),
                frames(index) * MixerBackend::kBytesPerSample * MixerBackend::kOutputChannels)
          << "index " << index << " plays the wrong file";
    }
  }
  EXPECT_EQ(Mix_Playing(-1), SoundBank::kSoundCount * 4) << "samples share channels, or some have none";
}
