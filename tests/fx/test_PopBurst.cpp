#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/ScriptedRandom.h"
#include "fx/PopBurst.h"
#include "util/MathHelpers.h"

namespace {

// Stands in for a spark sprite that already exists, so seeding needs no GL
// context; the previous id comes back afterwards.
class PopBurstTest : public ::testing::Test {
 protected:
  static constexpr int kFakeSparkList = 7;
  void SetUp() override {
    savedList = PopBurst::sparkListId;
    PopBurst::sparkListId = kFakeSparkList;
  }
  void TearDown() override { PopBurst::sparkListId = savedList; }
  int savedList = kNoSprite;
};

constexpr float kDt = 0.1f;  // seconds

TEST_F(PopBurstTest, SeedingDrawsAngleThenXThenYMagnitudeForEverySpark) {
  ScriptedRandom random;
  // Spark i: angle 3.6 i degrees, x magnitude a quarter of the launch speed, y
  // magnitude three quarters, so a mix-up of the draws shows at once.
  for (int i = 0; i < PopBurst::kSparkCount; ++i) {
    random.values.push_back(i * 100);
    random.values.push_back(2500);
    random.values.push_back(7500);
  }
  PopBurst burst = PopBurst::popVariant();
  burst.seed(1.0f, 2.0f, 0.5f);
  EXPECT_EQ(random.draws, 3 * PopBurst::kSparkCount) << "each spark takes exactly three draws";

  for (int i = 0; i < PopBurst::kSparkCount; ++i) {
    const Spark& spark = burst.sparks[static_cast<std::size_t>(i)];
    const double angle = degToRad(spark.rotation);
    SCOPED_TRACE(i);
    EXPECT_NEAR(spark.rotation, 3.6f * static_cast<float>(i), 1e-3f) << "rotation is the rim angle";
    EXPECT_NEAR(spark.x, 1.0 + 0.5 * std::cos(angle), 1e-5);
    EXPECT_NEAR(spark.y, 2.0 + 0.5 * std::sin(angle), 1e-5);
    EXPECT_NEAR(spark.vx, 1.0 * std::cos(angle), 1e-5);
    EXPECT_NEAR(spark.vy, 3.0 * std::sin(angle), 1e-5);
    EXPECT_FLOAT_EQ(spark.alpha, 0.0f) << "a new burst is invisible until its first update";
    EXPECT_FLOAT_EQ(spark.scale, 0.0f);
    EXPECT_FLOAT_EQ(spark.grey, 0.7f);
    EXPECT_EQ(spark.listId, kFakeSparkList);
  }
}

TEST_F(PopBurstTest, RealRandomSparksStartOnTheRimAndFlyOutwardsInTheirQuadrant) {
  for (const bool click : {false, true}) {
    PopBurst burst = click ? PopBurst::clickVariant() : PopBurst::popVariant();
    const float top = click ? 30.0f : 4.0f;
    burst.seed(1.0f, 2.0f, 0.5f);
    for (const Spark& spark : burst.sparks) {
      EXPECT_NEAR(std::hypot(spark.x - 1.0f, spark.y - 2.0f), 0.5f, 1e-5f);
      ASSERT_GE(spark.rotation, 0.0f);
      ASSERT_LT(spark.rotation, 360.0f);
      const double c = std::cos(degToRad(spark.rotation));
      const double s = std::sin(degToRad(spark.rotation));
      EXPECT_LE(std::abs(spark.vx), top * std::abs(c) + 1e-5);
      EXPECT_LE(std::abs(spark.vy), top * std::abs(s) + 1e-5);
      EXPECT_GE(spark.vx * c, -1e-6) << "a spark must not fly inwards across its centre";
      EXPECT_GE(spark.vy * s, -1e-6);
    }
  }
}

TEST_F(PopBurstTest, ZeroRadiusStartsEverySparkOnTheCentreYetTheyFlyApart) {
  PopBurst burst = PopBurst::popVariant();
  burst.seed(-1.0f, 3.0f, 0.0f);
  for (const Spark& spark : burst.sparks) {
    EXPECT_FLOAT_EQ(spark.x, -1.0f);
    EXPECT_FLOAT_EQ(spark.y, 3.0f);
  }
  burst.update(kDt);
  burst.update(kDt);
  float farthest = 0.0f;
  for (const Spark& spark : burst.sparks)
    farthest = std::max(farthest, std::hypot(spark.x + 1.0f, spark.y - 3.0f));
  EXPECT_GT(farthest, 0.1f);
}

TEST_F(PopBurstTest, PopVariantFadesInHoldsAndFadesOutInTenthSecondSteps) {
  PopBurst burst = PopBurst::popVariant();
  burst.seed(0.0f, 3.0f, 0.5f);
  const std::vector<Spark> start(burst.sparks.begin(), burst.sparks.end());

  const float expected[] = {0.0f, 0.6667f, 1.3333f, 1.0f, 1.0f, 1.0f, 0.6f, 0.2f};
  int updates = 0;
  for (const float alpha : expected) {
    burst.update(kDt);
    ++updates;
    SCOPED_TRACE(updates);
    ASSERT_NE(burst.phase, PopBurst::kFinished) << "the burst ended early";
    for (const Spark& spark : burst.sparks) {
      ASSERT_NEAR(spark.alpha, alpha, 1e-4f);
      ASSERT_NEAR(spark.scale, 0.25f * alpha, 1e-4f);
    }
  }
  burst.update(kDt);
  EXPECT_EQ(burst.phase, PopBurst::kFinished) << "the ninth update ends the fade-out";

  // Positions move by dt times velocity in every update, the last one included.
  for (std::size_t i = 0; i < start.size(); ++i) {
    EXPECT_NEAR(burst.sparks[i].x, start[i].x + 9 * kDt * start[i].vx, 1e-4f);
    EXPECT_NEAR(burst.sparks[i].y, start[i].y + 9 * kDt * start[i].vy, 1e-4f);
    EXPECT_FLOAT_EQ(burst.sparks[i].vx, start[i].vx) << "sparks keep their velocity";
  }
}

TEST_F(PopBurstTest, ClickVariantIsBrightOnItsFirstUpdateAndGoneInTheFifth) {
  PopBurst burst = PopBurst::clickVariant();
  burst.seed(0.0f, 3.0f, 0.5f);
  const float expected[] = {1.0f, 1.0f, 1.0f, 0.1667f};
  int updates = 0;
  for (const float alpha : expected) {
    burst.update(kDt);
    ++updates;
    SCOPED_TRACE(updates);
    ASSERT_NE(burst.phase, PopBurst::kFinished);
    for (const Spark& spark : burst.sparks) {
      ASSERT_TRUE(std::isfinite(spark.alpha)) << "a zero fade-in must not divide by zero";
      ASSERT_NEAR(spark.alpha, alpha, 1e-4f);
      ASSERT_NEAR(spark.scale, 0.25f * alpha, 1e-4f);
    }
  }
  burst.update(kDt);
  EXPECT_EQ(burst.phase, PopBurst::kFinished);
}

TEST_F(PopBurstTest, EveryPhaseLastsAtLeastOneUpdateEvenWithAHugeStep) {
  PopBurst burst = PopBurst::popVariant();
  burst.seed(0.0f, 3.0f, 0.5f);
  // The first update starts the clock at 0, so only the next one can see the
  // fade-in's time run out; after that one phase ends per update.
  const int phases[] = {PopBurst::kFadeIn, PopBurst::kHold, PopBurst::kFadeOut, PopBurst::kFinished};
  for (const int phase : phases) {
    burst.update(10.0f);
    EXPECT_EQ(burst.phase, phase);
  }
}

}  // namespace
