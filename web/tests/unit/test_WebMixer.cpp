#include "web/audio/WebMixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <numbers>
#include <vector>

namespace {

constexpr int kRate = 44100;       // Hz
constexpr int kBlockFrames = 512;  // the web back end's block
constexpr int kSides = WebMixer::kOutputChannels;

// Counts every allocation of the process, so a test can see the mix make none.
long allocations = 0;

using Pcm = WebMixer::Pcm;

// `frames` frames holding one value a channel: mono, or left and right.
Pcm constant(int frames, std::initializer_list<float> channels) {
  Pcm pcm{static_cast<int>(channels.size()), frames, {}};
  for (float value : channels) pcm.samples.insert(pcm.samples.end(), frames, value);
  return pcm;
}

// A full-scale mono sine of `cycles` whole periods over `frames` frames, so it
// joins end to start without a step.
float loopSine(int frame, int frames, int cycles) {
  return static_cast<float>(std::sin(2.0 * std::numbers::pi * cycles * frame / frames));
}
Pcm sine(int frames, int cycles) {
  Pcm pcm{1, frames, std::vector<float>(frames)};
  for (int frame = 0; frame < frames; ++frame) pcm.samples[frame] = loopSine(frame, frames, cycles);
  return pcm;
}

// The next `frames` frames of the mix, a block at a time as the page asks for them.
std::vector<float> mixed(WebMixer& mixer, int frames) {
  std::vector<float> out(kSides * frames);
  for (int done = 0; done < frames; done += kBlockFrames)
    mixer.mix(&out[kSides * done], std::min(kBlockFrames, frames - done));
  return out;
}

float peakOf(const std::vector<float>& samples) {
  return std::ranges::max(samples, {}, [](float s) { return std::abs(s); });
}

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

TEST(WebMixerTest, FifthPlayCutsTheCopyThatStartedFirstWhileTheOtherThreeAndOtherSoundsPlayOn) {
  constexpr int kLength = 1000, kApart = 100;  // frames
  constexpr int kMerge = 5, kOtherMerge = 6;
  WebMixer mixer(kRate);
  // One merge only on the left, another only on the right: each side's level
  // counts the copies of one sound that are sounding. Quiet enough that the
  // limiter leaves the sum alone.
  constexpr float kValue = 0.1f;
  mixer.setSample(kMerge, constant(kLength, {kValue, 0.0f}));
  mixer.setSample(kOtherMerge, constant(kLength, {0.0f, kValue}));
  const float copy = kValue * static_cast<float>(SoundBank::kMergeLevel);
  const auto copiesAt = [&](const std::vector<float>& out, int frame, int side) {
    return std::lround(out[kSides * frame + side] / copy);
  };

  // Four copies started kApart frames from each other, the other merge once.
  for (int play = 0; play < 4; ++play) {
    mixer.play(kMerge);
    if (play == 1) mixer.play(kOtherMerge);
    mixed(mixer, kApart);
  }
  // The fifth play restarts the first copy, 400 frames in; the others, 300,
  // 200 and 100 frames in, end 700, 800 and 900 frames later, the restarted
  // one after 1000. The other merge, 300 frames in, is untouched.
  mixer.play(kMerge);
  const std::vector<float> after = mixed(mixer, kLength + kApart);
  for (auto [frame, merges] : {std::pair{0, 4}, {650, 4}, {750, 3}, {850, 2}, {950, 1}, {1050, 0}})
    EXPECT_EQ(copiesAt(after, frame, 0), merges)
        << "copies heard " << frame << " frames after the fifth play";
  for (auto [frame, others] : {std::pair{0, 1}, {650, 1}, {750, 0}})
    EXPECT_EQ(copiesAt(after, frame, 1), others)
        << "the other merge, " << frame << " frames after the fifth play";
}

TEST(WebMixerTest, EachGroupAndTheMusicPlayAtTheirLevelOnceOnBothSides) {
  constexpr int kLength = 4410;  // frames
  // The first and last index of each group: merges, pops, clicks, chain steps.
  for (int index : {0, 13, 14, 19, 20, 25, 26, 37}) {
    SCOPED_TRACE(index);
    WebMixer mixer(kRate);
    mixer.setSample(index, constant(kLength, {1.0f}));
    mixer.play(index);
    const std::vector<float> out = mixed(mixer, 2 * kLength);
    const auto heard =
        std::ranges::count_if(out, [&](float s) { return std::abs(s - SoundBank::levelOf(index)) < 1e-5; });
    EXPECT_EQ(heard, kSides * kLength)
        << "a mono sample is not heard at its group's level on both sides throughout";
    EXPECT_EQ(peakOf({out.begin() + kSides * kLength, out.end()}), 0.0f)
        << "the sample played more than once";
  }

  WebMixer mixer(kRate);
  mixer.setSample(SoundBank::kClickFirst, constant(kLength, {0.5f, -0.25f}));
  mixer.play(SoundBank::kClickFirst);
  const std::vector<float> stereo = mixed(mixer, 1);
  EXPECT_NEAR(stereo[0], 0.5 * SoundBank::kClickLevel, 1e-6) << "left";
  EXPECT_NEAR(stereo[1], -0.25 * SoundBank::kClickLevel, 1e-6) << "right";

  mixer.setMusic(constant(kLength, {1.0f}));
  EXPECT_NEAR(mixed(mixer, 1)[1], (-0.25 * SoundBank::kClickLevel) + SoundBank::kMusicLevel, 1e-6)
      << "the music does not play at its level";
}

TEST(WebMixerTest, MusicLoopsWithoutAGapOrAStepForeverAndANewTrackReplacesTheOldFromItsStart) {
  // A loop whose length no block divides, so the seam falls inside blocks.
  // The second track comes in mid-loop too.
  constexpr int kLoop = 999, kCycles = 9;  // frames, whole periods in the loop
  constexpr int kSeconds = 10;
  WebMixer mixer(kRate);
  mixer.setMusic(sine(kLoop, kCycles));
  const std::vector<float> out = mixed(mixer, kSeconds * kRate);
  int wrong = 0;
  for (int frame = 0; frame < kSeconds * kRate; ++frame) {
    const double expected = SoundBank::kMusicLevel * loopSine(frame % kLoop, kLoop, kCycles);
    wrong += std::abs(out[kSides * frame] - expected) > 1e-5 ||
             std::abs(out[kSides * frame + 1] - expected) > 1e-5;
  }
  EXPECT_EQ(wrong, 0) << "the looping music strays from the track: a gap, a jump at the seam, or an end";

  // A second track in the middle of the loop: only it is heard, from its first frame.
  mixer.setMusic(sine(kLoop, 1));
  const std::vector<float> replaced = mixed(mixer, 300);
  EXPECT_NEAR(replaced[kSides * 250], SoundBank::kMusicLevel * loopSine(250, kLoop, 1), 1e-5)
      << "the first track still plays under the second, or the second did not start at its beginning";
  mixer.stopMusic();
  EXPECT_EQ(peakOf(mixed(mixer, kBlockFrames)), 0.0f) << "music plays after it was freed";
}

TEST(WebMixerTest, AStormOfEverySoundOnAllVoicesOverTheMusicNeverReachesFullScale) {
  WebMixer mixer(kRate);
  for (int index = 0; index < SoundBank::kSoundCount; ++index) mixer.setSample(index, sine(kRate, 440));
  mixer.setMusic(sine(kRate, 440));
  for (int play = 0; play < 4; ++play)
    for (int index = 0; index < SoundBank::kSoundCount; ++index) mixer.play(index);
  // Every copy in phase: about 80 times full scale before the limiter.
  const float peak = peakOf(mixed(mixer, kRate / 2));
  EXPECT_LT(peak, 32767.0f / 32768.0f) << "the storm reaches full scale, even as 16 bits: it clips";
  EXPECT_GT(peak, MixLimiter::kThreshold) << "the storm was barely heard";
}

TEST(WebMixerTest, NothingSoundsUnloadedOrOutsideTheBankAndMixingAllocatesNothing) {
  WebMixer mixer(kRate);
  for (int index = 0; index < SoundBank::kSoundCount; ++index) mixer.play(index);
  EXPECT_EQ(peakOf(mixed(mixer, kBlockFrames)), 0.0f) << "a sound played before anything was loaded";

  for (int index : {-1, SoundBank::kSoundCount}) {
    mixer.setSample(index, constant(kRate, {1.0f}));
    mixer.play(index);
  }
  // A decoded sound shorter than it claims is no sound rather than a read past its end.
  mixer.setSample(0, Pcm{2, kRate, std::vector<float>(kRate, 1.0f)});
  mixer.play(0);
  EXPECT_EQ(peakOf(mixed(mixer, kBlockFrames)), 0.0f)
      << "an index outside the bank, or a broken sound, was heard";

  mixer.setSample(1, constant(kRate, {0.1f}));
  mixer.play(1);
  mixer.setMusic(sine(kRate, 440));
  std::vector<float> block(kSides * kBlockFrames);
  const long before = allocations;
  for (int round = 0; round < 10; ++round) mixer.mix(block.data(), kBlockFrames);
  EXPECT_EQ(allocations, before) << "the mix allocates while the page waits for its block";
  EXPECT_GT(peakOf(block), 0.0f);
}
