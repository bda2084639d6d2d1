#pragma once
// Pins the game's random draws for a test: each draw takes the next scripted
// value, then the fallback once the script runs out; or, for a long run that
// should look like play, the values of a fixed pseudo-random sequence.
// Restores the standard source when it goes out of scope.

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

  // From now on every draw is the next of a sequence fixed by the seed, within
  // the smallest range the C library's rand may have: varied like play, the
  // same on every run.
  void followSequence(unsigned seed) {
    sequence.seed(seed);
    randomSource().draw = [this] {
      ++draws;
      return static_cast<int>(sequence() % kRandRange);
    };
  }

  std::deque<int> values;
  int fallback;
  std::vector<unsigned> seeds;  // every seed the draws asked for, in order

  static constexpr std::time_t kClockSeconds = 1234;  // what the clock reads for the seed
  static constexpr unsigned kRandRange = 32768;       // RAND_MAX + 1 at its smallest
  int draws = 0;
  std::mt19937 sequence;
};
