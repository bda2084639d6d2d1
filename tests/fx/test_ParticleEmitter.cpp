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

TEST(ParticleEmitter, OneScatterDrawMovesBothVelocityComponentsAfterAnyHeadingDraw) {
  ScriptedRandom random;
  ParticleEmitter e;
  e.spread = 0.05f;
  e.baseVx = 0.1f;
  e.baseVy = 0.4f;
  random.values = {0, 9999};  // the two ends of the scatter's range
  e.emitParticle(0);
  e.emitParticle(1);
  EXPECT_EQ(random.draws, 2) << "a heading that follows the velocity needs no draw";
  EXPECT_TRUE(std::fabs(e.particles[0].vx - 0.05f) < 1e-6f && std::fabs(e.particles[0].vy - 0.35f) < 1e-6f);
  EXPECT_TRUE(std::fabs(e.particles[1].vx - 0.15f) < 1e-4f && std::fabs(e.particles[1].vy - 0.45f) < 1e-4f);

  e.headingFromVelocity = false;
  random.values = {725, 5000};
  e.emitParticle(2);
  EXPECT_FLOAT_EQ(e.particles[2].heading, 5.0f) << "the first draw is the heading: 725 wraps to 5 degrees";
  EXPECT_NEAR(e.particles[2].vx, 0.1f, 1e-6f) << "the second draw is the scatter";
  e.emitParticle(-1);
  e.emitParticle(ParticleEmitter::kPoolSize);
  EXPECT_EQ(random.draws, 4) << "a slot outside the pool is ignored";
}

TEST(ParticleEmitter, HeadingFollowsTheSlopeOfTheVelocityNotItsDirection) {
  struct Row {
    float vx, vy, heading;  // degrees
  };
  // The arc tangent of vy / vx: a puff moving down-left points like one moving
  // up-right; a puff at rest keeps its heading rather than taking 0/0.
  for (const Row& row :
       {Row{1.0f, 1.0f, 45.0f}, Row{-1.0f, -1.0f, 45.0f}, Row{-1.0f, 2.0f, -63.4349f}, Row{0, 0, 0}}) {
    ParticleEmitter e = stillEmitter();
    e.baseVx = row.vx;
    e.baseVy = row.vy;
    e.update(0.12f);
    EXPECT_NEAR(e.particles[0].heading, row.heading, 1e-3f)
        << "velocity (" << row.vx << ", " << row.vy << ")";
  }
}

}  // namespace
