// The music as the mixer plays it: decoded from the MP3 with gapless trimming,
// it lasts over a minute, never clips, and joins its end to its start without
// a gap or a click.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "AssetFiles.h"
#include "assets/AssetTree.h"

namespace {

TEST(MusicTrack, AMinuteOrMoreAt44100HzThatNeverClipsAndLoopsWithoutAGapOrAClick) {
  const AssetFiles::Pcm m = AssetFiles::decodeMp3(AssetFiles::built(AssetTree::kMusic));
  ASSERT_EQ(m.channels, 2);
  EXPECT_EQ(m.rate, 44100);
  EXPECT_GE(m.seconds(), 60.0);
  // The mix's levels are staged against the peak the tune is made to; the
  // encoder takes a little off it.
  EXPECT_NEAR(m.peak(), AssetTree::kMusicPeak, 0.05);
  // No silence at either end: the encoder's padding is trimmed and the notes
  // ringing past the end were folded back onto the start. (A gap would be
  // digital silence, far below this.)
  const std::size_t frames = m.samples.size() / 2, edge = m.rate / 100;  // 10 ms
  EXPECT_GT(m.peak(0, edge), m.peak() * 0.1) << "the loop starts with a gap";
  EXPECT_GT(m.peak(frames - edge, edge), m.peak() * 0.1) << "the loop ends with a gap";
  // The step from the last frame back to the first is no bigger than the
  // steps the music takes anyway.
  double largestStep = 0.0;
  for (std::size_t i = 2; i < m.samples.size(); ++i)
    largestStep = std::max(largestStep, static_cast<double>(std::abs(m.samples[i] - m.samples[i - 2])));
  for (int channel = 0; channel < 2; ++channel)
    EXPECT_LE(std::abs(m.samples[channel] - m.samples[m.samples.size() - 2 + channel]), largestStep)
        << "the loop clicks where it joins, channel " << channel;
}

}  // namespace
