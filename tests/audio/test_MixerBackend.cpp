#include "audio/MixerBackend.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "ToneFile.h"
#include "audio/SoundBank.h"
#include "support/ScratchDir.h"

namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStderr;
using ::testing::internal::GetCapturedStdout;

constexpr int kLongFrames = 3 * kToneRate;  // 3 s: nothing ends by itself during a test

// Channels whose play was cut, in order. With 3 s tones nothing ends by itself,
// so only a restart on this thread reports here.
std::vector<int> cutChannels;
void recordCut(int channel) { cutChannels.push_back(channel); }

// Plays the sample once and returns the channel that began sounding, -1 if none.
int playOnFreshChannel(MixerBackend& mixer, int index) {
  const int count = Mix_AllocateChannels(-1);
  std::vector<bool> before;
  for (int channel = 0; channel < count; ++channel) before.push_back(Mix_Playing(channel) != 0);
  mixer.playSample(index);
  for (int channel = 0; channel < count; ++channel)
    if (!before[channel] && Mix_Playing(channel) != 0) return channel;
  return -1;
}

// How many of this process's open file descriptors refer to the file.
int openHandlesTo(const std::string& path) {
  const auto target = std::filesystem::weakly_canonical(path);
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(entry.path(), error) == target && !error) ++count;
  }
  return count;
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Each case picks its own output: SDL's silent real-time "dummy" driver unless
// it says otherwise.
class MixerBackendTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

}  // namespace

TEST_F(MixerBackendTest, OpensOnceAt44100HzStereoAndLeavesCtrlCToEndTheGame) {
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open()) << SDL_GetError();
  ASSERT_TRUE(mixer.open());
  int rate = 0, channels = 0;
  Uint16 format = 0;
  EXPECT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1) << "a second open opened the output again";
  EXPECT_EQ(rate, 44100);
  EXPECT_EQ(format, AUDIO_S16SYS);
  EXPECT_EQ(channels, 2);
  for (int signal : {SIGINT, SIGTERM}) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    EXPECT_EQ(action.sa_handler, SIG_DFL) << "SDL took over signal " << signal << ": the game no longer ends";
  }
}

TEST_F(MixerBackendTest, FifthPlayRestartsTheOldestVoiceAndOtherSamplesKeepTheirOwn) {
  ScratchDir dir;
  writeTone(dir.file("tone.wav"), kLongFrames, 0.3);
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open());
  constexpr int kMerge = 5, kPop = 6;
  ASSERT_TRUE(mixer.loadSample(kMerge, dir.file("tone.wav")));
  ASSERT_TRUE(mixer.loadSample(kPop, dir.file("tone.wav")));
  Mix_ChannelFinished(recordCut);

  // Four plays within the same millisecond fill four free voices; a different
  // sample meanwhile sounds on a channel of its own.
  std::vector<int> startOrder;
  for (int play = 0; play < 4; ++play) startOrder.push_back(playOnFreshChannel(mixer, kMerge));
  for (int channel : startOrder) ASSERT_NE(channel, -1) << "a merge found no free voice of its own";
  const int popChannel = playOnFreshChannel(mixer, kPop);
  EXPECT_NE(popChannel, -1) << "the merges left the pop no channel";
  EXPECT_TRUE(cutChannels.empty()) << "a play cut a sounding copy";

  // Every further play cuts the copy that started longest ago and restarts
  // it, so the voices are taken round in their start order.
  std::vector<int> expectedCuts;
  for (int play = 0; play < 5; ++play) {
    mixer.playSample(kMerge);
    expectedCuts.push_back(startOrder[play % 4]);
    EXPECT_EQ(cutChannels, expectedCuts) << "after play " << play + 5;
    EXPECT_EQ(mixer.playingVoices(kMerge), 4);
  }
  EXPECT_EQ(Mix_Playing(popChannel), 1) << "the merges took the pop's channel";
}

TEST_F(MixerBackendTest, PlayMusicKeepsOneLoopingStreamAndFreesTheOld) {
  ScratchDir dir;
  constexpr int kShortFrames = kToneRate / 10;  // 0.1 s, so looping shows quickly
  const std::string title = dir.file("title.wav"), play = dir.file("play.wav");
  writeTone(title, kShortFrames, 0.2);
  writeTone(play, kShortFrames, 0.2);
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open());

  mixer.playMusic(title);  // nothing to free yet: it simply starts
  EXPECT_EQ(openHandlesTo(title), 1);
  mixer.playMusic(play);
  EXPECT_EQ(openHandlesTo(title), 0) << "the first music stream was never freed";
  mixer.playMusic(play);
  EXPECT_EQ(openHandlesTo(play), 1) << "the same track twice holds two streams";
  sleepMs(500);
  EXPECT_EQ(Mix_PlayingMusic(), 1) << "a 0.1 s track stopped instead of looping";

  // A track that cannot be read leaves silence, not the old music.
  mixer.playMusic(dir.file("missing.mp3"));
  EXPECT_EQ(openHandlesTo(play), 0);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(MixerBackendTest, DiskOutputHoldsAPlayedSampleOnceAndSilenceOtherwise) {
  constexpr int kToneFrames = kToneRate / 5;  // 0.2 s
  constexpr double kAmplitude = 0.5;
  for (bool played : {true, false}) {
    SCOPED_TRACE(played ? "played" : "not played");
    ScratchDir dir;
    const std::string output = dir.file("output.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    writeTone(dir.file("click.wav"), kToneFrames, kAmplitude);
    {
      MixerBackend mixer;
      ASSERT_TRUE(mixer.open()) << SDL_GetError();
      ASSERT_TRUE(mixer.loadSample(20, dir.file("click.wav")));
      if (played) mixer.playSample(20);
      // The disk driver writes in real time; give a loaded machine plenty of it.
      for (int waited = 0; waited < 5000 && mixer.playingVoices(20) > 0; waited += 20) sleepMs(20);
      sleepMs(300);  // the buffer holding the tone's end reaches the file
    }                // closing the output flushes the file

    std::vector<std::int16_t> pcm(std::filesystem::file_size(output) / sizeof(std::int16_t));
    std::ifstream(output, std::ios::binary)
        .read(reinterpret_cast<char*>(pcm.data()), static_cast<std::streamsize>(pcm.size() * 2));
    ASSERT_GT(pcm.size(), 0u) << "the disk driver wrote nothing";
    const auto loud = [](std::int16_t s) { return s != 0; };
    const auto first = std::find_if(pcm.begin(), pcm.end(), loud);
    if (!played) {
      EXPECT_EQ(first, pcm.end()) << "a sample nobody played was heard";
      continue;
    }
    ASSERT_NE(first, pcm.end()) << "a played sample was never heard";
    const auto last = std::find_if(pcm.rbegin(), pcm.rend(), loud).base();
    const int peak =
        std::abs(*std::max_element(first, last, [](int a, int b) { return std::abs(a) < std::abs(b); }));
    EXPECT_NEAR(peak, kAmplitude * 32767, 0.05 * 32767) << "the tone is not heard at its own loudness";
    // Both stereo sides carry the mono tone; it sounds once, for its whole length.
    EXPECT_NEAR((last - first) / MixerBackend::kOutputChannels, kToneFrames, 4);
  }
}

TEST_F(MixerBackendTest, WithoutASoundCardTheGameRunsOnSilentlyAndPrintsNothing) {
  // A driver that does not exist; ALSA, which without a card prints a page of
  // "ALSA lib ..." lines; SDL's own pick, which opens where there is a card.
  // The bank's files are missing here too.
  const ScratchDir dir;
  for (const char* driver : {"no_such_driver", "alsa", ""}) {
    SCOPED_TRACE(std::string("driver '") + driver + "'");
    if (*driver != '\0') {
      setenv("SDL_AUDIODRIVER", driver, 1);
    } else {
      unsetenv("SDL_AUDIODRIVER");
    }
    CaptureStdout();
    CaptureStderr();
    {
      SoundBank bank;
      bank.loadSounds();
      bank.playMusic("./res/audio/Tolvaren_Drift2.mp3");
      for (int index = 0; index < SoundBank::kSoundCount; ++index) bank.playSound(index);
    }
    EXPECT_EQ(GetCapturedStdout() + GetCapturedStderr(), "") << "the game printed about its sound";
  }
}

TEST_F(MixerBackendTest, UnreadableSamplesPlayNothingAndPrintNothing) {
  ScratchDir dir;
  std::ofstream(dir.file("broken.wav"), std::ios::binary)
      << std::string("RIFF\x40\0\0\0WAVE", 12) << std::string(60, 'Z');
  std::filesystem::create_directory(dir.file("folder.wav"));
  writeTone(dir.file("good.wav"), kLongFrames, 0.3);
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open());

  CaptureStdout();
  CaptureStderr();
  const std::string unreadable[] = {dir.file("missing.wav"), dir.file("broken.wav"), dir.file("folder.wav"),
                                    ""};
  for (int index = 0; index < 4; ++index) {
    EXPECT_FALSE(mixer.loadSample(index, unreadable[index])) << unreadable[index];
    mixer.playSample(index);
  }
  EXPECT_EQ(GetCapturedStdout() + GetCapturedStderr(), "");
  EXPECT_EQ(Mix_Playing(-1), 0) << "an unreadable sample made a channel sound";

  // A sample that fails to reload is silent afterwards, not the old sound.
  ASSERT_TRUE(mixer.loadSample(4, dir.file("good.wav")));
  mixer.playSample(4);
  EXPECT_EQ(Mix_Playing(-1), 1);
  EXPECT_FALSE(mixer.loadSample(4, dir.file("missing.wav")));
  mixer.playSample(4);
  EXPECT_EQ(Mix_Playing(-1), 0) << "a sample that failed to reload still plays";
}
