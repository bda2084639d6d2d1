#include <gtest/gtest.h>

#include <cmath>

#include "sim/Bubble.h"
#include "support/ScriptedRandom.h"

namespace {

constexpr float kStep = 1.0f / 45.0f;

Bubble restingBubble(float mass) {
  Bubble bubble;
  bubble.setMass(mass);
  return bubble;
}

}  // namespace

TEST(Bubble, StartsAsAUnitMassAtRestWithItsOwnWobblePhase) {
  ScriptedRandom random;
  random.values = {2500};  // a quarter of the range
  Bubble bubble;
  EXPECT_EQ(random.draws, 1) << "construction draws exactly one number";
  EXPECT_FLOAT_EQ(bubble.wobblePhase, 0.25f);
  EXPECT_EQ(bubble.mass, 1.0f);
  EXPECT_FLOAT_EQ(bubble.radius, 0.23f);
  EXPECT_EQ(bubble.damping, 0.25f);
  EXPECT_EQ(bubble.gravityX, 0.0f);
  EXPECT_EQ(bubble.gravityY, 0.0f);
  EXPECT_EQ(bubble.rotation, 0.0f);
  EXPECT_EQ(bubble.wobbleClock, 0.0f);
  EXPECT_EQ(bubble.wobbleScale, 1.0f);
  EXPECT_EQ(bubble.innerRotation, 0.0f);
  EXPECT_EQ(bubble.shellList, 0);
  EXPECT_FALSE(bubble.special);
  EXPECT_EQ(bubble.x, 0.0f);
  EXPECT_EQ(bubble.y, 0.0f);
  EXPECT_EQ(bubble.vx, 0.0f);
  EXPECT_EQ(bubble.vy, 0.0f);
  EXPECT_EQ(bubble.forceX, 0.0f);
  EXPECT_EQ(bubble.forceY, 0.0f);
}

TEST(Bubble, RadiusFollowsTheSquareRootOfTheMass) {
  Bubble bubble;
  for (float mass : {0.25f, 0.5f, 1.0f, 2.25f, 4.0f}) {
    bubble.setMass(mass);
    EXPECT_FLOAT_EQ(bubble.radius, std::sqrt(mass) * 0.23f) << "mass " << mass;
  }
  bubble.setMass(4.0f);
  EXPECT_FLOAT_EQ(bubble.radius, 0.46f) << "four times the mass is twice the size";
}

TEST(Bubble, FallsUnderGravityAndIsDampedOnceItMoves) {
  Bubble bubble = restingBubble(0.5f);
  bubble.gravityY = -9.81f;
  bubble.y = 3.0f;
  bubble.update(kStep);
  // The first step starts from rest, so there is no damping yet.
  EXPECT_NEAR(bubble.y, 3.0 - 0.5 * 9.81 * kStep * kStep, 1e-6);
  EXPECT_NEAR(bubble.vy, -9.81 / 45.0, 1e-6);
  EXPECT_EQ(bubble.x, 0.0f);
  EXPECT_EQ(bubble.vx, 0.0f);
  EXPECT_NEAR(bubble.forceY, -9.81 * 0.5, 1e-6)
      << "the force keeps the step's total until the owner clears it";

  const float speedBefore = bubble.vy;
  bubble.forceX = bubble.forceY = 0.0f;
  bubble.update(kStep);
  const double expectedForce = -9.81 * 0.5 - 0.25 * speedBefore;
  EXPECT_NEAR(bubble.forceY, expectedForce, 1e-5);
  EXPECT_NEAR(bubble.vy, speedBefore + expectedForce / 0.5 * kStep, 1e-6);

  // Damping alone slows a sideways glide.
  Bubble glider = restingBubble(1.0f);
  glider.vx = 2.0f;
  glider.update(kStep);
  EXPECT_NEAR(glider.vx, 2.0 - 0.25 * 2.0 * kStep, 1e-6);
  EXPECT_GT(glider.x, 0.0f);
}

TEST(Bubble, AccelerationIsClampedOnEachAxisOnItsOwn) {
  Bubble pushed = restingBubble(0.5f);
  pushed.forceX = 100.0f;  // 200 units/s^2 unclamped
  pushed.forceY = 5.0f;    // 10 units/s^2, inside the bound
  pushed.update(kStep);
  EXPECT_NEAR(pushed.vx, 45.0f * kStep, 1e-6);
  EXPECT_NEAR(pushed.x, 0.5 * 45.0 * kStep * kStep, 1e-7);
  EXPECT_NEAR(pushed.vy, 10.0f * kStep, 1e-6) << "the vertical axis is not clamped with the horizontal one";

  Bubble pulled = restingBubble(0.5f);
  pulled.forceX = -100.0f;
  pulled.forceY = -1000.0f;
  pulled.update(kStep);
  EXPECT_NEAR(pulled.vx, -45.0f * kStep, 1e-6);
  EXPECT_NEAR(pulled.vy, -45.0f * kStep, 1e-6);

  // A huge spring force on a fast bubble still changes its speed by at most
  // 45 units/s^2 times the step.
  Bubble fast = restingBubble(0.25f);
  fast.vx = 3.0f;
  fast.forceX = -1e6f;
  fast.update(kStep);
  EXPECT_NEAR(fast.vx, 3.0 - 45.0 * kStep, 1e-5);
}

TEST(Bubble, WobblesWithinFivePercentAndSpinsItsGermAtItsOwnRate) {
  ScriptedRandom random;
  random.values = {0, 5000};
  Bubble still;    // phase 0
  Bubble spinner;  // phase 0.5
  ASSERT_EQ(still.wobblePhase, 0.0f);
  ASSERT_FLOAT_EQ(spinner.wobblePhase, 0.5f);

  for (int step = 1; step <= 45; ++step) {
    still.update(kStep);
    spinner.update(kStep);
    EXPECT_EQ(still.innerRotation, 0.0f) << "phase 0 never spins";
    EXPECT_NEAR(still.wobbleScale, 1.0 + 0.05 * std::sin(8.0 * still.wobbleClock), 1e-6)
        << "phase 0 wobbles at 8 rad/s";
    EXPECT_NEAR(spinner.wobbleScale, 1.0 + 0.05 * std::sin(10.0 * spinner.wobbleClock), 1e-6);
  }
  EXPECT_NEAR(still.wobbleClock, 1.0, 1e-5);
  // 200 x phase degrees per second, counter-clockwise, not wrapped.
  EXPECT_NEAR(spinner.innerRotation, 100.0, 1e-3);
  for (int step = 0; step < 4 * 45; ++step) spinner.update(kStep);
  EXPECT_NEAR(spinner.innerRotation, 500.0, 1e-2) << "the spin angle grows without wrapping";

  random.values.clear();
  random.fallback = 9999;  // the fastest wobble and spin
  Bubble quick;
  float lowest = 2.0f;
  float highest = 0.0f;
  for (int step = 0; step < 2000; ++step) {
    quick.update(kStep);
    lowest = std::min(lowest, quick.wobbleScale);
    highest = std::max(highest, quick.wobbleScale);
  }
  EXPECT_GE(lowest, 0.95f);
  EXPECT_LE(highest, 1.05f);
  EXPECT_LT(lowest, 0.951f) << "the wobble reaches its full depth";
  EXPECT_GT(highest, 1.049f);
}

TEST(Bubble, PositionSettersLeaveMotionAndForceAlone) {
  Bubble bubble;
  bubble.vx = 1.5f;
  bubble.vy = -2.0f;
  bubble.forceX = 3.0f;
  bubble.forceY = 4.0f;
  Entity& body = bubble;
  body.setX(-2.0f);
  body.setY(5.0f);
  EXPECT_EQ(bubble.x, -2.0f);
  EXPECT_EQ(bubble.y, 5.0f);
  EXPECT_EQ(bubble.vx, 1.5f);
  EXPECT_EQ(bubble.vy, -2.0f);
  EXPECT_EQ(bubble.forceX, 3.0f);
  EXPECT_EQ(bubble.forceY, 4.0f);
  EXPECT_EQ(bubble.mass, 1.0f);
}
