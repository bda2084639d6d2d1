#pragma once
// Pins the game's random draws for a test: each draw takes the next scripted
// value, then the fallback once the script runs out. Restores the standard
// source when it goes out of scope.

#include <deque>

#include "util/Random.h"

class ScriptedRandom {
 public:
  explicit ScriptedRandom(int fallbackValue = 0) : fallback(fallbackValue) {
    needsSeed = true;
    randomSource() = RandomSource{[this] {
                                    ++draws;
                                    if (values.empty()) return fallback;
                                    const int value = values.front();
                                    values.pop_front();
                                    return value;
                                  },
                                  [](unsigned) {}, [] { return std::time_t{0}; }};
  }
  ~ScriptedRandom() {
    randomSource() = RandomSource::standard();
    needsSeed = true;
  }
  ScriptedRandom(const ScriptedRandom&) = delete;
  ScriptedRandom& operator=(const ScriptedRandom&) = delete;

  std::deque<int> values;
  int fallback;
  int draws = 0;
};
