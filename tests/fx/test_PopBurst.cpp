#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "fx/PopBurst.h"
#include "support/ScriptedRandom.h"

namespace {

constexpr float kDt = 0.1f;  // seconds

// Stands in for a spark sprite that already exists, so seeding needs no GL context.
class PopBurstTest : public ::testing::Test {
 protected:
  void SetUp() override { PopBurst::sparkListId = 7; }
  void TearDown() override { PopBurst::sparkListId = kNoSprite; }
};

TEST_F(PopBurstTest, SparksStartOnTheRimAndFlyOutwardsAtTheVariantsSpeed) {
  for (const bool click : {false, true}) {
    SCOPED_TRACE(click ? "click variant" : "pop variant");
    ScriptedRandom random;
    // Spark i: angle 3.6 i degrees, x speed a quarter of the launch speed, y
    // speed three quarters, so any mix-up of the three draws shows at once.
    for (int i = 0; i < PopBurst::kSparkCount; ++i)
      random.values.insert(random.values.end(), {i * 100, 2500, 7500});
    PopBurst burst = click ? PopBurst::clickVariant() : PopBurst::popVariant();
    const double launch = click ? 30.0 : 4.0;
    burst.seed(1.0f, 2.0f, 0.5f);
    EXPECT_EQ(random.draws, 3 * PopBurst::kSparkCount);
    for (int i = 0; i < PopBurst::kSparkCount; ++i) {
      const Spark& spark = burst.sparks[static_cast<std::size_t>(i)];
      const double angle = 3.6 * i * std::numbers::pi / 180.0;
      SCOPED_TRACE(i);
      ASSERT_NEAR(spark.rotation, 3.6 * i, 1e-3) << "a spark points along its rim angle";
      ASSERT_NEAR(spark.x, 1.0 + 0.5 * std::cos(angle), 1e-5);
      ASSERT_NEAR(spark.y, 2.0 + 0.5 * std::sin(angle), 1e-5);
      ASSERT_NEAR(spark.vx, 0.25 * launch * std::cos(angle), 1e-4);
      ASSERT_NEAR(spark.vy, 0.75 * launch * std::sin(angle), 1e-4);
      ASSERT_TRUE(spark.alpha == 0.0f && spark.listId == 7)
          << "a new burst is invisible until its first update";
    }
  }
}

TEST_F(PopBurstTest, BothVariantsFadeInHoldAndFadeOutOnScheduleWhileTheSparksFly) {
  struct Schedule {
    PopBurst burst;
    std::vector<float> alphas;  // after each update before the one that finishes it
  };
  const Schedule schedules[] = {
      {PopBurst::popVariant(), {0.0f, 0.6667f, 1.3333f, 1.0f, 1.0f, 1.0f, 0.6f, 0.2f}},
      // No fade-in: full strength on the first update, not a division by zero.
      {PopBurst::clickVariant(), {1.0f, 1.0f, 1.0f, 0.1667f}},
  };
  for (Schedule row : schedules) {
    PopBurst& burst = row.burst;
    burst.seed(0.0f, 3.0f, 0.5f);
    const std::array<Spark, PopBurst::kSparkCount> start = burst.sparks;
    int update = 0;
    for (const float alpha : row.alphas) {
      burst.update(kDt);
      ++update;
      ASSERT_NE(burst.phase, PopBurst::kFinished) << "the burst vanished early, in update " << update;
      for (const Spark& spark : burst.sparks)
        ASSERT_TRUE(std::fabs(spark.alpha - alpha) < 1e-4f && std::fabs(spark.scale - 0.25f * alpha) < 1e-4f)
            << "after update " << update << ": alpha " << spark.alpha << ", scale " << spark.scale;
    }
    burst.update(kDt);
    ++update;
    EXPECT_EQ(burst.phase, PopBurst::kFinished) << "the burst should end in update " << update;
    // Sparks keep their launch velocity through every update, the last one included.
    for (std::size_t i = 0; i < start.size(); ++i) {
      ASSERT_NEAR(burst.sparks[i].x, start[i].x + update * kDt * start[i].vx, 1e-4f);
      ASSERT_NEAR(burst.sparks[i].y, start[i].y + update * kDt * start[i].vy, 1e-4f);
    }
  }
}

}  // namespace
