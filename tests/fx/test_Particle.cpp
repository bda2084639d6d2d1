#include <gtest/gtest.h>

#include "fx/Particle.h"

namespace {

TEST(Particle, StepsWithTheVelocityFromBeforeTheStepPlusHalfItsOwnUndampedAcceleration) {
  Particle p;
  p.vy = 0.4f;
  p.accelY = 0.5f;
  p.update(0.1f);
  EXPECT_TRUE(p.x == 0.0f && p.vx == 0.0f);
  EXPECT_NEAR(p.y, 0.0425f, 1e-7f);
  EXPECT_NEAR(p.vy, 0.45f, 1e-7f);
  p.mass = 1000.0f;  // the particle's own acceleration ignores its mass
  p.update(0.1f);
  EXPECT_NEAR(p.y, 0.0425f + 0.045f + 0.0025f, 1e-6f);
  EXPECT_NEAR(p.vy, 0.5f, 1e-6f);
}

}  // namespace
