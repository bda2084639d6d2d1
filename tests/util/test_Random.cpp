#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "support/ScriptedRandom.h"
#include "util/MathHelpers.h"
#include "util/Random.h"

namespace {

TEST(Random, EveryDrawSeedsOnceFromTheClockTakesOneValueIntoItsRangeAndAnEmptyRangeTakesNone) {
  struct Row {
    const char* what;
    std::function<double()> draw;
    int value;    // what the generator returns
    double want;  // what the draw must give
    int draws;
  };
  const Row rows[] = {
      {"randBelow takes the remainder", [] { return randBelow(5); }, 17, 2, 1},
      {"randBelow of a negative", [] { return randBelow(-3); }, 17, 0, 0},
      {"randBetween, empty", [] { return randBetween(5, 5); }, 17, 5, 0},
      {"randBetween, reversed", [] { return randBetween(7, 3); }, 17, 7, 0},
      {"randBetween, lo + remainder", [] { return randBetween(10, 14); }, 23, 13, 1},
      {"randBetween over most of int", [] { return randBetween(-2000000000, 2000000000); }, 23, -1999999977,
       1},
      {"randFloat, one step below the top", [] { return randFloat(1.0f); }, 9999, 0.9999, 1},
      {"randFloat, 10000 steps wrap", [] { return randFloat(360.0f); }, 19999, 0.9999 * 360.0, 1},
      {"randFloatRange", [] { return randFloatRange(2.0f, 4.0f); }, 5000, 3.0, 1},
      {"randAround", [] { return randAround(0.5f, 0.25f); }, 2500, 0.375, 1},
  };
  for (const Row& row : rows) {
    ScriptedRandom script;  // as at start-up: not seeded yet
    script.values = {row.value};
    EXPECT_NEAR(row.draw(), row.want, 5e-5) << row.what;
    randBelow(2);
    // Even a draw from an empty range seeds, and only the first call of any kind does.
    EXPECT_EQ(script.seeds, std::vector<unsigned>{static_cast<unsigned>(ScriptedRandom::kClockSeconds)})
        << row.what;
    EXPECT_EQ(script.draws, row.draws + 1) << row.what;
  }
}

TEST(MathHelpers, RoundingSendsHalvesUpwards) {
  const std::pair<double, int> rows[] = {
      {0.5, 1}, {-0.5, 0}, {-1.5, -1}, {2.5, 3}, {-2.5, -2}, {99.4999, 99}, {0.125f * -100.0, -12}};
  for (const auto& [x, want] : rows) EXPECT_EQ(roundToInt(x), want) << x;
}

}  // namespace
