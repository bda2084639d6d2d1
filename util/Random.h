#pragma once
// Random ranges for every random draw in the game. The generator seeds itself
// from the calendar clock on the first draw, so no start-up code has to.
//
// Float draws are quantised to 10000 even steps of the range; integer draws take
// the plain remainder. An empty or reversed range returns its lower bound and
// leaves the generator's sequence untouched.

#include <ctime>
#include <functional>

// The source behind the five draws. The game uses the C library's rand, srand and
// time; a test installs its own functions to pin a sequence or watch the seeding
// without the draws themselves knowing.
struct RandomSource {
  std::function<int()> draw;           // a non-negative integer, range at least 0..32767
  std::function<void(unsigned)> seed;  // called once, before the first draw
  std::function<std::time_t()> now;    // calendar seconds for the seed

  static RandomSource standard();
};

RandomSource& randomSource();

// True until the first draw of any kind has seeded the generator.
extern bool needsSeed;

int randBelow(int n);                          // 0 .. n-1; 0 without a draw when n <= 0
int randBetween(int lo, int hi);               // lo .. hi-1; lo without a draw when hi <= lo
float randFloat(float scale);                  // [0, scale) in scale/10000 steps
float randFloatRange(float lo, float hi);      // [lo, hi) in (hi-lo)/10000 steps
float randAround(float centre, float spread);  // [centre-spread, centre+spread)
