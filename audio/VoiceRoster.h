#pragma once
// Which of a sample's voices a new play takes, for every audio back end: a
// silent voice if the sample has one, else the voice whose play started first,
// which the new play cuts and restarts. So up to four copies of one sound
// overlap, a fifth cuts the oldest, and different samples never take each
// other's voices.
//
// The back end owns the voices and says which of them are sounding; the roster
// keeps only the order in which they started. The order is counted, not timed:
// plays within one frame, or within one millisecond, still have a first.

#include <array>
#include <cstdint>

#include "audio/SoundBank.h"

class VoiceRoster {
 public:
  static constexpr int kVoicesPerSample = 4;
  static constexpr int kSampleSlots = SoundBank::kSoundCount;  // one slot per sound of the bank

  // Whether each voice of one sample is sounding right now.
  using Sounding = std::array<bool, kVoicesPerSample>;

  static bool inBank(int index) { return index >= 0 && index < kSampleSlots; }

  // The voice a new play of the sample takes, given which of its voices are
  // sounding; counts that voice as started now. -1 outside the bank. A sample
  // whose file was replaced needs no reset: its voices all fell silent, and
  // each has started afresh before the order between them matters again.
  int take(int index, const Sounding& sounding);

 private:
  // The value of startCounter_ when each voice last started, 0 for never.
  std::array<std::array<std::uint64_t, kVoicesPerSample>, kSampleSlots> starts_{};
  std::uint64_t startCounter_ = 0;
};
