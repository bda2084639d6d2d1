#pragma once
// Pins the game's random sequence for one test: every draw pops the next
// scripted raw value (0 once the script runs out) and is counted. Restores the
// standard generator when it goes out of scope.

#include <ctime>
#include <deque>

#include "util/Random.h"

class ScriptedRandom {
 public:
  ScriptedRandom() {
    needsSeed = true;
    randomSource() = RandomSource{[this] {
                                    ++draws;
                                    if (values.empty()) return 0;
                                    const int v = values.front();
                                    values.pop_front();
                                    return v;
                                  },
                                  [](unsigned) {}, [] { return std::time_t{42}; }};
  }
  ~ScriptedRandom() {
    randomSource() = RandomSource::standard();
    needsSeed = true;
  }
  ScriptedRandom(const ScriptedRandom&) = delete;
  ScriptedRandom& operator=(const ScriptedRandom&) = delete;

  std::deque<int> values;
  int draws = 0;
};
