#pragma once
// A small seeded random source (SplitMix64) for the generator. Every picture and
// sound draws from its own fixed seed, so the assets come out byte for byte the
// same on every run and every machine, whatever the standard library does.

#include <cstdint>

class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1), 53 bits.
  double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
  double range(double low, double high) { return low + (high - low) * uniform(); }
  // Uniform in [-1, 1): white noise.
  double noise() { return uniform() * 2.0 - 1.0; }
  int below(int n) { return static_cast<int>(uniform() * n); }

 private:
  std::uint64_t state_;
};
