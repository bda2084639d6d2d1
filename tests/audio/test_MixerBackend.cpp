#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "ConsoleCapture.h"
#include "support/ScratchDir.h"
#include "WavWriter.h"
#include "audio/MixerBackend.h"
#include "audio/SoundBank.h"

namespace {

constexpr int kLongFrames = 3 * WavWriter::kRate;  // 3 s: nothing ends by itself during a test
constexpr double kToneHz = 440.0;

// Channels whose playback ended or was cut, in the order the mixer reported it.
std::mutex finishedLock;
std::vector<int> finishedChannels;

void recordFinished(int channel) {
  std::lock_guard<std::mutex> hold(finishedLock);
  finishedChannels.push_back(channel);
}

std::vector<int> finished() {
  std::lock_guard<std::mutex> hold(finishedLock);
  return finishedChannels;
}

// The channels of a sample's four voices that are sounding.
std::vector<int> soundingChannels(int index) {
  std::vector<int> sounding;
  for (int voice = 0; voice < MixerBackend::kVoicesPerSample; ++voice) {
    const int channel = MixerBackend::voiceChannel(index, voice);
    if (Mix_Playing(channel) != 0) sounding.push_back(channel);
  }
  return sounding;
}

// Plays the sample once and returns the channel that started sounding.
int playOnFreshChannel(MixerBackend& mixer, int index) {
  const std::vector<int> before = soundingChannels(index);
  mixer.playSample(index);
  for (int channel : soundingChannels(index)) {
    if (std::find(before.begin(), before.end(), channel) == before.end()) return channel;
  }
  return -1;
}

// How many of this process's open file descriptors refer to the file.
int openHandlesTo(const std::string& path) {
  const auto target = std::filesystem::canonical(path);
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const auto link = std::filesystem::read_symlink(entry.path(), error);
    if (!error && link == target) ++count;
  }
  return count;
}

std::vector<std::int16_t> readPcm(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> pcm(bytes.size() / sizeof(std::int16_t));
  std::memcpy(pcm.data(), bytes.data(), pcm.size() * sizeof(std::int16_t));
  return pcm;
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Each case picks its own output: the silent real-time "dummy" driver unless it
// says otherwise, whatever an earlier case in the same process chose.
class MixerBackendTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

}  // namespace

TEST_F(MixerBackendTest, OpensOneStereoOutputAt44100HzWithFourChannelsPerSample) {
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open()) << SDL_GetError();
  EXPECT_TRUE(mixer.open());

  int rate = 0;
  Uint16 format = 0;
  int channels = 0;
  EXPECT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1) << "a second open must not open the output again";
  EXPECT_EQ(rate, 44100);
  EXPECT_EQ(format, AUDIO_S16SYS);
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(Mix_AllocateChannels(-1), 152);

  // Starting SDL's audio must leave Ctrl-C and kill able to end the game.
  for (int signal : {SIGINT, SIGTERM}) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    EXPECT_EQ(action.sa_handler, SIG_DFL) << "SDL took over signal " << signal;
  }
}

TEST_F(MixerBackendTest, FifthPlayRestartsTheOldestVoiceAndOtherSamplesKeepTheirOwn) {
  ScratchDir dir;
  WavWriter::writeTone(dir.file("merge.wav"), kLongFrames, kToneHz, 0.3);
  WavWriter::writeTone(dir.file("pop.wav"), kLongFrames, 2 * kToneHz, 0.3);
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open());
  constexpr int kMerge = 5;
  constexpr int kPop = 6;
  ASSERT_TRUE(mixer.loadSample(kMerge, dir.file("merge.wav")));
  ASSERT_TRUE(mixer.loadSample(kPop, dir.file("pop.wav")));
  Mix_ChannelFinished(recordFinished);

  // Four plays within the same millisecond fill the four voices.
  std::vector<int> startOrder;
  for (int play = 0; play < 4; ++play) startOrder.push_back(playOnFreshChannel(mixer, kMerge));
  for (int channel : startOrder) ASSERT_NE(channel, -1) << "a play found no free voice of its own";
  EXPECT_EQ(mixer.playingVoices(kMerge), 4);
  EXPECT_TRUE(finished().empty());

  // A different sample meanwhile sounds on a channel of its own.
  const int popChannel = playOnFreshChannel(mixer, kPop);
  EXPECT_NE(popChannel, -1);
  EXPECT_EQ(std::count(startOrder.begin(), startOrder.end(), popChannel), 0);
  EXPECT_TRUE(finished().empty()) << "the pop cut a merge voice";
  EXPECT_EQ(mixer.playingVoices(kMerge), 4);

  // Every further play cuts the copy that started longest ago and restarts it,
  // so the voices are taken round in their start order.
  std::vector<int> expectedCuts;
  for (int play = 0; play < 5; ++play) {
    mixer.playSample(kMerge);
    expectedCuts.push_back(startOrder[play % 4]);
    EXPECT_EQ(finished(), expectedCuts) << "after play " << play + 5;
    EXPECT_EQ(mixer.playingVoices(kMerge), 4);
  }
  Mix_Chunk* const mergeChunk = Mix_GetChunk(startOrder[0]);
  for (int channel : startOrder) EXPECT_EQ(Mix_GetChunk(channel), mergeChunk);
  EXPECT_NE(Mix_GetChunk(popChannel), mergeChunk);
  EXPECT_EQ(Mix_Playing(popChannel), 1) << "the merges took the pop's channel";
  Mix_ChannelFinished(nullptr);
}

TEST_F(MixerBackendTest, MusicLoopsForeverAndANewTrackFreesTheOldStream) {
  ScratchDir dir;
  constexpr int kShortFrames = WavWriter::kRate / 10;  // 0.1 s, so looping shows quickly
  WavWriter::writeTone(dir.file("title.wav"), kShortFrames, kToneHz, 0.2);
  WavWriter::writeTone(dir.file("play.wav"), kShortFrames, kToneHz, 0.2);
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open());

  // Nothing to free yet: the first track simply starts.
  EXPECT_EQ(mixer.musicStreams(), 0);
  ConsoleCapture console;
  mixer.playMusic(dir.file("title.wav"));
  console.finish();
  EXPECT_EQ(console.out() + console.err(), "");
  EXPECT_EQ(mixer.musicStreams(), 1);
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  EXPECT_EQ(openHandlesTo(dir.file("title.wav")), 1);

  mixer.playMusic(dir.file("play.wav"));
  EXPECT_EQ(openHandlesTo(dir.file("title.wav")), 0) << "the first music stream was never freed";
  EXPECT_EQ(openHandlesTo(dir.file("play.wav")), 1);
  EXPECT_EQ(mixer.musicStreams(), 1);
  sleepMs(500);
  EXPECT_EQ(Mix_PlayingMusic(), 1) << "a 0.1 s track stopped instead of looping";

  // The same file again still leaves a single stream.
  mixer.playMusic(dir.file("play.wav"));
  EXPECT_EQ(openHandlesTo(dir.file("play.wav")), 1);

  // A track that cannot be read leaves silence, not the old music.
  mixer.playMusic(dir.file("missing.mp3"));
  EXPECT_EQ(openHandlesTo(dir.file("play.wav")), 0);
  EXPECT_EQ(mixer.musicStreams(), 0);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(MixerBackendTest, Mp3MusicIsDecoded) {
  ScratchDir dir;
  WavWriter::writeSilentMp3(dir.file("drift.mp3"), 40);
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open());
  mixer.playMusic(dir.file("drift.mp3"));
  ASSERT_EQ(mixer.musicStreams(), 1) << "the game's MP3 music cannot be loaded: " << Mix_GetError();
  EXPECT_EQ(Mix_GetMusicType(nullptr), MUS_MP3);
  EXPECT_EQ(Mix_PlayingMusic(), 1);
}

TEST_F(MixerBackendTest, PlayedSampleIsMixedIntoTheOutputOnceFromStartToEnd) {
  ScratchDir dir;
  const std::string output = dir.file("output.raw");
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  constexpr int kToneFrames = WavWriter::kRate / 5;  // 0.2 s
  constexpr double kAmplitude = 0.5;
  WavWriter::writeTone(dir.file("click.wav"), kToneFrames, kToneHz, kAmplitude);
  {
    MixerBackend mixer;
    ASSERT_TRUE(mixer.open()) << SDL_GetError();
    ASSERT_TRUE(mixer.loadSample(20, dir.file("click.wav")));
    mixer.playSample(20);
    // The disk driver writes in real time; give a loaded machine plenty of it.
    constexpr int kPatienceMs = 5000;
    constexpr int kPollMs = 20;
    for (int waited = 0; waited < kPatienceMs && mixer.playingVoices(20) > 0; waited += kPollMs)
      sleepMs(kPollMs);
    sleepMs(100);  // the buffer holding the tone's end reaches the file
  }                // closing the output flushes the file

  const std::vector<std::int16_t> pcm = readPcm(output);
  ASSERT_GT(pcm.size(), 0u) << "the disk driver wrote nothing";
  int peak = 0;
  std::size_t firstLoud = pcm.size();
  std::size_t lastLoud = 0;
  for (std::size_t i = 0; i < pcm.size(); ++i) {
    const int magnitude = std::abs(static_cast<int>(pcm[i]));
    peak = std::max(peak, magnitude);
    if (magnitude > 0) {
      firstLoud = std::min(firstLoud, i);
      lastLoud = i;
    }
  }
  EXPECT_NEAR(peak, kAmplitude * 32767, 0.05 * 32767) << "the tone is not heard at its own loudness";
  ASSERT_LT(firstLoud, pcm.size());
  // Both stereo sides carry the mono tone; it sounds once, for its whole length.
  const auto soundingFrames = static_cast<long>((lastLoud - firstLoud) / MixerBackend::kOutputChannels);
  EXPECT_NEAR(soundingFrames, kToneFrames, 4);
}

TEST_F(MixerBackendTest, OutputIsSilentWhenNothingIsPlayed) {
  ScratchDir dir;
  const std::string output = dir.file("output.raw");
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  WavWriter::writeTone(dir.file("click.wav"), WavWriter::kRate / 5, kToneHz, 0.5);
  {
    MixerBackend mixer;
    ASSERT_TRUE(mixer.open()) << SDL_GetError();
    ASSERT_TRUE(mixer.loadSample(20, dir.file("click.wav")));
    sleepMs(300);
  }
  const std::vector<std::int16_t> pcm = readPcm(output);
  ASSERT_GT(pcm.size(), 0u) << "the disk driver wrote nothing";
  EXPECT_EQ(std::count(pcm.begin(), pcm.end(), 0), static_cast<long>(pcm.size()))
      << "a sample nobody played was heard";
}

TEST_F(MixerBackendTest, WithoutAnOutputDeviceEverythingIsAQuietNoOp) {
  ScratchDir dir;
  WavWriter::writeTone(dir.file("merge.wav"), WavWriter::kRate / 5, kToneHz, 0.5);
  setenv("SDL_AUDIODRIVER", "no_such_driver", 1);

  ConsoleCapture console;
  MixerBackend mixer;
  const bool opened = mixer.open();
  const bool loaded = mixer.loadSample(0, dir.file("merge.wav"));
  mixer.playSample(0);
  mixer.playMusic(dir.file("merge.wav"));
  // The game's own bank, from start-up to play, over the same missing device.
  SoundBank::instance().loadSounds();
  SoundBank::instance().playMusic("./res/audio/Tolvaren_Drift2.mp3");
  for (int index = 0; index < SoundBank::kSoundCount; ++index) SoundBank::instance().playSound(index);
  console.finish();

  EXPECT_FALSE(opened);
  EXPECT_FALSE(loaded);
  EXPECT_FALSE(mixer.isOpen());
  EXPECT_EQ(mixer.playingVoices(0), 0);
  EXPECT_EQ(mixer.musicStreams(), 0);
  EXPECT_EQ(console.out(), "");
  EXPECT_EQ(console.err(), "");
}

TEST_F(MixerBackendTest, MissingSoundCardPrintsNothing) {
  // On a machine without a sound card ALSA fails with a page of "ALSA lib ..."
  // lines; on one with a card the output simply opens. Either way the console
  // stays clean.
  for (const char* driver : {"alsa", ""}) {
    if (*driver != '\0') {
      setenv("SDL_AUDIODRIVER", driver, 1);
    } else {
      unsetenv("SDL_AUDIODRIVER");  // SDL's own pick
    }
    ConsoleCapture console;
    {
      MixerBackend mixer;
      mixer.open();
    }
    console.finish();
    EXPECT_EQ(console.out(), "") << "driver '" << driver << "'";
    EXPECT_EQ(console.err(), "") << "driver '" << driver << "'";
  }
}

TEST_F(MixerBackendTest, UnreadableSamplesPlayNothingAndTheRestStillPlay) {
  ScratchDir dir;
  WavWriter::writeBroken(dir.file("broken.wav"));
  WavWriter::writeTone(dir.file("good.wav"), kLongFrames, kToneHz, 0.3);
  std::filesystem::create_directory(dir.file("folder.wav"));
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open());

  ConsoleCapture console;
  EXPECT_FALSE(mixer.loadSample(0, dir.file("missing.wav")));
  EXPECT_FALSE(mixer.loadSample(1, dir.file("broken.wav")));
  EXPECT_FALSE(mixer.loadSample(2, dir.file("folder.wav")));
  EXPECT_FALSE(mixer.loadSample(3, ""));
  for (int index = 0; index <= 3; ++index) mixer.playSample(index);
  console.finish();
  EXPECT_EQ(Mix_Playing(-1), 0) << "an unreadable sample made a channel sound";
  EXPECT_EQ(console.out() + console.err(), "");

  // A sample that fails to reload is silent afterwards, not the old sound.
  ASSERT_TRUE(mixer.loadSample(4, dir.file("good.wav")));
  mixer.playSample(4);
  EXPECT_EQ(mixer.playingVoices(4), 1);
  EXPECT_FALSE(mixer.loadSample(4, dir.file("missing.wav")));
  EXPECT_EQ(mixer.playingVoices(4), 0);
  mixer.playSample(4);
  EXPECT_EQ(Mix_Playing(-1), 0);

  ASSERT_TRUE(mixer.loadSample(37, dir.file("good.wav")));
  mixer.playSample(37);
  EXPECT_EQ(mixer.playingVoices(37), 1);
}

TEST_F(MixerBackendTest, IndicesOutsideTheBankLoadAndPlayNothing) {
  ScratchDir dir;
  WavWriter::writeTone(dir.file("good.wav"), kLongFrames, kToneHz, 0.3);
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open());
  for (int index = 0; index < MixerBackend::kSampleSlots; ++index) {
    ASSERT_TRUE(mixer.loadSample(index, dir.file("good.wav")));
  }
  for (int index : {-1, 38, 152, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(mixer.loadSample(index, dir.file("good.wav"))) << index;
    mixer.playSample(index);
    EXPECT_EQ(mixer.playingVoices(index), 0) << index;
    EXPECT_EQ(MixerBackend::voiceChannel(index, 0), -1) << index;
  }
  EXPECT_EQ(Mix_Playing(-1), 0) << "a play outside 0..37 reached some sample's channel";
  EXPECT_EQ(MixerBackend::voiceChannel(0, MixerBackend::kVoicesPerSample), -1);

  // Every voice of every sample has a channel of its own inside the mixer's range.
  std::vector<int> owners(Mix_AllocateChannels(-1), -1);
  for (int index = 0; index < MixerBackend::kSampleSlots; ++index) {
    for (int voice = 0; voice < MixerBackend::kVoicesPerSample; ++voice) {
      const int channel = MixerBackend::voiceChannel(index, voice);
      ASSERT_GE(channel, 0);
      ASSERT_LT(channel, static_cast<int>(owners.size())) << "sample " << index << " voice " << voice;
      EXPECT_EQ(owners[channel], -1) << "samples " << owners[channel] << " and " << index
                                     << " share a channel";
      owners[channel] = index;
    }
  }
}
