// The sound effects as the game plays them, through the bank's index map:
// every one a 44100 Hz wave with headroom, and chain steps that climb.

#include <gtest/gtest.h>

#include <string>

#include "AssetFiles.h"
#include "assets/AssetTree.h"

namespace {

AssetFiles::Pcm sound(int index) {
  return AssetFiles::readWave(AssetFiles::built(AssetTree::kSounds[index]));
}

TEST(EffectSounds, EverySampleIsAShort44100HzWaveThatNeverClips) {
  for (int index = 0; index < static_cast<int>(AssetTree::kSounds.size()); ++index) {
    SCOPED_TRACE(AssetTree::kSounds[index].path);
    const AssetFiles::Pcm pcm = sound(index);
    EXPECT_EQ(pcm.rate, 44100);
    EXPECT_EQ(pcm.channels, 1);
    EXPECT_GT(pcm.seconds(), 0.03);
    EXPECT_LT(pcm.seconds(), 1.5) << "an effect should be over before the next one";
    EXPECT_GT(pcm.peak(), 0.3) << "hardly audible";
    EXPECT_LT(pcm.peak(), 0.95) << "no headroom";
  }
}

TEST(EffectSounds, EachChainStepSoundsHigherThanTheLast) {
  double previous = 0.0, first = 0.0;
  for (int step = 0; step < AssetTree::kChainSounds.count(); ++step) {
    const double hz = AssetFiles::fundamentalHz(sound(AssetTree::kChainSounds.first + step), 0.02, 0.12);
    SCOPED_TRACE("chain step " + std::to_string(step + 1) + " at " + std::to_string(hz) + " Hz");
    EXPECT_GT(hz, previous * 1.03) << "a step of a long chain does not climb";
    if (step == 0) first = hz;
    previous = hz;
  }
  EXPECT_GT(previous / first, 2.0) << "twelve steps should climb more than an octave";
}

}  // namespace
