// The chain steps, through the bank's index map, as the game plays them.

#include <gtest/gtest.h>

#include <string>

#include "AssetFiles.h"
#include "assets/AssetTree.h"

namespace {

TEST(EffectSounds, EachChainStepSoundsHigherThanTheLast) {
  double previous = 0.0, first = 0.0;
  for (int step = 0; step < AssetTree::kChainSounds.count(); ++step) {
    const AssetTree::File& file = AssetTree::kSounds[AssetTree::kChainSounds.first + step];
    const double hz = AssetFiles::fundamentalHz(AssetFiles::readWave(AssetFiles::built(file)), 0.02, 0.12);
    SCOPED_TRACE("chain step " + std::to_string(step + 1) + " at " + std::to_string(hz) + " Hz");
    EXPECT_GT(hz, previous * 1.03) << "a step of a long chain does not climb";
    if (step == 0) first = hz;
    previous = hz;
  }
  EXPECT_GT(previous / first, 2.0) << "twelve steps should climb more than an octave";
}

}  // namespace
