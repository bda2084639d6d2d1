#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fx/BurstList.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/PlayState.h"
#include "support/ScratchDir.h"
#include "support/ScriptedRandom.h"

namespace {

constexpr float kDt = 0.1f;  // seconds

TEST(BurstList, FinishedBurstsLeaveInTheUpdateThatFinishesThemAndTheRestStepOnceInOrder) {
  PopBurst::sparkListId = 3;  // a spark sprite that already exists: seeding needs no GL context
  ScriptedRandom still;       // every draw 0: the sparks stay where their burst was spawned
  BurstList list;
  // Two neighbouring click bursts finish in the same update, between pop
  // bursts; each burst has a lone twin to keep time with.
  std::vector<std::pair<float, PopBurst>> twins;
  for (const bool click : {false, true, true, false, true}) {
    const auto x = static_cast<float>(twins.size());
    click ? list.spawnClickBurst(x, 3.0f, 0.0f) : list.spawnPopBurst(x, 3.0f, 0.0f);
    twins.emplace_back(x, click ? PopBurst::clickVariant() : PopBurst::popVariant());
  }
  for (int update = 1; !twins.empty(); ++update) {
    list.update(kDt);
    for (auto& twin : twins) twin.second.update(kDt);
    std::erase_if(twins, [](const auto& twin) { return twin.second.phase == PopBurst::kFinished; });
    ASSERT_EQ(list.bursts.size(), twins.size()) << "a finished burst outlived its last update " << update;
    // A skipped burst would lag its twin by one step, a doubly updated one lead it.
    for (std::size_t i = 0; i < twins.size(); ++i)
      EXPECT_TRUE(list.bursts[i].sparks[0].x == twins[i].first &&
                  list.bursts[i].phaseClock == twins[i].second.phaseClock)
          << "burst " << i << " out of order or out of step after update " << update;
  }
}

TEST(BurstListDrawing, SparksShowWhereTheyFlyAndTheirImageIsReadOncePerProcess) {
  GlTestWindow& window = GlTestWindow::open();
  ScratchDir assets;
  assets.solidImage("popBubble2.tga", 255, 255, 255);
  resetPlayState();
  BurstList& list = BurstList::instance();
  // Spark 0 starts on the right of the rim and flies right at 1 unit a second,
  // alone; the other 99 start on the left and fly left.
  ScriptedRandom random;
  random.values = {0, 2500, 0};
  for (int i = 1; i < PopBurst::kSparkCount; ++i) random.values.insert(random.values.end(), {5000, 2500, 0});
  ::testing::internal::CaptureStdout();
  list.spawnPopBurst(0.0f, 3.0f, 1.0f);
  for (int i = 0; i < 4; ++i) list.update(kDt);  // into the hold, at full strength
  const int depth = GlTestWindow::modelViewDepth();
  window.clear();
  list.render();
  const auto spark = GlTestWindow::worldToPixel(1.4f, 3.0f);
  const auto centre = GlTestWindow::worldToPixel(0.0f, 3.0f);
  EXPECT_TRUE(near(window.pixel(spark[0], spark[1]), 179, 179, 179, 6)) << "0.7 grey where the spark flew";
  EXPECT_TRUE(near(window.pixel(centre[0], centre[1]), 0, 0, 0, 2)) << "the sparks left the centre";
  EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_ALPHA_TEST));
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);

  list.spawnPopBurst(0.0f, 3.0f, 0.5f);
  list.spawnClickBurst(1.0f, 3.0f, 0.5f);
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(log.find("./res/images/popBubble2.tga"), std::string::npos) << log;
  EXPECT_EQ(log.find("Loading texture", log.find("Loading texture") + 1), std::string::npos)
      << "the spark image is read once: " << log;
}

}  // namespace
