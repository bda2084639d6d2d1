#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "fx/BurstList.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"
#include "support/PlayState.h"
#include "support/RecordingAudio.h"
#include "support/ScriptedRandom.h"
#include "view/Pointer.h"

namespace {

// Half an hour of play (a few minutes in the sanitizer build, which runs many
// times slower), sub-step by sub-step, with a player who hovers and clicks at
// random. After every sub-step the field must still be sound: finite numbers,
// no more than the limit, every bubble inside the stomach, and a selection that
// is either none or a live bubble.
TEST(BubbleFieldLongRun, LongPlayWithRandomClicksStaysSound) {
#if defined(PLOMBRIX_SHORT_RUNS)
  constexpr double kPlaySeconds = 3.0 * 60.0;
#else
  constexpr double kPlaySeconds = 30.0 * 60.0;
#endif
  const long subSteps = std::lround(kPlaySeconds * BubbleField::kTimeScale / BubbleField::kSubStep);
  const auto frame = static_cast<float>(BubbleField::kSubStep / BubbleField::kTimeScale);
  // New bubbles may appear up to 0.08 beyond the right wall; one that a kind
  // clearing slides past the walk's position waits a sub-step for the walls.
  constexpr float kWallSlack = 0.1f;
  constexpr float kRunawayHeight = 50.0f;

  resetPlayState();
  RecordingAudio::install();
  std::mt19937 player(7);
  ScriptedRandom pinned;  // the game's own draws, from a fixed sequence
  pinned.followSequence(2024);
  std::uniform_real_distribution<float> across(-3.4f, 1.1f), up(0.4f, 5.0f);

  BubbleField& field = bubbleField;
  long clicks = 0;
  std::size_t mostBubbles = 0;
  for (long step = 0; step < subSteps; ++step) {
    field.subStep();
    BurstList::instance().update(frame);
    Wallet::instance().update(frame);

    ASSERT_LE(field.bubbles.size(), 135u) << "sub-step " << step;
    mostBubbles = std::max(mostBubbles, field.bubbles.size());
    bool selectionLive = field.selectedBubble == nullptr;
    for (const Bubble* b : field.bubbles) {
      const float overhang =
          std::max({BubbleField::kFloor - (b->y - b->radius), BubbleField::kLeftWall - (b->x - b->radius),
                    (b->x + b->radius) - BubbleField::kRightWall});
      ASSERT_TRUE(std::isfinite(b->x) && std::isfinite(b->y) && std::isfinite(b->vx) &&
                  std::isfinite(b->vy) && b->mass >= 0.25f && overhang <= kWallSlack && b->y < kRunawayHeight)
          << "sub-step " << step << ": bubble at (" << b->x << ", " << b->y << ") moving (" << b->vx << ", "
          << b->vy << ") mass " << b->mass << " is out of the stomach by " << overhang;
      selectionLive = selectionLive || b == field.selectedBubble;
    }
    ASSERT_TRUE(selectionLive) << "sub-step " << step << ": the selection outlived its bubble";

    // The player moves now and then and clicks a few times a second.
    const auto roll = player() % 100;
    if (roll >= 20) continue;
    const float x = across(player), y = up(player);
    handleMove(x, y, false, false);
    if (roll < 3) {
      handlePress(x, y, true, true);
      ++clicks;
    }
  }
  EXPECT_GT(clicks, subSteps / 50) << "the player clicked too rarely to test anything";
  EXPECT_EQ(mostBubbles, 135u) << "the field fills up at some point";
}

}  // namespace
