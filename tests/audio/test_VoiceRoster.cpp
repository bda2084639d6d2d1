#include "audio/VoiceRoster.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kVoices = VoiceRoster::kVoicesPerSample;

// A sample's voices as a back end sees them: each play takes the voice the
// roster names and keeps it sounding until the test lets it end.
struct Voices {
  VoiceRoster::Sounding sounding{};
  int play(VoiceRoster& roster, int index) {
    const int voice = roster.take(index, sounding);
    if (voice >= 0) sounding[voice] = true;
    return voice;
  }
};

}  // namespace

TEST(VoiceRosterTest, FourPlaysOfASoundOverlapAndEveryFurtherPlayCutsTheCopyThatStartedFirst) {
  VoiceRoster roster;
  Voices merge;
  std::vector<int> startOrder;
  for (int play = 0; play < kVoices; ++play) startOrder.push_back(merge.play(roster, 3));
  EXPECT_EQ(startOrder, (std::vector<int>{0, 1, 2, 3}))
      << "a play took a sounding voice while one was silent";
  // The mixer's case sees further plays come round the voices in their start
  // order. A copy that ends by itself frees its voice for the next play, even
  // though that voice did not start first; the play after that cuts the oldest.
  merge.sounding[2] = false;
  EXPECT_EQ(merge.play(roster, 3), 2);
  EXPECT_EQ(merge.play(roster, 3), 0) << "voice 0 started longest ago";
}

TEST(VoiceRosterTest, DifferentSoundsKeepTheirOwnOrderAndIndicesOutsideTheBankGetNoVoice) {
  VoiceRoster roster;
  Voices merge, pop;
  for (int play = 0; play < kVoices; ++play) merge.play(roster, 0);
  // The pop's plays, all later than the merges', start its own voices from
  // the first, and do not make the merges' oldest copy any younger.
  for (int play = 0; play < kVoices + 1; ++play) pop.play(roster, SoundBank::kSoundCount - 1);
  EXPECT_EQ(merge.play(roster, 0), 0) << "a pop changed which merge is oldest";
  EXPECT_EQ(pop.play(roster, SoundBank::kSoundCount - 1), 1);

  for (int index : {-1, SoundBank::kSoundCount}) EXPECT_EQ(roster.take(index, {}), -1) << index;
}
