#include <gtest/gtest.h>

#include <algorithm>

#include "sim/Bubble.h"
#include "support/ScriptedRandom.h"

namespace {

constexpr float kStep = 1.0f / 45.0f;

TEST(Bubble, MovesUnderGravityDampingAndForceClampedToFortyFiveAndBreathesAndSpinsItsGermAtItsOwnRate) {
  struct Row {
    const char* what;
    float mass, vx, vy, gravityY, forceX, forceY;
    double ax, ay;  // the acceleration the step must apply
  };
  const Row rows[] = {
      {"gliding and starting to fall: damping 0.25 per unit of speed", 0.5f, 2, 0, -9.81f, 0, 0, -1.0, -9.81},
      {"falling: the damping brakes the fall", 0.5f, 0, -2, -9.81f, 0, 0, 0.0, -8.81},
      {"both axes over the bound", 0.5f, 0, 0, 0, -100, -1000, -45.0, -45.0},
      {"a huge spring on a fast bubble", 0.25f, 3, 0, 0, -1e6f, 0, -45.0, 0.0},
      {"gravity counts before the clamp", 1.0f, 0, 0, -9.81f, 0, 100, 0.0, 45.0},
  };
  for (const Row& row : rows) {
    Bubble b;
    b.setMass(row.mass);
    b.vx = row.vx;
    b.vy = row.vy;
    b.gravityY = row.gravityY;
    b.forceX = row.forceX;
    b.forceY = row.forceY;
    b.update(kStep);
    EXPECT_NEAR(b.vx, row.vx + row.ax * kStep, 1e-5) << row.what;
    EXPECT_NEAR(b.vy, row.vy + row.ay * kStep, 1e-5) << row.what;
    // The position moves with the old speed and half the new acceleration.
    EXPECT_NEAR(b.x, row.vx * kStep + 0.5 * row.ax * kStep * kStep, 1e-6) << row.what;
    EXPECT_NEAR(b.y, row.vy * kStep + 0.5 * row.ay * kStep * kStep, 1e-6) << row.what;
  }
  // Its look follows its own age: each breathes and spins at its own rate.
  ScriptedRandom random;
  random.values = {0, 5000};  // the one draw of each bubble: its wobble phase
  Bubble still;               // phase 0: never spins
  Bubble spinner;             // phase 0.5: spins 100 degrees a second
  float smallest = 1.0f, largest = 1.0f;
  for (int step = 1; step <= 45; ++step) {
    still.update(kStep);
    spinner.update(kStep);
    smallest = std::min({smallest, still.wobbleScale, spinner.wobbleScale});
    largest = std::max({largest, still.wobbleScale, spinner.wobbleScale});
  }
  EXPECT_TRUE(smallest >= 0.95f && smallest < 0.951f && largest <= 1.05f && largest > 1.049f)
      << "breathing between " << smallest << " and " << largest;
  EXPECT_NE(still.wobbleScale, spinner.wobbleScale) << "bubbles breathe in step";
  EXPECT_EQ(still.innerRotation, 0.0f);
  EXPECT_NEAR(spinner.innerRotation, 100.0, 1e-3);
  // A bubble grows with the root of its mass: four times the mass, twice as wide.
  still.setMass(4.0f);
  EXPECT_FLOAT_EQ(still.radius, 2.0f * Bubble::radiusForMass(1.0f));
}

}  // namespace
