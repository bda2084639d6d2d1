#include "audio/MixerBackend.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "ToneFile.h"
#include "assets/AssetTree.h"
#include "audio/SoundBank.h"
#include "support/ScratchDir.h"

namespace {

using namespace ::testing::internal;  // capturing the output

constexpr int kLongFrames = 3 * kToneRate;  // 3 s: nothing ends by itself during a test

// Channels whose play was cut, in order: with 3 s tones, only restarts.
std::vector<int> cutChannels;
void recordCut(int channel) { cutChannels.push_back(channel); }

// Plays the sample once and returns the channel that began sounding, -1 if none.
int playOnFreshChannel(MixerBackend& mixer, int index) {
  std::vector<bool> before;
  for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) before.push_back(Mix_Playing(channel));
  mixer.playSample(index);
  for (int channel = 0; channel < std::ssize(before); ++channel)
    if (!before[channel] && Mix_Playing(channel) != 0) return channel;
  return -1;
}

// How many of this process's open file descriptors refer to the file.
int openHandlesTo(const std::string& path) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    count += std::filesystem::read_symlink(entry.path(), error) == std::filesystem::weakly_canonical(path);
  }
  return count;
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// SDL's disk driver writes the mix, as floats, to this file.
void mixToDisk(const std::string& output) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
}

std::vector<float> readMix(const std::string& output) {
  std::vector<float> mix(std::filesystem::file_size(output) / sizeof(float));
  std::ifstream(output, std::ios::binary)
      .read(reinterpret_cast<char*>(mix.data()), static_cast<std::streamsize>(mix.size() * sizeof(float)));
  return mix;
}

// Frames of the final mix so far, counted by the test on the mix itself, so
// that the script keeps to the mix's own time however fast the disk driver runs.
std::atomic<std::int64_t> mixedFrames{0};
void countMixedFrames(int, void*, int bytes, void*) {
  mixedFrames += bytes / (MixerBackend::kBytesPerSample * MixerBackend::kOutputChannels);
}

constexpr int kStartMusic = -1, kStopMusic = -2;  // the track starts from its beginning
struct Cue {
  double seconds;  // after the call of the last cue that began a section
  int index;       // a sound, kStartMusic or kStopMusic
  bool beginsSection = false;
};

// A lone click on silence, the music alone for 6 s, then the music from its
// beginning again under the loudest play the game can produce: every merge on
// all four voices three times over (the first merges of a game), a run of
// chain steps, a spree of clicks, and at last every sound of the bank four
// times at once, 4.3 s after the restart.
std::vector<Cue> worstCaseScript() {
  std::vector<Cue> cues{{0.1, SoundBank::kClickFirst, true},
                        {0.3, kStartMusic, true},
                        {6.0, kStopMusic, true},
                        {0.1, kStartMusic, true}};
  const auto add = [&cues](double at, double apart, int plays, int first, int count) {
    for (int play = 0; play < plays; ++play) cues.push_back({at + apart * play, first + play % count});
  };
  for (double at : {0.2, 0.25, 0.3}) add(at, 0.0, 4 * SoundBank::kMergeCount, 0, SoundBank::kMergeCount);
  add(1.0, 0.12, SoundBank::kChainCount, SoundBank::kChainFirst, SoundBank::kChainCount);
  add(2.8, 0.03, 40, SoundBank::kClickFirst, SoundBank::kClickCount);
  add(4.3, 0.0, 4 * SoundBank::kSoundCount, 0, SoundBank::kSoundCount);
  return cues;
}

double dB(double level) { return 20.0 * std::log10(level + 1e-9); }

// The largest sample size in the stretch.
float peakOf(std::span<const float> samples) {
  return std::abs(*std::ranges::max_element(samples, {}, [](float s) { return std::abs(s); }));
}

// Each case picks its own output: SDL's silent real-time "dummy" driver unless
// it says otherwise.
class MixerBackendTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

}  // namespace

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
  const std::string title = dir.file("title.wav"), play = dir.file("play.wav");
  writeTone(title, kToneRate / 10, 0.2);  // 0.1 s, so looping shows quickly
  writeTone(play, kToneRate / 10, 0.2);
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open());
  mixer.playMusic(title);
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

TEST_F(MixerBackendTest, DiskOutputHoldsAPlayedSampleOnceAt44100HzAndSilenceOtherwise) {
  constexpr int kToneFrames = kToneRate / 5;  // 0.2 s
  constexpr double kAmplitude = 0.5;
  for (bool played : {true, false}) {
    SCOPED_TRACE(played ? "played" : "not played");
    ScratchDir dir;
    mixToDisk(dir.file("output.raw"));
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
    const std::vector<float> pcm = readMix(dir.file("output.raw"));
    ASSERT_GT(pcm.size(), 0u) << "the disk driver wrote nothing";
    const auto loud = [](float s) { return s != 0.0f; };
    const auto first = std::find_if(pcm.begin(), pcm.end(), loud);
    if (!played) {
      EXPECT_EQ(first, pcm.end()) << "a sample nobody played was heard";
      continue;
    }
    ASSERT_NE(first, pcm.end()) << "a played sample was never heard";
    const auto last = std::find_if(pcm.rbegin(), pcm.rend(), loud).base();
    EXPECT_NEAR(peakOf(std::span<const float>(first, last)), kAmplitude * SoundBank::kClickLevel, 0.02)
        << "the tone is not heard at a click's level";
    // Both stereo sides carry the mono tone; it sounds once, for its whole length.
    EXPECT_NEAR((last - first) / 2, kToneFrames, 4);
  }
}

TEST_F(MixerBackendTest, OpensOnceLeavesCtrlCToTheGameAndWithoutACardOrReadableFilesRunsOnSilently) {
  ScratchDir dir;  // the bank's files are missing here
  std::ofstream(dir.file("broken.wav"), std::ios::binary)
      << std::string("RIFF\x40\0\0\0WAVE", 12) << std::string(60, 'Z');
  std::filesystem::create_directory(dir.file("folder.wav"));
  // A driver that does not exist; ALSA, which without a card prints a page of
  // "ALSA lib ..." lines; SDL's own pick, which opens where there is a card.
  for (const char* driver : {"no_such_driver", "alsa", ""}) {
    SCOPED_TRACE(std::string("driver '") + driver + "'");
    *driver != '\0' ? setenv("SDL_AUDIODRIVER", driver, 1) : unsetenv("SDL_AUDIODRIVER");
    CaptureStdout();
    CaptureStderr();
    {
      SoundBank bank;
      bank.loadSounds();
      bank.playMusic(AssetTree::kMusic.path);
      for (int index = 0; index < SoundBank::kSoundCount; ++index) bank.playSound(index);
    }
    EXPECT_EQ(GetCapturedStdout() + GetCapturedStderr(), "") << "the game printed about its sound";
  }

  setenv("SDL_AUDIODRIVER", "dummy", 1);
  MixerBackend mixer;
  ASSERT_TRUE(mixer.open()) << SDL_GetError();
  ASSERT_TRUE(mixer.open());
  EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 1) << "a second open opened the output again";
  for (int signal : {SIGINT, SIGTERM}) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    EXPECT_EQ(action.sa_handler, SIG_DFL) << "SDL took over signal " << signal << ": the game no longer ends";
  }
  CaptureStdout();
  CaptureStderr();
  const std::string unreadable[] = {dir.file("missing.wav"), dir.file("broken.wav"), dir.file("folder.wav"),
                                    ""};
  for (int index = 0; index < 4; ++index) {
    EXPECT_FALSE(mixer.loadSample(index, unreadable[index])) << unreadable[index];
    mixer.playSample(index);
  }
  EXPECT_EQ(GetCapturedStdout() + GetCapturedStderr(), "") << "an unreadable sample printed";
  EXPECT_EQ(Mix_Playing(-1), 0) << "an unreadable sample made a channel sound";
}

TEST_F(MixerBackendTest, WorstCasePlayNeverReachesFullScaleNorPumpsAndClicksStayAboveTheMusic) {
  constexpr int kRate = MixerBackend::kOutputRate, kSides = MixerBackend::kOutputChannels;
  constexpr std::int64_t kWindow = kRate / 100;  // 10 ms
  const ScratchDir dir;
  std::filesystem::copy(
      PLOMBRIX_BUILD_DIR "/res/audio", dir.file("res/audio"),
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  mixToDisk(dir.file("output.raw"));
  setenv("SDL_DISKAUDIODELAY", "1", 1);  // ms between buffers: far faster than real time
  SoundBank& bank = SoundBank::instance();
  bank.loadSounds();
  ASSERT_NE(Mix_RegisterEffect(MIX_CHANNEL_POST, countMixedFrames, nullptr, nullptr), 0) << Mix_GetError();

  // A cue sounds from the first buffer mixed after its call: between the frame
  // counts read just before and just after it. Sections count from the end of
  // their first call, so that neither a late test thread nor a slow load of
  // the track runs them into each other.
  std::vector<std::pair<std::int64_t, std::int64_t>> calls;
  std::int64_t section = 0;
  for (const Cue& cue : worstCaseScript()) {
    while (mixedFrames < section + cue.seconds * kRate) sleepMs(1);
    const std::int64_t before = mixedFrames;
    if (cue.index >= 0) bank.playSound(cue.index);
    if (cue.index < 0) bank.playMusic(cue.index == kStartMusic ? AssetTree::kMusic.path : "");
    calls.emplace_back(before, mixedFrames);
    if (cue.beginsSection) section = mixedFrames;
  }
  const std::int64_t end = calls.back().second + kRate * 6 / 10;  // the storm's tail
  while (mixedFrames < end) sleepMs(1);
  SoundBank::instance() = SoundBank();  // closes the output, which flushes the file

  const std::vector<float> mix = readMix(dir.file("output.raw"));
  const auto heardFrom = [&](std::int64_t frame) {  // the first frame from there on that is not silent
    const auto start = mix.begin() + std::clamp<std::int64_t>(frame * kSides, 0, std::ssize(mix));
    return (std::find_if(start, mix.end(), [](float s) { return s != 0.0f; }) - mix.begin()) / kSides;
  };
  // The file also holds the buffers mixed before the count began. The lone
  // click starts a buffer of the file, which places the counted frames; both
  // music starts follow a silence and begin with the same decoded frames.
  const std::int64_t click = heardFrom(0) / MixerBackend::kMixFrames * MixerBackend::kMixFrames;
  const std::int64_t earliest = click - calls[0].second, latest = click - calls[0].first;
  const std::int64_t music = heardFrom(calls[1].first + earliest),
                     restart = heardFrom(calls[2].second + latest);
  // The music alone, and the same music under the storm until the output began to close.
  const std::int64_t stretch = calls[2].first + earliest - music, storm = end + earliest - restart;
  ASSERT_GE(stretch, storm) << "the test thread fell far behind the mix";
  const auto slice = [&](std::int64_t from, std::int64_t frames) {
    return std::span<const float>(mix).subspan(from * kSides, frames * kSides);
  };

  const double clickPeak = dB(peakOf(slice(click, kRate / 10))),
               musicPeak = dB(peakOf(slice(music, stretch)));
  const auto fullScale =
      std::ranges::count_if(mix, [](float s) { return std::abs(s) >= 32767.0f / 32768.0f; });
  std::printf("full-scale samples %td of %zu; peak %.2f dBFS; click %.2f dBFS; music %.2f dBFS\n", fullScale,
              mix.size(), dB(peakOf(mix)), clickPeak, musicPeak);
  EXPECT_EQ(fullScale, 0) << "the mix reaches full scale, even as 16 bits: it clips";
  EXPECT_GE(clickPeak - musicPeak, 6.0) << "a click does not stand out from the music";

  // Every effect is mono and the music is stereo, so the difference of the two
  // sides is the music alone, times the gain the limiter applied. Against the
  // same music before the restart it shows that gain every 10 ms. The gain may
  // drop at once when a storm breaks, but must come back slowly, or the music
  // would pump; clipping either side would tear the difference apart.
  constexpr double kMaxRecovery = 1.5;  // dB a window: a release slower than about 60 ms
  const auto sideLevel = [&](std::int64_t from) {
    const auto s = slice(from, kWindow);
    double sum = 0.0;
    for (std::size_t i = 0; i < s.size(); i += kSides) sum += (s[i] - s[i + 1]) * (s[i] - s[i + 1]);
    return dB(std::sqrt(sum / kWindow));
  };
  double gain = 0.0;
  for (std::int64_t from = 0; from + kWindow <= storm; from += kWindow) {
    const double next = sideLevel(restart + from) - sideLevel(music + from);
    EXPECT_LE(next - gain, kMaxRecovery)
        << "the level jumps " << static_cast<double>(from) / kRate << " s after the music restarts";
    gain = next;
  }
}
