#include "util/MathHelpers.h"

#include <cmath>

namespace {
constexpr double kRadiansPerDegree = 0.017453292519943295;  // pi / 180
constexpr double kInversePi = 0.3183098861837907;
constexpr float kHalfTurnDegrees = 180.0f;
}  // namespace

float gravitationalConstant = 6.67259e-11f;

double degToRad(float degrees) { return degrees * kRadiansPerDegree; }

double radToDeg(float radians) { return radians * kHalfTurnDegrees * kInversePi; }

double distanceSquared(double x1, double y1, double x2, double y2) {
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  return dx * dx + dy * dy;
}

double gravitation(double m1, double m2, double d2) { return gravitationalConstant / d2 * m1 * m2; }

int roundToInt(double x) { return static_cast<int>(std::floor(x + 0.5)); }
