#include "PatientRig.h"

#include <algorithm>
#include <cmath>

double LimbRig::clearance(double wx, double wy) const {
  // The turn is sampled finely enough that the in-between angles cannot do
  // worse by more than a hair; callers keep a margin anyway.
  constexpr int kTiltSamples = 21;
  constexpr double kPi = 3.14159265358979323846;
  double worst = 1e9;
  for (int i = 0; i < kTiltSamples; ++i) {
    const double angle = tiltDegrees == 0.0 ? 0.0 : (-1.0 + 2.0 * i / (kTiltSamples - 1)) * tiltDegrees;
    const double c = std::cos(angle * kPi / 180.0), s = std::sin(angle * kPi / 180.0);
    for (double shift : {-bob, bob}) {
      // The point in the limb's own frame: undo the move, then the turn.
      const double dx = wx - centreX, dy = wy - (centreY + shift);
      const double lx = c * dx + s * dy, ly = -s * dx + c * dy;
      const double inside = std::min(width / 2.0 - std::abs(lx), height / 2.0 - std::abs(ly));
      worst = std::min(worst, inside);
    }
    if (tiltDegrees == 0.0) break;
  }
  return worst;
}
