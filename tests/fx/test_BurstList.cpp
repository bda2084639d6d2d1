#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "support/ScratchDir.h"
#include "support/ScriptedRandom.h"
#include "fx/BurstList.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"

namespace {

constexpr float kDt = 0.1f;  // seconds

// Logic-only cases stand in for a spark sprite that already exists, so seeding
// needs no GL context.
class BurstListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedList = PopBurst::sparkListId;
    PopBurst::sparkListId = 3;
    BurstList::instance() = BurstList();
  }
  void TearDown() override { PopBurst::sparkListId = savedList; }
  int savedList = kNoSprite;
};

float centreX(const PopBurst& burst, int updates) {
  // Radius 0: every spark started on the centre, so undo its flight.
  const Spark& spark = burst.sparks[0];
  return spark.x - static_cast<float>(updates) * kDt * spark.vx;
}

TEST_F(BurstListTest, SpawnAppendsSeededBurstsOfTheRightVariantInOrder) {
  BurstList& list = BurstList::instance();
  list.spawnPopBurst(-1.0f, 2.0f, 0.3f);
  list.spawnClickBurst(1.5f, 4.0f, 0.2f);
  ASSERT_EQ(list.bursts.size(), 2u);
  EXPECT_FLOAT_EQ(list.bursts[0].launchSpeed, 4.0f);
  EXPECT_FLOAT_EQ(list.bursts[1].launchSpeed, 30.0f) << "clicked bubbles burst much faster";
  EXPECT_FLOAT_EQ(list.bursts[1].fadeInTime, 0.0f);
  for (const Spark& spark : list.bursts[0].sparks) {
    EXPECT_NEAR(std::hypot(spark.x + 1.0f, spark.y - 2.0f), 0.3f, 1e-5f);
    EXPECT_FLOAT_EQ(spark.alpha, 0.0f) << "nothing shows before the first update";
  }
  for (const Spark& spark : list.bursts[1].sparks) {
    EXPECT_NEAR(std::hypot(spark.x - 1.5f, spark.y - 4.0f), 0.2f, 1e-5f);
  }
}

TEST_F(BurstListTest, BurstsLeaveTheListInTheUpdateThatFinishesThem) {
  BurstList& list = BurstList::instance();
  list.spawnPopBurst(0.0f, 3.0f, 0.5f);
  for (int i = 0; i < 8; ++i) list.update(kDt);
  ASSERT_EQ(list.bursts.size(), 1u) << "a pop burst is still fading after eight updates";
  EXPECT_NEAR(list.bursts[0].sparks[0].alpha, 0.2f, 1e-4f);
  list.update(kDt);
  EXPECT_TRUE(list.bursts.empty()) << "the ninth update finishes it and it must never be drawn finished";
}

TEST_F(BurstListTest, RemovalKeepsOrderAndUpdatesEveryOtherBurstExactlyOnce) {
  BurstList& list = BurstList::instance();
  // Two neighbouring click bursts finish in the same pass between two longer ones.
  list.spawnPopBurst(-2.0f, 3.0f, 0.0f);
  list.spawnClickBurst(-1.0f, 3.0f, 0.0f);
  list.spawnClickBurst(0.0f, 3.0f, 0.0f);
  list.spawnPopBurst(2.0f, 3.0f, 0.0f);
  list.spawnClickBurst(3.0f, 3.0f, 0.0f);

  PopBurst reference = PopBurst::popVariant();
  constexpr int kUpdates = 5;
  for (int i = 0; i < kUpdates; ++i) {
    list.update(kDt);
    reference.update(kDt);
  }

  ASSERT_EQ(list.bursts.size(), 2u) << "all three click bursts end in their fifth update";
  EXPECT_NEAR(centreX(list.bursts[0], kUpdates), -2.0f, 1e-4f);
  EXPECT_NEAR(centreX(list.bursts[1], kUpdates), 2.0f, 1e-4f) << "survivors keep their spawn order";
  for (const PopBurst& burst : list.bursts) {
    // A skipped burst would lag the reference by one step, a doubly updated one lead it.
    EXPECT_EQ(burst.phase, reference.phase);
    EXPECT_FLOAT_EQ(burst.phaseClock, reference.phaseClock);
    EXPECT_FLOAT_EQ(burst.sparks[0].alpha, reference.sparks[0].alpha);
  }
}

TEST(BurstListDrawing, TheSparkImageIsReadOncePerProcessHoweverManyBurstsSpawn) {
  GlTestWindow::open();
  ScratchDir assets;
  assets.solidImage("popBubble2.tga", 255, 255, 255);
  BurstList::instance() = BurstList();

  std::fflush(stdout);
  ::testing::internal::CaptureStdout();
  for (int i = 0; i < 4; ++i) {
    BurstList::instance().spawnPopBurst(0.0f, 3.0f, 0.5f);
    BurstList::instance().spawnClickBurst(1.0f, 3.0f, 0.5f);
    BurstList::instance().update(kDt);
  }
  std::fflush(stdout);
  const std::string out = ::testing::internal::GetCapturedStdout();

  int loads = 0;
  for (std::size_t at = out.find("Loading texture"); at != std::string::npos;
       at = out.find("Loading texture", at + 1)) {
    ++loads;
  }
  EXPECT_EQ(loads, 1) << out;
  EXPECT_NE(out.find("./res/images/popBubble2.tga"), std::string::npos) << out;
  ASSERT_GE(PopBurst::sparkListId, 0);
  for (const PopBurst& burst : BurstList::instance().bursts) {
    for (const Spark& spark : burst.sparks) ASSERT_EQ(spark.listId, PopBurst::sparkListId);
  }
}

TEST(BurstListDrawing, SparksFadeInHoldFadeOutAndDisappear) {
  GlTestWindow& window = GlTestWindow::open();
  ScratchDir assets;
  assets.solidImage("popBubble2.tga", 255, 255, 255);
  BurstList::instance() = BurstList();

  // Spark 0 starts on the right of the rim and flies right at 1 unit a second,
  // alone; the other 99 start on the left and fly left.
  ScriptedRandom random;
  random.values = {0, 2500, 0};
  for (int i = 1; i < PopBurst::kSparkCount; ++i) random.values.insert(random.values.end(), {5000, 2500, 0});
  BurstList::instance().spawnPopBurst(0.0f, 3.0f, 1.0f);

  // Grey 0.7 at each update's opacity over the black background; the 1.3333 of
  // the third update is clamped to full.
  const float alphas[] = {0.0f, 0.6667f, 1.0f, 1.0f, 1.0f, 1.0f, 0.6f, 0.2f};
  const int depth = GlTestWindow::modelViewDepth();
  float sparkX = 1.0f;
  for (int update = 0; update < 8; ++update) {
    BurstList::instance().update(kDt);
    sparkX += kDt;
    window.clear();
    BurstList::instance().render();
    const auto at = GlTestWindow::worldToPixel(sparkX, 3.0f);
    const int grey = static_cast<int>(0.7f * alphas[update] * 255.0f + 0.5f);
    SCOPED_TRACE(update + 1);
    EXPECT_TRUE(near(window.pixel(at[0], at[1]), grey, grey, grey, 6))
        << "got " << window.pixel(at[0], at[1]).r << " for grey " << grey;
    // The 99 sparks stacked on the left are at least as bright as one alone.
    const auto left = GlTestWindow::worldToPixel(-sparkX, 3.0f);
    EXPECT_GE(window.pixel(left[0], left[1]).r, grey - 6);
    const auto between = GlTestWindow::worldToPixel(0.0f, 3.0f);
    EXPECT_TRUE(near(window.pixel(between[0], between[1]), 0, 0, 0, 2)) << "the sparks left the centre";
  }
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);

  BurstList::instance().update(kDt);
  window.clear();
  BurstList::instance().render();
  const auto last = GlTestWindow::worldToPixel(sparkX + kDt, 3.0f);
  EXPECT_TRUE(near(window.pixel(last[0], last[1]), 0, 0, 0, 2)) << "a finished burst must leave nothing";
  EXPECT_TRUE(BurstList::instance().bursts.empty());
}

}  // namespace
