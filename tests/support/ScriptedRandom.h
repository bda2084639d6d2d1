#pragma once
// Pins the game's random draws for a test: each draw takes the next scripted
// value, then the fallback once the script runs out, or the next of a fixed
// pseudo-random sequence. Restores the standard source when it goes out of scope.

#include <ctime>
#include <deque>
#include <random>
#include <vector>

#include "util/Random.h"

class ScriptedRandom {
 public:
  explicit ScriptedRandom(int fallbackValue = 0) : fallback(fallbackValue) {
    needsSeed = true;
    randomSource() =
        RandomSource{[this] {
                       ++draws;
                       if (values.empty()) return fallback;
                       const int value = values.front();
                       values.pop_front();
                       return value;
                     },
                     [this](unsigned seed) { seeds.push_back(seed); }, [] { return kClockSeconds; }};
  }
  ~ScriptedRandom() {
    randomSource() = RandomSource::standard();
    needsSeed = true;
  }
  ScriptedRandom(const ScriptedRandom&) = delete;
  ScriptedRandom& operator=(const ScriptedRandom&) = delete;

  // From now on every draw comes from a sequence fixed by the seed, within the
  // least range rand may have (0..32767): varied like play, the same every run.
  void followSequence(unsigned seed) {
    randomSource().draw = [this, sequence = std::mt19937(seed)]() mutable {
      ++draws;
      return static_cast<int>(sequence() % 32768);
    };
  }

  std::deque<int> values;
  int fallback;
  std::vector<unsigned> seeds;  // every seed the draws asked for, in order

  static constexpr std::time_t kClockSeconds = 1234;  // what the clock reads for the seed
  int draws = 0;
};
