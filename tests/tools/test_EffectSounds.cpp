// The sound effects as a player hears them: every one a 44100 Hz wave with
// headroom, chain steps that climb, clicks that are short and crisp.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AssetFiles.h"
#include "audio/SoundBank.h"

namespace {

using AssetFiles::Pcm;

std::string audio(const std::string& name) { return (AssetFiles::resDir() / "audio" / name).string(); }

std::string chainFile(int step) {
  char name[32];
  std::snprintf(name, sizeof name, "chain%02d.wav", step);
  return audio(name);
}

TEST(EffectSounds, EverySampleIsA44100HzWaveThatNeverClips) {
  for (const char* file : SoundBank::soundFiles()) {
    SCOPED_TRACE(file);
    const Pcm pcm = AssetFiles::readWave(AssetFiles::resDir().parent_path() / file);
    EXPECT_EQ(pcm.rate, 44100);
    EXPECT_GT(pcm.seconds(), 0.03);
    EXPECT_LT(pcm.seconds(), 1.5) << "an effect should be over before the next one";
    // Normalised: clearly audible, yet short of full scale.
    EXPECT_GT(pcm.peak(), 0.3);
    EXPECT_LT(pcm.peak(), 0.95);
  }
}

TEST(EffectSounds, EachChainStepSoundsHigherThanTheLast) {
  double previous = 0.0, first = 0.0;
  for (int step = 1; step <= 12; ++step) {
    const Pcm pcm = AssetFiles::readWave(chainFile(step));
    ASSERT_EQ(pcm.channels, 1);
    const double hz = AssetFiles::fundamentalHz(pcm, 0.02, 0.12);
    SCOPED_TRACE("chain" + std::to_string(step) + " at " + std::to_string(hz) + " Hz");
    EXPECT_GT(hz, previous * 1.03) << "a step of a long chain does not climb";
    if (step == 1) first = hz;
    previous = hz;
  }
  EXPECT_GT(previous / first, 2.0) << "twelve steps should climb more than an octave";
}

TEST(EffectSounds, GroupsHaveVarietyAndClicksAreShortest) {
  // No two sounds of a group are the same file, so repeats do not drone.
  const auto& files = SoundBank::soundFiles();
  std::vector<Pcm> all;
  for (const char* file : files)
    all.push_back(AssetFiles::readWave(AssetFiles::resDir().parent_path() / file));
  const int groups[4][2] = {{SoundBank::kMergeFirst, SoundBank::kMergeCount},
                            {SoundBank::kPopFirst, SoundBank::kPopCount},
                            {SoundBank::kClickFirst, SoundBank::kClickCount},
                            {SoundBank::kChainFirst, SoundBank::kChainCount}};
  for (const auto& group : groups)
    for (int a = group[0]; a < group[0] + group[1]; ++a)
      for (int b = a + 1; b < group[0] + group[1]; ++b)
        EXPECT_NE(all[a].samples, all[b].samples) << files[a] << " and " << files[b] << " are the same sound";

  double longestClick = 0.0, shortestOther = 1e9;
  for (int i = 0; i < SoundBank::kSoundCount; ++i) {
    const bool click = i >= SoundBank::kClickFirst && i < SoundBank::kClickFirst + SoundBank::kClickCount;
    if (click)
      longestClick = std::max(longestClick, all[i].seconds());
    else
      shortestOther = std::min(shortestOther, all[i].seconds());
  }
  EXPECT_LT(longestClick, 0.15);
  EXPECT_LT(longestClick, shortestOther);
}

}  // namespace
