#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "fx/BurstList.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"
#include "support/ScriptedRandom.h"

namespace {

constexpr float kDt = 0.1f;  // seconds

// Stands in for a spark sprite that already exists, so seeding needs no GL context.
class BurstListTest : public ::testing::Test {
 protected:
  void SetUp() override { PopBurst::sparkListId = 3; }
  void TearDown() override { PopBurst::sparkListId = savedList; }
  int savedList = PopBurst::sparkListId;
};

TEST_F(BurstListTest, FinishedBurstsLeaveInTheirLastUpdateAndTheRestAreUpdatedOnceInOrder) {
  BurstList list;
  // Two neighbouring click bursts finish in the same pass, between pop bursts.
  list.spawnPopBurst(-2.0f, 3.0f, 0.0f);
  list.spawnClickBurst(-1.0f, 3.0f, 0.0f);
  list.spawnClickBurst(0.0f, 3.0f, 0.0f);
  list.spawnPopBurst(2.0f, 3.0f, 0.0f);
  list.spawnClickBurst(3.0f, 3.0f, 0.0f);

  PopBurst reference = PopBurst::popVariant();
  for (int update = 1; update <= 9; ++update) {
    list.update(kDt);
    reference.update(kDt);
    const std::size_t alive = update < 5 ? 5 : update < 9 ? 2 : 0;
    ASSERT_EQ(list.bursts.size(), alive)
        << "click bursts end in their fifth update, pop bursts in their ninth; "
        << "after update " << update;
    for (std::size_t i = 0; update >= 5 && i < list.bursts.size(); ++i) {
      const PopBurst& burst = list.bursts[i];
      // Radius 0: undoing the flight finds where the burst was spawned.
      const float spawnX = burst.sparks[0].x - static_cast<float>(update) * kDt * burst.sparks[0].vx;
      EXPECT_NEAR(spawnX, i == 0 ? -2.0f : 2.0f, 1e-4f) << "survivors keep their spawn order";
      // A skipped burst would lag the reference by one step, a doubly updated one lead it.
      EXPECT_FLOAT_EQ(burst.phaseClock, reference.phaseClock) << "after update " << update;
      EXPECT_FLOAT_EQ(burst.sparks[0].alpha, reference.sparks[0].alpha) << "after update " << update;
    }
  }
}

std::string capturedSpawns(const std::function<void()>& spawn) {
  std::fflush(stdout);
  ::testing::internal::CaptureStdout();
  spawn();
  std::fflush(stdout);
  return ::testing::internal::GetCapturedStdout();
}

TEST(BurstListDrawing, SparksFadeAndDisappearAndTheirImageIsReadOncePerProcess) {
  GlTestWindow& window = GlTestWindow::open();
  ScratchDir assets;
  assets.solidImage("popBubble2.tga", 255, 255, 255);
  BurstList& list = BurstList::instance() = BurstList();
  PopBurst::sparkListId = kNoSprite;  // as at start-up

  // Spark 0 starts on the right of the rim and flies right at 1 unit a second,
  // alone; the other 99 start on the left and fly left.
  ScriptedRandom random;
  random.values = {0, 2500, 0};
  for (int i = 1; i < PopBurst::kSparkCount; ++i) random.values.insert(random.values.end(), {5000, 2500, 0});
  std::string log = capturedSpawns([&] { list.spawnPopBurst(0.0f, 3.0f, 1.0f); });

  // Grey 0.7 at each update's opacity over black; the 1.3333 of the third update
  // is clamped to full.
  const float alphas[] = {0.0f, 0.6667f, 1.0f, 1.0f, 1.0f, 1.0f, 0.6f, 0.2f, 0.0f};
  const int depth = GlTestWindow::modelViewDepth();
  float sparkX = 1.0f;
  for (const float alpha : alphas) {
    list.update(kDt);
    sparkX += kDt;
    window.clear();
    list.render();
    const auto at = GlTestWindow::worldToPixel(sparkX, 3.0f);
    const auto centre = GlTestWindow::worldToPixel(0.0f, 3.0f);
    const int grey = static_cast<int>(0.7f * alpha * 255.0f + 0.5f);
    EXPECT_TRUE(near(window.pixel(at[0], at[1]), grey, grey, grey, 6)) << "spark at x " << sparkX;
    EXPECT_TRUE(near(window.pixel(centre[0], centre[1]), 0, 0, 0, 2)) << "the sparks left the centre";
  }
  EXPECT_TRUE(list.bursts.empty()) << "a finished burst is never drawn";
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);

  log += capturedSpawns([&] {
    for (int i = 0; i < 4; ++i) {
      list.spawnPopBurst(0.0f, 3.0f, 0.5f);
      list.spawnClickBurst(1.0f, 3.0f, 0.5f);
    }
  });
  EXPECT_NE(log.find("./res/images/popBubble2.tga"), std::string::npos) << log;
  EXPECT_EQ(log.find("Loading texture", log.find("Loading texture") + 1), std::string::npos)
      << "the spark image is read once: " << log;
  for (const PopBurst& burst : list.bursts) EXPECT_EQ(burst.sparks[99].listId, PopBurst::sparkListId);
}

}  // namespace
