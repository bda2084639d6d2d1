#include "util/Random.h"

#include <cstdlib>

namespace {

// Single precision on purpose: the quantum of every float draw is this float,
// not the exact decimal.
constexpr float kStep = 0.0001f;
constexpr int kSteps = 10000;

// Seeding happens on entry to every draw function, before its range test, so the
// first call seeds even when it then draws nothing.
void seedCheck() {
  if (needsSeed) {
    needsSeed = false;
    randomSource().seed(static_cast<unsigned>(randomSource().now()));
  }
}

int drawRaw() { return randomSource().draw(); }

double quantised() { return static_cast<double>(drawRaw() % kSteps) * kStep; }

}  // namespace

bool needsSeed = true;

RandomSource RandomSource::standard() {
  return RandomSource{[] { return std::rand(); }, [](unsigned s) { std::srand(s); },
                      [] { return std::time(nullptr); }};
}

RandomSource& randomSource() {
  static RandomSource source = RandomSource::standard();
  return source;
}

int randBelow(int n) {
  seedCheck();
  if (n <= 0) return 0;
  return drawRaw() % n;
}

int randBetween(int lo, int hi) {
  seedCheck();
  // Widened so that a range spanning most of int does not overflow.
  const long long span = static_cast<long long>(hi) - lo;
  if (span <= 0) return lo;
  return static_cast<int>(lo + drawRaw() % span);
}

float randFloat(float scale) {
  seedCheck();
  return static_cast<float>(quantised() * scale);
}

float randFloatRange(float lo, float hi) {
  seedCheck();
  return static_cast<float>(lo + quantised() * (hi - lo));
}

float randAround(float centre, float spread) {
  seedCheck();
  const float low = centre - spread;
  return static_cast<float>(low + quantised() * ((centre + spread) - low));
}
