#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "fx/PopBurst.h"

namespace {

constexpr float kDt = 0.1f;  // seconds

TEST(PopBurst, SparksFlyOutFromTheRimAndFadeInHoldAndFadeOutOnTheVariantsSchedule) {
  PopBurst::sparkListId = 7;  // a spark sprite that already exists: seeding needs no GL context
  struct Schedule {
    PopBurst burst;
    float launch;               // world units per second, the most on each axis
    std::vector<float> alphas;  // after each update before the one that finishes it
  };
  const Schedule schedules[] = {
      {PopBurst::popVariant(), 4.0f, {0.0f, 0.6667f, 1.3333f, 1.0f, 1.0f, 1.0f, 0.6f, 0.2f}},
      // No fade-in: full strength on the first update, not a division by zero.
      {PopBurst::clickVariant(), 30.0f, {1.0f, 1.0f, 1.0f, 0.1667f}},
  };
  for (Schedule row : schedules) {
    SCOPED_TRACE(row.launch);
    PopBurst& burst = row.burst;
    burst.seed(1.0f, 3.0f, 0.5f);
    // Each spark points along its angle on the rim and flies outwards, each axis
    // at its own random speed up to the launch speed; unseen until updated.
    float fastest = 0.0f;
    for (const Spark& spark : burst.sparks) {
      const double angle = spark.rotation * std::numbers::pi / 180.0;
      const double c = std::cos(angle), s = std::sin(angle);
      ASSERT_TRUE(std::fabs(spark.x - (1.0 + 0.5 * c)) < 1e-5 && std::fabs(spark.y - (3.0 + 0.5 * s)) < 1e-5);
      ASSERT_TRUE(spark.vx * c >= 0.0 && spark.vy * s >= 0.0 &&
                  std::fabs(spark.vx) <= row.launch * std::fabs(c) &&
                  std::fabs(spark.vy) <= row.launch * std::fabs(s))
          << "velocity (" << spark.vx << ", " << spark.vy << ") at " << spark.rotation << " degrees";
      ASSERT_TRUE(spark.alpha == 0.0f && spark.listId == 7);
      fastest = std::max({fastest, std::fabs(spark.vx), std::fabs(spark.vy)});
    }
    EXPECT_GT(fastest, 0.8f * row.launch) << "the variant's launch speed is not used";

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
  PopBurst::sparkListId = kNoSprite;
}

}  // namespace
