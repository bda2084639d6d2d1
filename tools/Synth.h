#pragma once
// The sound toolbox of the generator: mono sample buffers at 44100 Hz, biquad
// filters, envelopes and peak normalising. Every effect and every instrument of
// the music is built from these few pieces.

#include <cmath>
#include <vector>

namespace Synth {

constexpr int kRate = 44100;  // samples per second, everywhere
constexpr double kTwoPi = 6.283185307179586;

using Buffer = std::vector<float>;

inline int samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }
inline double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// A second-order filter (the usual cookbook forms), run sample by sample.
class Biquad {
 public:
  static Biquad lowPass(double hz, double q);
  static Biquad highPass(double hz, double q);
  static Biquad bandPass(double hz, double q);

  float process(float x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return static_cast<float>(y);
  }

 private:
  static Biquad make(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Attack as a quarter sine, then an exponential fall with time constant decay.
inline double pluck(double t, double attack, double decay) {
  if (t < 0) return 0;
  if (t < attack) return std::sin(t / attack * kTwoPi / 4.0);
  return std::exp(-(t - attack) / decay);
}

double peak(const Buffer& buffer);
// Scales the buffer so its largest magnitude is exactly target.
void normalisePeak(Buffer& buffer, double target);
// Short fades at both ends, so no sample starts or stops with a click.
void fadeEdges(Buffer& buffer, double fadeInSeconds, double fadeOutSeconds);

}  // namespace Synth
