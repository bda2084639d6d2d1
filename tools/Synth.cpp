#include "Synth.h"

#include <algorithm>

namespace Synth {

namespace {

// The cookbook's shared terms for a corner frequency and quality.
struct Corner {
  double cw, alpha;
  Corner(double hz, double q) {
    const double w = kTwoPi * hz / kRate;
    cw = std::cos(w);
    alpha = std::sin(w) / (2.0 * q);
  }
};

}  // namespace

Biquad Biquad::make(double b0, double b1, double b2, double a0, double a1, double a2) {
  Biquad f;
  f.b0_ = b0 / a0;
  f.b1_ = b1 / a0;
  f.b2_ = b2 / a0;
  f.a1_ = a1 / a0;
  f.a2_ = a2 / a0;
  return f;
}

Biquad Biquad::lowPass(double hz, double q) {
  const Corner c(hz, q);
  return make((1 - c.cw) / 2, 1 - c.cw, (1 - c.cw) / 2, 1 + c.alpha, -2 * c.cw, 1 - c.alpha);
}

Biquad Biquad::highPass(double hz, double q) {
  const Corner c(hz, q);
  return make((1 + c.cw) / 2, -(1 + c.cw), (1 + c.cw) / 2, 1 + c.alpha, -2 * c.cw, 1 - c.alpha);
}

Biquad Biquad::bandPass(double hz, double q) {
  const Corner c(hz, q);
  return make(c.alpha, 0, -c.alpha, 1 + c.alpha, -2 * c.cw, 1 - c.alpha);
}

double peak(const Buffer& buffer) {
  double p = 0.0;
  for (float s : buffer) p = std::max(p, static_cast<double>(std::abs(s)));
  return p;
}

void normalisePeak(Buffer& buffer, double target) {
  const double p = peak(buffer);
  if (p <= 0.0) return;
  const double gain = target / p;
  for (float& s : buffer) s = static_cast<float>(s * gain);
}

void fadeEdges(Buffer& buffer, double fadeInSeconds, double fadeOutSeconds) {
  const int n = static_cast<int>(buffer.size());
  const int in = std::min(n, samples(fadeInSeconds)), out = std::min(n, samples(fadeOutSeconds));
  for (int i = 0; i < in; ++i) buffer[i] = static_cast<float>(buffer[i] * (static_cast<double>(i) / in));
  for (int i = 0; i < out; ++i)
    buffer[n - 1 - i] = static_cast<float>(buffer[n - 1 - i] * (static_cast<double>(i) / out));
}

}  // namespace Synth
