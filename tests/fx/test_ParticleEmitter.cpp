#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fx/ParticleEmitter.h"
#include "support/ScriptedRandom.h"

namespace {

TEST(ParticleEmitter,
     EmitsTheRoundedDueCountIntoTheNextSlotsInTurnEachPuffMovedAtOnceWithARandomHeadingAndOneScatter) {
  // 45 puffs a second leaving upwards at 1 unit a second and speeding up by 0.5
  // a second, without scatter, so every puff sits where the test expects it.
  ParticleEmitter e;
  e.rate = 45.0f;
  e.accelY = 0.5f;
  e.spread = 0.0f;
  e.baseVy = 1.0f;
  std::vector<int> counts;
  for (float dt : {1.0f / 60, 1.0f / 60, 1.0f / 60, 1.0f / 60, 0.12f, 0.12f}) {
    const int before = e.nextSlot;
    e.update(dt);
    counts.push_back(e.nextSlot - before);
  }
  // 1/60 s is short of 1/45 s; 1/30 s is 1.5 intervals and rounds up to 2;
  // 0.12 s is 5.4 intervals, and the 0.4 left over is not carried.
  EXPECT_EQ(counts, (std::vector<int>{0, 2, 0, 2, 5, 5})) << "60 puffs a second at 60 frames, not 45";
  // Slots 9 to 13 left the point in the last update, before they are first
  // drawn, with their starting speed and half their acceleration's gain.
  for (int i = 9; i < ParticleEmitter::kPoolSize; ++i) {
    const SmokeParticle& p = e.particles[static_cast<std::size_t>(i)];
    const bool fresh = i < 14;
    ASSERT_TRUE(p.active == fresh && std::fabs(p.y - (fresh ? 2.1236f : 0.0f)) < 1e-6f &&
                std::fabs(p.vy - (fresh ? 1.06f : 0.0f)) < 1e-6f)
        << "slot " << i << " at " << p.y << " moving " << p.vy;
  }
  for (int i = 0; i < 13; ++i) e.update(0.12f);  // 79 emitted
  e.originX = 3.0f;
  e.update(0.12f);
  for (int i = 0; i < ParticleEmitter::kPoolSize; ++i)
    ASSERT_FLOAT_EQ(e.particles[static_cast<std::size_t>(i)].x, i < 4 || i == 79 ? 3.0f : -2.0f)
        << "slot " << i
        << ": the next five slots in turn, round the end of the pool, restart at the new point";
  // The patient's smoke: the velocities spread along the diagonal through the
  // base velocity (0, 0), not over a disc.
  ScriptedRandom random;
  random.values = {725, 9999};  // 725 wraps to 5 degrees; the top of the scatter's range
  ParticleEmitter smoke;
  smoke.headingFromVelocity = false;
  smoke.emitParticle(1);
  const SmokeParticle& p = smoke.particles[1];
  EXPECT_TRUE(p.heading == 5.0f && std::fabs(p.vx - 0.25f) < 1e-4f && std::fabs(p.vy - 0.25f) < 1e-4f)
      << "heading " << p.heading << ", velocity (" << p.vx << ", " << p.vy << ")";
}

}  // namespace
