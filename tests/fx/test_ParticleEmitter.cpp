#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fx/ParticleEmitter.h"
#include "support/ScriptedRandom.h"

namespace {

// 45 puffs a second rising at 1 unit a second, with no acceleration and no
// scatter, so every puff sits where the test expects it.
ParticleEmitter stillEmitter() {
  ParticleEmitter e;
  e.rate = 45.0f;
  e.accelY = 0.0f;
  e.spread = 0.0f;
  e.baseVy = 1.0f;
  return e;
}

TEST(ParticleEmitter, EmitsTheRoundedDueCountAndDropsTheRemainder) {
  ParticleEmitter e = stillEmitter();
  std::vector<int> counts;
  for (float dt : {1.0f / 60, 1.0f / 60, 1.0f / 60, 1.0f / 60, 0.12f, 0.12f}) {
    const int before = e.nextSlot;
    e.update(dt);
    counts.push_back(e.nextSlot - before);
  }
  // 1/60 s is short of 1/45 s; 1/30 s is 1.5 intervals and rounds up to 2;
  // 0.12 s is 5.4 intervals, and the 0.4 left over is not carried.
  EXPECT_EQ(counts, (std::vector<int>{0, 2, 0, 2, 5, 5})) << "60 puffs a second at 60 frames, not 45";
}

TEST(ParticleEmitter, NewPuffsTakeOverTheOldestOfEightySlotsAndMoveInTheUpdateThatEmitsThem) {
  ParticleEmitter e = stillEmitter();
  e.update(0.12f);
  for (int i = 0; i < ParticleEmitter::kPoolSize; ++i) {
    const SmokeParticle& p = e.particles[static_cast<std::size_t>(i)];
    ASSERT_EQ(p.active, i < 5) << "slot " << i;
    ASSERT_NEAR(p.y, i < 5 ? 2.0f + 0.12f : 0.0f, 1e-6f)
        << "slot " << i << ": a new puff leaves the point before it is first drawn, an unused one stays put";
  }
  for (int i = 1; i < 16; ++i) e.update(0.12f);
  e.originX = 3.0f;
  e.update(0.12f);  // 80 emissions come back round to the first slot
  for (int i = 0; i < ParticleEmitter::kPoolSize; ++i)
    ASSERT_FLOAT_EQ(e.particles[static_cast<std::size_t>(i)].x, i < 5 ? 3.0f : -2.0f)
        << "slot " << i << ": only the five oldest puffs restart at the new point";
}

TEST(ParticleEmitter, APuffTakesARandomWholeDegreeHeadingThenOneScatterForBothVelocityComponents) {
  // The patient's smoke: the velocities spread along the diagonal through the
  // base velocity, not over a disc.
  ScriptedRandom random;
  ParticleEmitter e;
  e.headingFromVelocity = false;
  e.spread = 0.05f;
  e.baseVy = 0.4f;
  random.values = {725, 9999};  // 725 wraps to 5 degrees; the top of the scatter's range
  e.emitParticle(1);
  const SmokeParticle& p = e.particles[1];
  EXPECT_TRUE(p.heading == 5.0f && std::fabs(p.vx - 0.05f) < 1e-4f && std::fabs(p.vy - 0.45f) < 1e-4f)
      << "heading " << p.heading << ", velocity (" << p.vx << ", " << p.vy << ")";
}

}  // namespace
