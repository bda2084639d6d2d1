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

  // The particle's own acceleration ignores its mass, and nothing damps it.
  p.mass = 1000.0f;
  p.update(0.1f);
  EXPECT_NEAR(p.y, 0.0425f + 0.045f + 0.0025f, 1e-6f);
  EXPECT_NEAR(p.vy, 0.5f, 1e-6f);
}

TEST(Particle, UpTo32AttractorsPullByTheInverseSquareLawAndAThirtyThirdIsIgnored) {
  Particle p;
  p.mass = 2.0f;
  // 32 bodies at distance 2 along (0.6, 0.8), then a far heavier one on the
  // other side that must not count.
  std::vector<Particle> bodies(Particle::kMaxAttractors + 1);
  for (Particle& body : bodies) {
    body.mass = 1e9f;
    body.x = 1.2f;
    body.y = 1.6f;
  }
  bodies.back().mass = 1e12f;
  bodies.back().x = -1.0f;
  bodies.back().y = 0.0f;
  for (Particle& body : bodies) p.addAttractor(body);
  EXPECT_EQ(p.attractorCount, Particle::kMaxAttractors);

  const float pull = 32.0f * 6.67259e-11f * 2.0f * 1e9f / 4.0f;
  for (int pass = 1; pass <= 2; ++pass) {
    p.accumulateForces();
    EXPECT_NEAR(p.forceX, 0.6f * pull, 1e-4f) << "pass " << pass << ": forces are recomputed, not added up";
    EXPECT_NEAR(p.forceY, 0.8f * pull, 1e-4f) << "pass " << pass;
  }
  // The pull accelerates the particle through its own mass.
  p.update(1.0f);
  EXPECT_NEAR(p.vy, 0.8f * pull / 2.0f, 1e-4f);
}

}  // namespace
