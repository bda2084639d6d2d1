#include <gtest/gtest.h>

#include <cmath>

#include "sim/Bubble.h"
#include "support/ScriptedRandom.h"

namespace {

constexpr float kStep = 1.0f / 45.0f;

TEST(Bubble, StartsAsAUnitMassAtRestAndItsRadiusFollowsItsMass) {
  ScriptedRandom random;
  random.values = {2500};  // a quarter of the range
  Bubble bubble;
  EXPECT_EQ(random.draws, 1) << "construction draws exactly one number, the wobble phase";
  EXPECT_FLOAT_EQ(bubble.wobblePhase, 0.25f);
  EXPECT_TRUE(bubble.mass == 1.0f && bubble.damping == 0.25f && bubble.wobbleScale == 1.0f &&
              !bubble.special);
  EXPECT_TRUE(bubble.x == 0 && bubble.y == 0 && bubble.vx == 0 && bubble.vy == 0 && bubble.gravityY == 0);
  for (float mass : {1.0f, 0.25f, 2.25f, 4.0f}) {
    bubble.setMass(mass);
    EXPECT_FLOAT_EQ(bubble.radius, std::sqrt(mass) * 0.23f) << "mass " << mass;
  }
}

TEST(Bubble, MovesUnderGravityDampingAndForceWithEachAxisClampedToFortyFive) {
  struct Row {
    const char* what;
    float mass, vx, vy, gravityY, forceX, forceY;
    double ax, ay;  // the acceleration the step must apply
  };
  const Row rows[] = {
      {"gliding and starting to fall: damping 0.25 per unit of speed", 0.5f, 2, 0, -9.81f, 0, 0, -1.0, -9.81},
      {"falling: the damping brakes the fall", 0.5f, 0, -2, -9.81f, 0, 0, 0.0, -8.81},
      {"only x over the bound", 0.5f, 0, 0, 0, 100, 5, 45.0, 10.0},
      {"both axes over the bound", 0.5f, 0, 0, 0, -100, -1000, -45.0, -45.0},
      {"a huge spring on a fast bubble", 0.25f, 3, 0, 0, -1e6f, 0, -45.0, 0.0},
      {"gravity counts before the clamp", 1.0f, 0, 0, -9.81f, 0, 100, 0.0, 45.0},
  };
  for (const Row& row : rows) {
    Bubble bubble;
    bubble.setMass(row.mass);
    bubble.vx = row.vx;
    bubble.vy = row.vy;
    bubble.gravityY = row.gravityY;
    bubble.forceX = row.forceX;
    bubble.forceY = row.forceY;
    bubble.update(kStep);
    EXPECT_NEAR(bubble.vx, row.vx + row.ax * kStep, 1e-5) << row.what;
    EXPECT_NEAR(bubble.vy, row.vy + row.ay * kStep, 1e-5) << row.what;
    // The position moves with the old speed and half the new acceleration.
    EXPECT_NEAR(bubble.x, row.vx * kStep + 0.5 * row.ax * kStep * kStep, 1e-6) << row.what;
    EXPECT_NEAR(bubble.y, row.vy * kStep + 0.5 * row.ay * kStep * kStep, 1e-6) << row.what;
  }
}

TEST(Bubble, WobblesWithinFivePercentAndSpinsItsGermAtItsOwnRate) {
  ScriptedRandom random;
  random.values = {0, 5000};
  Bubble still;    // phase 0: wobbles at 8 rad/s, never spins
  Bubble spinner;  // phase 0.5: wobbles at 10 rad/s, spins 100 degrees a second
  for (int step = 1; step <= 45; ++step) {
    still.update(kStep);
    spinner.update(kStep);
    ASSERT_EQ(still.innerRotation, 0.0f);
    ASSERT_NEAR(still.wobbleScale, 1.0 + 0.05 * std::sin(8.0 * still.wobbleClock), 1e-6) << "step " << step;
    ASSERT_NEAR(spinner.wobbleScale, 1.0 + 0.05 * std::sin(10.0 * spinner.wobbleClock), 1e-6)
        << "step " << step;
  }
  EXPECT_NEAR(still.wobbleClock, 1.0, 1e-5);
  EXPECT_NEAR(spinner.innerRotation, 100.0, 1e-3);
  for (int step = 0; step < 4 * 45; ++step) spinner.update(kStep);
  EXPECT_NEAR(spinner.innerRotation, 500.0, 1e-2) << "the spin angle grows without wrapping";
}

}  // namespace
