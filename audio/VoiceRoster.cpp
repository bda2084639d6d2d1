#include "audio/VoiceRoster.h"

int VoiceRoster::take(int index, const Sounding& sounding) {
  if (!inBank(index)) return -1;
  auto& starts = starts_[index];
  int chosen = 0;
  for (int voice = 0; voice < kVoicesPerSample; ++voice) {
    if (!sounding[voice]) {
      chosen = voice;
      break;
    }
    if (starts[voice] < starts[chosen]) chosen = voice;
  }
  starts[chosen] = ++startCounter_;
  return chosen;
}
