#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "assets/AssetTree.h"
#include "fx/BurstList.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/PlayState.h"
#include "support/ScratchDir.h"
#include "support/ScriptedRandom.h"

namespace {

constexpr float kDt = 0.1f;  // seconds

TEST(
    BurstList,
    EachBurstFlaresOnItsVariantsScheduleLeavesInTheUpdateThatFinishesItTheRestInOrderAndItsSparksShowWhereTheyFly) {
  PopBurst::sparkListId = 7;  // a spark sprite that already exists: seeding needs no GL context
  struct Variant {
    float launch;             // world units per second, the most on each axis
    std::vector<float> ramp;  // after each update before the one that finishes the burst
  };
  const Variant pop{4.0f, {0.0f, 0.6667f, 1.3333f, 1.0f, 1.0f, 1.0f, 0.6f, 0.2f}};
  // No fade-in: full strength on the first update, not a division by zero.
  const Variant click{30.0f, {1.0f, 1.0f, 1.0f, 0.1667f}};
  // Two neighbouring click bursts finish in one update between pop bursts, one more before the last.
  const Variant* spawned[] = {&pop, &click, &click, &pop, &click, &pop};
  BurstList list;
  for (std::size_t k = 0; k < std::size(spawned); ++k) {
    const auto x = static_cast<float>(k);
    spawned[k] == &click ? list.spawnClickBurst(x, 3.0f, 0.5f) : list.spawnPopBurst(x, 3.0f, 0.5f);
    // Each spark points along its angle on the rim and flies outwards, each axis
    // at its own random speed up to the launch speed; unseen until updated.
    const float launch = spawned[k]->launch;
    float fastest = 0.0f;
    for (const Spark& spark : list.bursts.back().sparks) {
      const double angle = spark.rotation * std::numbers::pi / 180.0;
      const double c = std::cos(angle), s = std::sin(angle);
      ASSERT_TRUE(std::fabs(spark.x - (x + 0.5 * c)) < 1e-5 && std::fabs(spark.y - (3.0 + 0.5 * s)) < 1e-5 &&
                  spark.vx * c >= 0.0 && spark.vy * s >= 0.0 &&
                  std::fabs(spark.vx) <= launch * std::fabs(c) &&
                  std::fabs(spark.vy) <= launch * std::fabs(s) && spark.alpha == 0.0f && spark.listId == 7)
          << "burst " << k << ": spark at (" << spark.x << ", " << spark.y << ") moving (" << spark.vx << ", "
          << spark.vy << ") at " << spark.rotation << " degrees";
      fastest = std::max({fastest, std::fabs(spark.vx), std::fabs(spark.vy)});
    }
    EXPECT_GT(fastest, 0.8f * launch) << "burst " << k << " does not use its variant's launch speed";
  }
  // A burst updated twice or not at all is out of step with its schedule and its
  // sparks' flight; one out of order is out of place.
  const std::vector<PopBurst> start = list.bursts;
  for (std::size_t update = 1; update <= pop.ramp.size() + 1; ++update) {
    list.update(kDt);
    std::vector<std::size_t> live;
    for (std::size_t k = 0; k < std::size(spawned); ++k)
      if (update <= spawned[k]->ramp.size()) live.push_back(k);
    ASSERT_EQ(list.bursts.size(), live.size()) << "a finished burst outlived its last update " << update;
    for (std::size_t i = 0; i < live.size(); ++i) {
      const float ramp = spawned[live[i]]->ramp[update - 1];
      for (std::size_t j = 0; j < PopBurst::kSparkCount; ++j) {
        const Spark &now = list.bursts[i].sparks[j], &was = start[live[i]].sparks[j];
        ASSERT_TRUE(std::fabs(now.alpha - ramp) < 1e-4f && std::fabs(now.scale - 0.25f * ramp) < 1e-4f &&
                    std::fabs(now.x - (was.x + update * kDt * was.vx)) < 1e-4f &&
                    std::fabs(now.y - (was.y + update * kDt * was.vy)) < 1e-4f)
            << "burst " << live[i] << " after update " << update << ": alpha " << now.alpha << ", scale "
            << now.scale;
      }
    }
  }

  GlTestWindow& window = GlTestWindow::open();
  ScratchDir assets;
  assets.solidImage(AssetTree::kSparkImage, 255, 255, 255);
  resetPlayState();
  BurstList& drawn = BurstList::instance();
  // Spark 0 starts on the right of the rim and flies right at 1 unit a second,
  // alone; the other 99 start on the left and fly left.
  ScriptedRandom random;
  random.values = {0, 2500, 0};
  for (int i = 1; i < PopBurst::kSparkCount; ++i) random.values.insert(random.values.end(), {5000, 2500, 0});
  ::testing::internal::CaptureStdout();
  drawn.spawnPopBurst(0.0f, 3.0f, 1.0f);
  for (int i = 0; i < 4; ++i) drawn.update(kDt);  // into the hold, at full strength
  const int depth = GlTestWindow::modelViewDepth();
  window.clear();
  drawn.render();
  EXPECT_TRUE(window.shows(1.4f, 3.0f, 179, 179, 179, 6)) << "0.7 grey where the spark flew";
  EXPECT_TRUE(window.shows(0.0f, 3.0f, 0, 0, 0, 2)) << "the sparks left the centre";
  EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_ALPHA_TEST));
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);

  drawn.spawnPopBurst(0.0f, 3.0f, 0.5f);
  drawn.spawnClickBurst(1.0f, 3.0f, 0.5f);
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(log.find(AssetTree::kSparkImage.path), std::string::npos) << log;
  EXPECT_EQ(log.find("Loading texture", log.find("Loading texture") + 1), std::string::npos)
      << "the spark image is read once: " << log;
}

}  // namespace
