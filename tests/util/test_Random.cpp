#include <gtest/gtest.h>

#include <cmath>

#include "support/ScriptedRandom.h"
#include "util/MathHelpers.h"
#include "util/Random.h"

namespace {

class RandomTest : public ::testing::Test {
 protected:
  ScriptedRandom script;
};

TEST_F(RandomTest, SeedsOnceFromTheClockOnTheFirstDrawOfAnyKind) {
  EXPECT_TRUE(needsSeed);
  script.values = {5, 6};
  // An empty range draws nothing, yet the first call still seeds.
  EXPECT_EQ(randBelow(0), 0);
  ASSERT_EQ(script.seeds.size(), 1u);
  EXPECT_EQ(script.seeds[0], static_cast<unsigned>(ScriptedRandom::kClockSeconds));
  EXPECT_FALSE(needsSeed);
  randFloat(1.0f);
  randAround(0.0f, 1.0f);
  randBetween(0, 10);
  randFloatRange(0.0f, 2.0f);
  EXPECT_EQ(script.seeds.size(), 1u) << "the generator must never be seeded twice";
}

TEST_F(RandomTest, IntegerDrawsUseTheRemainderAndEmptyRangesDoNotDraw) {
  script.values = {17, 17, 23, 9};
  EXPECT_EQ(randBelow(5), 2);
  EXPECT_EQ(randBelow(1), 0);
  EXPECT_EQ(script.draws, 2);
  EXPECT_EQ(randBelow(-3), 0);
  EXPECT_EQ(randBetween(5, 5), 5);
  EXPECT_EQ(randBetween(7, 3), 7);
  EXPECT_EQ(script.draws, 2) << "empty or reversed ranges must leave the sequence alone";
  EXPECT_EQ(randBetween(10, 14), 13);  // 10 + 23 % 4
  EXPECT_EQ(randBetween(0, 8), 1);     // 9 % 8
  EXPECT_EQ(script.draws, 4);
}

TEST_F(RandomTest, FloatDrawsAreQuantisedToTenThousandStepsBelowTheTop) {
  script.values = {0, 9999, 19999, 5000, 2500, 7777};
  EXPECT_FLOAT_EQ(randFloat(1.0f), 0.0f);
  const float top = randFloat(1.0f);
  EXPECT_LT(top, 1.0f);
  EXPECT_NEAR(top, 0.9999f, 1e-6f);
  EXPECT_NEAR(randFloat(360.0f), 0.9999f * 360.0f, 1e-3f);  // 19999 % 10000
  EXPECT_NEAR(randFloatRange(2.0f, 4.0f), 3.0f, 1e-5f);
  EXPECT_NEAR(randAround(0.5f, 0.25f), 0.375f, 1e-5f);
  EXPECT_FLOAT_EQ(randAround(2.0f, 0.0f), 2.0f);
  EXPECT_EQ(script.draws, 6) << "every float draw consumes exactly one value";
}

TEST_F(RandomTest, RealGeneratorStaysInsideEveryRange) {
  randomSource() = RandomSource::standard();
  for (int i = 0; i < 20000; ++i) {
    const int below = randBelow(6);
    ASSERT_GE(below, 0);
    ASSERT_LT(below, 6);
    const int between = randBetween(0, 8);
    ASSERT_GE(between, 0);
    ASSERT_LT(between, 8);
    const float f = randFloat(100.0f);
    ASSERT_GE(f, 0.0f);
    ASSERT_LT(f, 100.0f);
    const float around = randAround(-1.0f, 2.0f);
    ASSERT_GE(around, -3.0f);
    ASSERT_LT(around, 1.0f);
  }
}

TEST(MathHelpers, RoundingSendsHalvesUpwards) {
  EXPECT_EQ(roundToInt(0.5), 1);
  EXPECT_EQ(roundToInt(-0.5), 0);
  EXPECT_EQ(roundToInt(-1.5), -1);
  EXPECT_EQ(roundToInt(2.5), 3);
  EXPECT_EQ(roundToInt(-2.5), -2);
  EXPECT_EQ(roundToInt(99.4999), 99);
  // A click's cost: mass 0.125 costs 12, not 13.
  EXPECT_EQ(roundToInt(0.125f * -100.0), -12);
}

TEST(MathHelpers, AnglesDistancesAndGravitation) {
  EXPECT_NEAR(radToDeg(static_cast<float>(degToRad(90.0f))), 90.0, 1e-4);
  EXPECT_NEAR(degToRad(180.0f), M_PI, 1e-12);
  EXPECT_DOUBLE_EQ(distanceSquared(1, 2, 4, 6), 25.0);
  // Mass 1 and 1e10 one unit apart pull with G * 1e10.
  EXPECT_NEAR(gravitation(1.0, 1e10, 1.0), 0.667259, 1e-6);
  EXPECT_TRUE(std::isinf(gravitation(1.0, 1.0, 0.0)));
}

}  // namespace
