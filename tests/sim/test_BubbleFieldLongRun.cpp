#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

#include "fx/BurstList.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"
#include "support/RecordingAudio.h"
#include "util/Random.h"
#include "view/Pointer.h"

namespace {

// Half an hour of play at the field's own pace, with a player who hovers and
// clicks at random. After every sub-step the field must still be sound: finite
// numbers, no more than the limit, every bubble inside the stomach, and a
// selection that is either none or a live bubble.
TEST(BubbleFieldLongRun, HalfAnHourOfPlayWithRandomClicksStaysSound) {
  constexpr double kPlaySeconds = 30.0 * 60.0;
  // One sub-step's worth of real time per frame, so every sub-step is checked.
  const float frame = static_cast<float>(BubbleField::kSubStep / BubbleField::kTimeScale);
  // New bubbles may appear up to 0.08 beyond the right wall; one that a kind
  // clearing slides past the walk's position waits a sub-step for the walls.
  constexpr float kWallSlack = 0.1f;
  constexpr float kRunawayHeight = 50.0f;

  RecordingAudio::install();
  randomSource() = RandomSource{[] { return std::rand(); }, [](unsigned seed) { std::srand(seed); },
                                [] { return std::time_t{20240601}; }};
  needsSeed = true;
  std::mt19937 player(7);
  std::uniform_real_distribution<float> across(-3.4f, 1.1f);
  std::uniform_real_distribution<float> up(0.4f, 5.0f);
  std::uniform_int_distribution<int> chance(0, 99);

  BubbleField& field = bubbleField;
  long subSteps = 0;
  long clicks = 0;
  std::size_t mostBubbles = 0;
  float worstOverhang = 0.0f;
  const long frames = std::lround(kPlaySeconds / frame);
  for (long f = 0; f < frames; ++f) {
    const float before = field.stepAccumulator;
    field.step(frame);
    BurstList::instance().update(frame);
    Wallet::instance().update(frame);
    const long ran = std::lround((before + frame * BubbleField::kTimeScale - field.stepAccumulator) /
                                 BubbleField::kSubStep);
    ASSERT_LE(ran, 1) << "frame " << f << " ran more than one sub-step unchecked";
    subSteps += ran;

    ASSERT_LE(field.bubbles.size(), 135u) << "frame " << f;
    mostBubbles = std::max(mostBubbles, field.bubbles.size());
    // Plain checks per bubble (millions of them); the assertion names the first
    // bubble that fails.
    bool selectionLive = field.selectedBubble == nullptr;
    for (const Bubble* bubble : field.bubbles) {
      const bool finite = std::isfinite(bubble->x) && std::isfinite(bubble->y) && std::isfinite(bubble->vx) &&
                          std::isfinite(bubble->vy) && std::isfinite(bubble->mass);
      const float overhang = std::max({BubbleField::kFloor - (bubble->y - bubble->radius),
                                       BubbleField::kLeftWall - (bubble->x - bubble->radius),
                                       (bubble->x + bubble->radius) - BubbleField::kRightWall, 0.0f});
      worstOverhang = std::max(worstOverhang, overhang);
      if (!finite || bubble->mass < 0.25f || !(overhang <= kWallSlack) || !(bubble->y < kRunawayHeight)) {
        FAIL() << "frame " << f << ": bubble at (" << bubble->x << ", " << bubble->y << ") moving ("
               << bubble->vx << ", " << bubble->vy << ") mass " << bubble->mass << " overhang " << overhang;
      }
      selectionLive = selectionLive || bubble == field.selectedBubble;
    }
    ASSERT_TRUE(selectionLive) << "frame " << f << ": the selection outlived its bubble";

    // The player: moves now and then, clicks a few times a second.
    const int roll = chance(player);
    if (roll < 20) {
      const float x = across(player);
      const float y = up(player);
      handleMove(x, y, false, false);
      if (roll < 3) {
        handlePress(x, y, true, true);
        ++clicks;
      }
    }
  }
  EXPECT_GE(subSteps, static_cast<long>(kPlaySeconds * 123.75 * 0.999));
  EXPECT_GT(clicks, 1000);
  EXPECT_EQ(mostBubbles, 135u) << "the field fills up at some point";
  RecordProperty("worstOverhang", std::to_string(worstOverhang));
}

}  // namespace
