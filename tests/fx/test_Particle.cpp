#include <gtest/gtest.h>

#include <vector>

#include "fx/Particle.h"

namespace {

TEST(Particle, StepsWithTheVelocityFromBeforeTheStepPlusHalfTheAcceleration) {
  Particle p;
  p.vy = 0.4f;
  p.accelY = 0.5f;
  p.update(0.1f);
  EXPECT_FLOAT_EQ(p.x, 0.0f);
  EXPECT_NEAR(p.y, 0.0425f, 1e-7f);
  EXPECT_FLOAT_EQ(p.vx, 0.0f);
  EXPECT_NEAR(p.vy, 0.45f, 1e-7f);

  // The constant acceleration does not depend on mass; no damping slows it.
  p.mass = 1000.0f;
  p.update(0.1f);
  EXPECT_NEAR(p.y, 0.0425f + 0.045f + 0.0025f, 1e-6f);
  EXPECT_NEAR(p.vy, 0.5f, 1e-6f);
}

TEST(Particle, AttractorsPullAlongTheLineWithTheInverseSquareLaw) {
  Particle p;
  p.mass = 1.0f;
  Particle heavy;
  heavy.mass = 1e10f;
  heavy.x = 1.0f;
  p.addAttractor(heavy);
  p.accumulateForces();
  EXPECT_NEAR(p.forceX, 0.667259f, 1e-5f);
  EXPECT_NEAR(p.forceY, 0.0f, 1e-7f);

  // Twice as far and straight above: a quarter of the pull, now along +y.
  heavy.x = 0.0f;
  heavy.y = 2.0f;
  p.accumulateForces();
  EXPECT_NEAR(p.forceX, 0.0f, 1e-7f);
  EXPECT_NEAR(p.forceY, 0.667259f / 4.0f, 1e-5f);

  // An equal body opposite cancels it; the force is recomputed, not added up.
  Particle opposite = heavy;
  opposite.y = -2.0f;
  p.addAttractor(opposite);
  p.accumulateForces();
  EXPECT_NEAR(p.forceY, 0.0f, 1e-6f);

  // The pull accelerates the particle through its own mass.
  p.attractorCount = 1;
  p.update(1.0f);
  EXPECT_NEAR(p.vy, 0.667259f / 4.0f, 1e-5f);
}

TEST(Particle, TheThirtyThirdAttractorIsIgnored) {
  Particle p;
  p.mass = 1.0f;
  std::vector<Particle> right(Particle::kMaxAttractors);
  for (Particle& body : right) {
    body.mass = 1e9f;
    body.x = 1.0f;
    p.addAttractor(body);
  }
  Particle left;
  left.mass = 1e12f;
  left.x = -1.0f;
  p.addAttractor(left);

  EXPECT_EQ(p.attractorCount, Particle::kMaxAttractors);
  for (int i = 0; i < Particle::kMaxAttractors; ++i) {
    EXPECT_EQ(p.attractors[static_cast<std::size_t>(i)], &right[static_cast<std::size_t>(i)]);
  }
  p.accumulateForces();
  // 32 bodies of 1e9 pull right with 32 x 0.0667 and the far heavier 33rd does
  // not count.
  EXPECT_NEAR(p.forceX, 32.0f * 0.0667259f, 1e-4f);
}

}  // namespace
