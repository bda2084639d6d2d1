#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/ScratchDir.h"
#include "support/ScriptedRandom.h"
#include "fx/ParticleEmitter.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"

namespace {

// A still emitter: no acceleration and no scatter, so every puff sits where the
// test expects it.
ParticleEmitter stillEmitter(float rate) {
  ParticleEmitter e;
  e.rate = rate;
  e.accelY = 0.0f;
  e.spread = 0.0f;
  return e;
}

int emittedBy(ParticleEmitter& e, float dt) {
  const int before = e.nextSlot;
  e.update(dt);
  return (e.nextSlot - before + ParticleEmitter::kPoolSize) % ParticleEmitter::kPoolSize;
}

TEST(ParticleEmitter, EmitsTheRoundedDueCountAndDropsTheRemainder) {
  ParticleEmitter e = stillEmitter(45.0f);
  std::vector<int> counts;
  for (int i = 0; i < 8; ++i) counts.push_back(emittedBy(e, 1.0f / 60.0f));
  // 1/60 s is short of 1/45 s; 1/30 s is 1.5 intervals and rounds up to 2.
  EXPECT_EQ(counts, (std::vector<int>{0, 2, 0, 2, 0, 2, 0, 2})) << "60 puffs a second at 60 frames, not 45";

  ParticleEmitter slow = stillEmitter(45.0f);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(emittedBy(slow, 0.12f), 5) << "5.4 intervals round down to 5";
  EXPECT_FLOAT_EQ(slow.emitClock, 0.0f) << "the 0.4 left over is not carried";
}

TEST(ParticleEmitter, ThePoolOfEightyIsReusedOldestFirst) {
  ParticleEmitter e = stillEmitter(45.0f);
  e.baseVy = 1.0f;
  for (int i = 0; i < 16; ++i) e.update(0.12f);
  EXPECT_EQ(e.nextSlot, 0) << "80 emissions come back round to the first slot";
  for (const SmokeParticle& p : e.particles) EXPECT_TRUE(p.active);

  e.originX = 3.0f;
  e.originY = 1.0f;
  e.update(0.12f);
  EXPECT_EQ(e.nextSlot, 5);
  for (int i = 0; i < ParticleEmitter::kPoolSize; ++i) {
    const SmokeParticle& p = e.particles[static_cast<std::size_t>(i)];
    SCOPED_TRACE(i);
    if (i < 5) {
      EXPECT_FLOAT_EQ(p.x, 3.0f) << "the oldest puffs restart at the new emission point";
      EXPECT_NEAR(p.y, 1.0f + 0.12f, 1e-6f);
    } else {
      EXPECT_FLOAT_EQ(p.x, -2.0f) << "younger puffs keep drifting from where they were";
    }
  }
}

TEST(ParticleEmitter, APuffEmittedInAnUpdateIsSteppedInThatUpdateAndOnlyActivePuffsMove) {
  ParticleEmitter e = stillEmitter(45.0f);
  e.baseVy = 1.0f;
  e.update(0.12f);
  for (int i = 0; i < ParticleEmitter::kPoolSize; ++i) {
    const SmokeParticle& p = e.particles[static_cast<std::size_t>(i)];
    SCOPED_TRACE(i);
    if (i < 5) {
      EXPECT_TRUE(p.active);
      EXPECT_NEAR(p.y, 2.0f + 0.12f, 1e-6f) << "a new puff leaves the point before it is first drawn";
    } else {
      EXPECT_FALSE(p.active);
      EXPECT_FLOAT_EQ(p.y, 0.0f);
      EXPECT_FLOAT_EQ(p.vy, 0.0f);
    }
  }
}

TEST(ParticleEmitter, EmissionCopiesTheSettingsAndScattersAlongTheDiagonal) {
  ParticleEmitter e;
  e.spread = 0.05f;
  e.baseVy = 0.4f;
  e.accelX = 0.1f;
  e.accelY = 0.5f;
  e.particleRadius = 0.25f;
  e.listId = 12;
  bool sawNegative = false;
  bool sawPositive = false;
  for (int i = 0; i < ParticleEmitter::kPoolSize; ++i) {
    e.emitParticle(i);
    const SmokeParticle& p = e.particles[static_cast<std::size_t>(i)];
    ASSERT_NEAR(p.vy - p.vx, 0.4f, 1e-6f) << "one offset for both components";
    ASSERT_GE(p.vx, -0.05f);
    ASSERT_LT(p.vx, 0.05f);
    sawNegative = sawNegative || p.vx < 0.0f;
    sawPositive = sawPositive || p.vx > 0.0f;
    ASSERT_FLOAT_EQ(p.x, -2.0f);
    ASSERT_FLOAT_EQ(p.y, 2.0f);
    ASSERT_FLOAT_EQ(p.accelX, 0.1f);
    ASSERT_FLOAT_EQ(p.accelY, 0.5f);
    ASSERT_FLOAT_EQ(p.radius, 0.25f);
    ASSERT_EQ(p.listId, 12);
    ASSERT_TRUE(p.active);
  }
  EXPECT_TRUE(sawNegative && sawPositive) << "the scatter covers both sides of the base velocity";

  const ParticleEmitter before = e;
  e.originX = 9.0f;
  e.emitParticle(-1);
  e.emitParticle(ParticleEmitter::kPoolSize);
  for (std::size_t i = 0; i < e.particles.size(); ++i) ASSERT_EQ(e.particles[i].x, before.particles[i].x);
}

TEST(ParticleEmitter, ARandomHeadingCostsOneMoreDrawDrawnBeforeTheScatter) {
  ScriptedRandom random;
  ParticleEmitter e;
  e.spread = 0.05f;
  e.headingFromVelocity = false;
  random.values = {725, 0};
  e.emitParticle(0);
  EXPECT_EQ(random.draws, 2);
  EXPECT_FLOAT_EQ(e.particles[0].heading, 5.0f) << "725 wraps to a whole 5 degrees";
  EXPECT_FLOAT_EQ(e.particles[0].vx, -0.05f) << "the second draw is the scatter";

  e.headingFromVelocity = true;
  random.values = {5000};
  e.emitParticle(1);
  EXPECT_EQ(random.draws, 3) << "a heading that follows the velocity needs no draw";
  EXPECT_NEAR(e.particles[1].vx, 0.0f, 1e-7f);
  EXPECT_FLOAT_EQ(e.particles[1].heading, 0.0f);
}

TEST(ParticleEmitter, HeadingFollowsTheSlopeOfTheVelocityNotItsDirection) {
  for (const float v : {1.0f, -1.0f}) {
    ParticleEmitter e = stillEmitter(45.0f);
    e.accelX = 0.0f;
    e.baseVx = v;
    e.baseVy = v;
    e.update(0.12f);
    EXPECT_NEAR(e.particles[0].heading, 45.0f, 1e-4f) << "velocity (" << v << ", " << v << ")";
  }
  ParticleEmitter steep = stillEmitter(45.0f);
  steep.baseVx = -1.0f;
  steep.baseVy = 2.0f;
  steep.update(0.12f);
  EXPECT_NEAR(steep.particles[0].heading, -63.4349f, 1e-3f);

  // A puff at rest keeps a usable heading instead of 0/0.
  ParticleEmitter resting = stillEmitter(45.0f);
  resting.update(0.12f);
  EXPECT_TRUE(std::isfinite(resting.particles[0].heading));
}

TEST(ParticleEmitter, APendingAttractorJoinsTheWholePoolOnce) {
  ParticleEmitter e = stillEmitter(1.0f);
  Particle body;
  e.pendingAttractor = &body;
  e.update(0.01f);
  EXPECT_EQ(e.pendingAttractor, nullptr);
  for (const SmokeParticle& p : e.particles) {
    ASSERT_FALSE(p.active);
    ASSERT_EQ(p.attractorCount, 1) << "inactive puffs get it too";
    ASSERT_EQ(p.attractors[0], &body);
  }
  e.update(0.01f);
  EXPECT_EQ(e.particles[0].attractorCount, 1);
}

TEST(ParticleEmitterDrawing, PuffsAreBlendedAtTheEmitterColourAndOpacity) {
  GlTestWindow& window = GlTestWindow::open();
  ScratchDir assets;
  assets.solidImage("puff.tga", 255, 255, 255);
  ParticleEmitter e = stillEmitter(10.0f);
  e.loadSprite("./res/images/puff.tga");
  e.originX = 1.0f;
  e.originY = 3.0f;
  e.colourR = e.colourG = e.colourB = 0.9f;
  e.colourA = 0.08f;
  const int depth = GlTestWindow::modelViewDepth();
  const auto centre = GlTestWindow::worldToPixel(1.0f, 3.0f);

  window.clear();
  e.render();
  EXPECT_TRUE(near(window.pixel(centre[0], centre[1]), 0, 0, 0, 1)) << "no puff before the first emission";

  // One puff over black: 0.9 x 0.08 of full white.
  e.update(0.1f);
  window.clear();
  e.render();
  EXPECT_TRUE(near(window.pixel(centre[0], centre[1]), 18, 18, 18, 3));

  // Five puffs in one place build up as 1 - 0.92^5 of the colour, far below opaque.
  for (int i = 0; i < 4; ++i) e.update(0.1f);
  window.clear();
  e.render();
  const int five = static_cast<int>(255.0 * 0.9 * (1.0 - std::pow(0.92, 5)) + 0.5);
  EXPECT_TRUE(near(window.pixel(centre[0], centre[1]), five, five, five, 4));

  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);
}

}  // namespace
