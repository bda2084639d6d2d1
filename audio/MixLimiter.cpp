#include "audio/MixLimiter.h"

#include <algorithm>
#include <cmath>

namespace {

// Below the threshold a sample passes as it is; above, it bends towards the
// ceiling along x / (1 + x), whose slope of 1 at the knee leaves no corner to
// hear, and which reaches the ceiling only at infinity.
float softClip(float sample) {
  constexpr float kRoom = MixLimiter::kCeiling - MixLimiter::kThreshold;
  const float size = std::abs(sample);
  if (size <= MixLimiter::kThreshold) return sample;
  const float over = (size - MixLimiter::kThreshold) / kRoom;
  return std::copysign(MixLimiter::kThreshold + kRoom * over / (1.0f + over), sample);
}

// The per-frame coefficient of a one-pole smoother with that time constant.
float perFrame(double seconds, int rate) { return static_cast<float>(std::exp(-1.0 / (seconds * rate))); }

}  // namespace

MixLimiter::MixLimiter(int rate)
    : attack_(1.0f - perFrame(kAttackSeconds, rate)), release_(perFrame(kReleaseSeconds, rate)) {}

void MixLimiter::process(float* samples, int frames, int channels) {
  for (float* frame = samples; frame < samples + frames * channels; frame += channels) {
    float peak = 0.0f;
    for (int side = 0; side < channels; ++side) peak = std::max(peak, std::abs(frame[side]));
    if (peak > envelope_) {
      envelope_ += (peak - envelope_) * attack_;
    } else {
      envelope_ = peak + (envelope_ - peak) * release_;
    }
    const float gain = envelope_ > kThreshold ? kThreshold / envelope_ : 1.0f;
    for (int side = 0; side < channels; ++side) frame[side] = softClip(frame[side] * gain);
  }
}
