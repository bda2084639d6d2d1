#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "fx/BurstList.h"
#include "score/FloatingTextList.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"
#include "support/PlayState.h"
#include "support/RecordingAudio.h"
#include "support/ScriptedRandom.h"

namespace {

constexpr float kStep = 1.0f / 45.0f;

// True when the burst is the self-burst variant and every spark starts on the
// rim of the circle (x, y, r): it stands where the bubble burst.
bool popBurstOnRim(const PopBurst& burst, float x, float y, float radius) {
  if (burst.launchSpeed != PopBurst::kPopLaunch) return false;
  return std::all_of(burst.sparks.begin(), burst.sparks.end(), [&](const Spark& spark) {
    return std::fabs(std::hypot(spark.x - x, spark.y - y) - radius) < 1e-4f;
  });
}

class BubbleFieldTest : public ::testing::Test {
 protected:
  void SetUp() override { resetPlayState(); }

  Bubble* place(int kind, float x, float y, float mass = 0.5f) { return addBubble(field, kind, x, y, mass); }

  // A sub-step without the spawn, for scenes built by hand.
  void stepScene() {
    for (Bubble* bubble : field.bubbles) bubble->forceX = bubble->forceY = 0.0f;
    field.collide();
    field.updateWalk();
  }

  std::shared_ptr<RecordingAudio::Log> audio = RecordingAudio::install();
  BubbleField field;
};

TEST_F(BubbleFieldTest, FrameTimeBecomesWholeSubStepsWithTheRestCarried) {
  ScriptedRandom random;
  random.followSequence(1);  // spawns like play's, the same on every run
  field.step(0.12f);
  // The first bubble is spawned and moved in the first sub-step and is never
  // absorbed (the earlier bubble of a pair survives), so its age counts them.
  ASSERT_FALSE(field.bubbles.empty());
  EXPECT_LE(field.bubbles.size(), 14u) << "one spawn per sub-step";
  EXPECT_NEAR(field.bubbles[0]->wobbleClock / kStep, 14.0, 1e-3) << "0.33 s of simulation is 14 sub-steps";
  field.step(0.12f);
  EXPECT_NEAR(field.bubbles[0]->wobbleClock / kStep, 29.0, 1e-3)
      << "the 0.019 s carried makes a 15-step frame";
  EXPECT_FLOAT_EQ(field.clock, 0.24f);
}

TEST_F(BubbleFieldTest, SpawnsOneFallingBubbleACallHigherAsTheFieldFillsUpToTheLimit) {
  {
    ScriptedRandom random(5000);  // every draw at the middle of its range
    field.bubbleList = 42;
    for (int call = 0; call < 140; ++call) field.spawn();
    ASSERT_EQ(field.bubbles.size(), 135u) << "no spawn while 135 bubbles exist";
    for (int n = 0; n < 135; ++n)
      ASSERT_NEAR(field.bubbles[n]->y, 1.406 + n * 4.519 / 135.0, 1e-5) << "bubble " << n;
    EXPECT_TRUE(field.bubbles[0]->gravityY == -9.81f && field.bubbles[0]->shellList == 42);
  }
  // The ends of every range, in draw order: wobble phase, mass, x, y,
  // rotation, special, kind.
  ScriptedRandom random;
  random.values = {0, 0, 9999, 0, 9999, 20, 15, 0, 9999, 0, 9999, 5000, 21, 9};
  BubbleField fresh;
  fresh.spawn();
  fresh.spawn();
  const Bubble &low = *fresh.bubbles[0], &high = *fresh.bubbles[1];
  EXPECT_TRUE(low.mass == 0.25f && std::fabs(high.mass - 0.74995f) < 1e-5f) << low.mass << ", " << high.mass;
  EXPECT_TRUE(std::fabs(low.x - 0.9996f) < 1e-5f && std::fabs(high.x + 3.0f) < 1e-6f)
      << low.x << ", " << high.x;
  EXPECT_NEAR(low.y, 1.156, 1e-5) << "an empty field spawns 0.25 below 1.406 at the lowest";
  EXPECT_TRUE(low.special && !high.special)
      << "the 21st lowest special draw is special, one step higher is not";
  EXPECT_TRUE(low.kind == 7 && high.kind == 1);
}

// The contact pass as a plain all-pairs walk over copies of the bubbles, each
// beside the bubble it copies. Different kinds push apart with a spring of 810
// per unit of overlap along the line of the centres (none when the centres
// coincide), damped by 16 times the relative speed; touching is not a contact.
using Copies = std::vector<std::pair<const Bubble*, Bubble>>;

void plainContactWalk(Copies& copies) {
  for (std::size_t i = 0; i < copies.size(); ++i) {
    for (std::size_t j = i + 1; j < copies.size(); ++j) {
      Bubble& a = copies[i].second;
      Bubble& b = copies[j].second;
      const float reach = a.radius + b.radius;
      const float dx = b.x - a.x;
      const float dy = b.y - a.y;
      const float d = std::sqrt(dx * dx + dy * dy);
      if (!(d < reach)) continue;
      if (a.kind == b.kind) {  // the bubble that moves into b's place waits a pass
        a.setMass(b.mass + a.mass);
        a.special = a.special || b.special;
        copies.erase(copies.begin() + static_cast<std::ptrdiff_t>(j));
        continue;
      }
      const auto spring = static_cast<float>((d - reach) * -810.0);
      const float fx = (d > 0.0f ? spring * dx * (1.0f / d) : 0.0f) + -16.0f * (b.vx - a.vx);
      const float fy = (d > 0.0f ? spring * dy * (1.0f / d) : 0.0f) + -16.0f * (b.vy - a.vy);
      b.forceX += fx;
      b.forceY += fy;
      a.forceX -= fx;
      a.forceY -= fy;
    }
  }
}

// Crowded scenes played sub-step by sub-step under gravity, with spawns, merges
// and bursts: the field's box-test shortcut must leave each bubble bit for bit
// (-0 is not +0) as the plain walk leaves its copy. The rest of a sub-step is
// the same code for both, so positions and velocities are the walk's too.
TEST_F(BubbleFieldTest, ContactPassGivesBitForBitTheForcesAndMergesOfAPlainPairWalkSubStepAfterSubStep) {
  constexpr int kSubSteps = 300;  // long enough for a crowd to fall, pile up, burst and refill
  ScriptedRandom random;
  random.followSequence(5);
  std::mt19937 scene(11);
  auto in = [&scene](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(scene); };
  long merges = 0;
  for (int round = 0; round < 20; ++round) {
    while (!field.bubbles.empty()) field.remove(field.bubbles.back());
    const int kinds = round % 2 == 0 ? 3 : 8;  // few kinds merge a lot, many mostly push
    for (int n = 0; n < 135; ++n) {
      const float mass = in(0.25f, 1.5f);
      const float x = n == 40 ? field.bubbles[39]->x : in(-1.5f, 0.0f),
                  y = n == 40 ? field.bubbles[39]->y : in(0.5f, 2.0f);  // 40 sits on 39
      const float vx = in(-2.0f, 2.0f), vy = in(-2.0f, 2.0f);
      Bubble* bubble = place(std::uniform_int_distribution<int>(0, kinds - 1)(scene), x, y, mass);
      bubble->vx = vx;
      bubble->vy = vy;
      bubble->gravityY = BubbleField::kGravity;
      bubble->special = n % 17 == 0;
    }
    for (int step = 0; step < kSubSteps; ++step) {
      SCOPED_TRACE("round " + std::to_string(round) + ", sub-step " + std::to_string(step));
      if (step > 0) field.spawn();
      Copies copies;
      for (Bubble* bubble : field.bubbles) {
        bubble->forceX = bubble->forceY = 0.0f;
        copies.emplace_back(bubble, *bubble);
      }
      plainContactWalk(copies);
      const std::size_t before = field.bubbles.size(), soundsBefore = audio->played.size();
      field.collide();
      ASSERT_EQ(field.bubbles.size(), copies.size()) << "the pass merged other bubbles than the walk";
      ASSERT_EQ(audio->played.size() - soundsBefore, before - copies.size()) << "one merge sound a merge";
      for (std::size_t n = 0; n < copies.size(); ++n) {
        const Bubble &bubble = *field.bubbles[n], &copy = copies[n].second;
        ASSERT_TRUE(&bubble == copies[n].first && bubble.special == copy.special)
            << "place " << n << ": another bubble survived, the order changed or a glow was lost";
        // A survivor keeps its own place and motion: the pass moves nothing.
        for (float Entity::*value : {&Entity::mass, &Entity::radius, &Entity::forceX, &Entity::forceY,
                                     &Entity::x, &Entity::y, &Entity::vx, &Entity::vy})
          ASSERT_EQ(std::bit_cast<std::uint32_t>(bubble.*value), std::bit_cast<std::uint32_t>(copy.*value))
              << "place " << n << ": " << bubble.*value << " against " << copy.*value << "; force ("
              << bubble.forceX << ", " << bubble.forceY << ") against (" << copy.forceX << ", " << copy.forceY
              << ")";
      }
      merges += static_cast<long>(before - copies.size());
      field.updateWalk();
    }
  }
  EXPECT_GT(merges, 1000) << "the scenes are crowded enough to merge";
  EXPECT_GT(BurstList::instance().bursts.size(), 20u) << "the scenes grow bubbles until they burst";
}

TEST_F(BubbleFieldTest, WallsPutBubblesBackAndTurnTheirSpeed) {
  struct Row {
    const char* what;
    float x, y, mass, vx, vy;
    float wantX, wantY, wantVx, wantVy;
  };
  const Row rows[] = {
      {"sunk into the floor", 0.0f, 0.5f, 1.0f, 0.0f, -2.0f, 0.0f, 0.636f, 0.0f, 0.9f},
      {"through the left wall", -3.5f, 3.0f, 1.0f, -1.0f, 0.0f, -3.1997f, 3.0f, 0.45f, 0.0f},
      {"through the right wall", 1.0f, 3.0f, 1.0f, 1.0f, 0.0f, 0.888f, 3.0f, -0.45f, 0.0f},
      {"in the corner", -3.5f, 0.3f, 1.0f, -1.0f, -1.0f, -3.1997f, 0.636f, 0.45f, 0.45f},
      {"inside", -1.0f, 3.0f, 1.0f, 0.7f, -0.7f, -1.0f, 3.0f, 0.7f, -0.7f},
  };
  for (const Row& row : rows) {
    Bubble& b = *place(0, row.x, row.y, row.mass);
    b.vx = row.vx;
    b.vy = row.vy;
    field.applyWalls(b);
    EXPECT_TRUE(std::fabs(b.x - row.wantX) < 1e-5f && std::fabs(b.y - row.wantY) < 1e-5f &&
                std::fabs(b.vx - row.wantVx) < 1e-6f && std::fabs(b.vy - row.wantVy) < 1e-6f)
        << row.what << ": at (" << b.x << ", " << b.y << ") moving (" << b.vx << ", " << b.vy << ")";
  }
}

// Dropped bubbles come to rest: a lone one of any size on the floor; in heaps of
// two kinds the same kind merges where it meets and the other is pushed off, so
// a minute on what is left, mostly a row along the floor pressed between the
// walls, touches none of its own kind and sinks into the other no deeper than
// the heaviest bubble's weight presses one spring. Nothing moves faster than the
// floor's jitter: pressed down at the most acceleration, a bubble comes back off
// the floor at 45 / 45 * 0.45 / 1.45 each sub-step, a pixel's shake.
TEST_F(BubbleFieldTest, DroppedBubblesComeToRestALoneOneOnTheFloorAndHeapsOfTwoKindsWithTheKindsApart) {
  constexpr int kAMinute = 60 * 45;                   // sub-steps
  constexpr float kMostSink = 4.5f * 9.81f / 810.0f;  // world units
  constexpr float kRestSpeed = 0.35f;                 // world units a second
  for (const float mass : {0.25f, 1.0f, 4.4f}) {
    place(0, 0.0f, 3.0f, mass)->gravityY = BubbleField::kGravity;
    for (int step = 0; step < kAMinute; ++step) stepScene();
    const Bubble& b = *field.bubbles.back();
    EXPECT_TRUE(std::fabs(b.y - (BubbleField::kFloor + b.radius)) < 1e-3f && b.x == 0.0f &&
                std::hypot(b.vx, b.vy) < kRestSpeed)
        << "a lone bubble of mass " << mass << " dropped from 3 is at (" << b.x << ", " << b.y << ") moving ("
        << b.vx << ", " << b.vy << "), not at rest on the floor at y = " << BubbleField::kFloor + b.radius;
    field.remove(field.bubbles.back());
  }

  int pressed = 0;  // pairs of different kinds that hold each other up
  for (unsigned heap = 1; heap <= 8; ++heap) {
    SCOPED_TRACE("heap " + std::to_string(heap));
    ScriptedRandom random;
    random.followSequence(heap);  // the merge and burst sounds and the bursts' sparks
    std::mt19937 scene(heap);
    auto in = [&scene](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(scene); };
    while (!field.bubbles.empty()) field.remove(field.bubbles.back());
    for (int n = 0; n < 135; ++n) {
      const int kind = static_cast<int>(scene() % 2);
      const float mass = in(0.25f, 0.75f), x = in(-3.2f, 0.9f), y = in(0.6f, 5.0f);  // mass as spawned
      place(kind, x, y, mass)->gravityY = BubbleField::kGravity;
    }
    for (int step = 0; step < kAMinute; ++step) stepScene();
    const auto& left = field.bubbles;
    for (std::size_t i = 0; i < left.size(); ++i) {
      const Bubble& a = *left[i];
      EXPECT_LT(std::hypot(a.vx, a.vy), kRestSpeed) << "a minute on, a bubble at (" << a.x << ", " << a.y
                                                    << ") still moves at (" << a.vx << ", " << a.vy << ")";
      for (std::size_t j = i + 1; j < left.size(); ++j) {
        const Bubble& b = *left[j];
        const float sink = a.radius + b.radius - std::hypot(b.x - a.x, b.y - a.y);
        pressed += a.kind != b.kind && sink > 0.0f ? 1 : 0;
        EXPECT_TRUE(a.kind == b.kind ? sink <= 0.0f : sink < kMostSink)
            << "bubbles of kinds " << a.kind << " and " << b.kind << " at (" << a.x << ", " << a.y
            << ") and (" << b.x << ", " << b.y << ") sink " << sink << " into each other"
            << (a.kind == b.kind ? " without merging" : "");
      }
    }
  }
  EXPECT_GE(pressed, 3) << "the heaps left too few bubbles of different kinds pressed together to test them";
}

TEST_F(BubbleFieldTest, BubblesBurstOnlyAboveFourAndAHalfWithSoundMoneyChainAndBurst) {
  ScriptedRandom random;
  place(2, -1.0f, 2.0f, 2.25f);
  field.selectedBubble = place(2, -0.9f, 2.0f, 2.25f);  // merges into 4.5 exactly, which does not burst
  Bubble* plain = place(7, 0.5f, 1.5f, std::nextafter(4.5f, 5.0f));  // the least mass above 4.5
  const float plainRadius = plain->radius;
  random.values = {9, 2};  // merge sound 9, pop sound 14 + 2
  stepScene();
  ASSERT_EQ(field.bubbles.size(), 1u);
  EXPECT_EQ(field.selectedBubble, nullptr) << "the selection stayed on a bubble a merge absorbed";
  EXPECT_EQ(audio->played, std::vector<int>({9, 16}));
  EXPECT_EQ(Wallet::instance().money, kStartMoney) << "the plain kind bursts for nothing";
  EXPECT_EQ(Wallet::instance().chain, 1) << "but it still steps the chain";
  ASSERT_EQ(BurstList::instance().bursts.size(), 1u);
  EXPECT_TRUE(popBurstOnRim(BurstList::instance().bursts[0], 0.5f, 1.5f, plainRadius));

  place(5, 0.0f, 3.0f, 4.6f);
  stepScene();
  EXPECT_EQ(field.bubbles.size(), 1u);
  EXPECT_EQ(Wallet::instance().money, kStartMoney + 150 + 2 * 150)
      << "150 for a germ and the chain of 2's bonus";
  const auto& texts = FloatingTextList::instance().texts;  // the chain of 2 shows its text where the pop was
  EXPECT_TRUE(texts.size() == 1 && texts[0].x == 0.0f && texts[0].y == 3.0f);
}

TEST_F(BubbleFieldTest, SpecialBubbleClearsItsWholeKindPayingOnceAndTheWalkStaysInTheList) {
  ScriptedRandom random;
  place(3, -3.0f, 1.0f);
  Bubble* keptA = place(1, -2.0f, 1.0f);
  place(3, -1.0f, 1.0f);
  place(3, 0.0f, 1.0f, 4.6f)->special = true;
  Bubble* keptB = place(6, -3.0f, 3.0f);
  field.selectedBubble = place(3, -1.0f, 3.0f);
  std::vector<Bubble> cleared;  // where each bubble of the kind stands: none of them moves
  for (const Bubble* bubble : field.bubbles)
    if (bubble->kind == 3) cleared.push_back(*bubble);
  random.values = {3};  // pop sound 14 + 3
  stepScene();
  ASSERT_EQ(field.bubbles, (std::vector<Bubble*>{keptA, keptB})) << "other kinds stay, in order";
  EXPECT_EQ(field.selectedBubble, nullptr);
  EXPECT_EQ(audio->played, std::vector<int>({17})) << "one burst sound for the whole kind";
  EXPECT_EQ(Wallet::instance().money, kStartMoney + 150) << "+150 once";
  EXPECT_EQ(Wallet::instance().chain, 1) << "one chain step";
  const auto& bursts = BurstList::instance().bursts;
  ASSERT_EQ(bursts.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_TRUE(popBurstOnRim(bursts[i], cleared[i].x, cleared[i].y, cleared[i].radius)) << "burst " << i;
  // The walk stays at the special bubble's place: the bubble that slid down
  // past it waits for the next sub-step.
  EXPECT_TRUE(keptA->wobbleClock == kStep && keptB->wobbleClock == 0.0f);

  // The last bubble clears three before it, so the walk ends inside the list;
  // then two grown bubbles in a row: the second moves into the first one's
  // place and is still visited.
  place(1, -2.0f, 2.0f);
  place(1, -1.0f, 2.0f);
  place(1, 0.5f, 3.0f, 4.8f)->special = true;
  stepScene();
  place(4, -3.0f, 3.0f, 4.7f);
  place(5, -1.0f, 3.0f, 4.7f);
  stepScene();
  EXPECT_EQ(field.bubbles, (std::vector<Bubble*>{keptB}));
  EXPECT_EQ(bursts.size(), 10u);
}

// The long run sees that a removed bubble never stays selected.
TEST_F(BubbleFieldTest, NearestTakesTheEarlierOfATieAndRemoveLeavesOthersAndStrangersAlone) {
  Bubble *left = place(0, -1.0f, 2.0f), *right = place(1, 1.0f, 2.0f);
  EXPECT_EQ(field.nearest(0.0f, 2.0f), left) << "a tie goes to the earlier bubble";
  EXPECT_EQ(field.nearest(0.01f, 2.0f), right);
  field.selectedBubble = left;
  field.remove(right);
  Bubble stranger;
  field.remove(&stranger);
  field.remove(nullptr);
  EXPECT_EQ(field.bubbles, (std::vector<Bubble*>{left})) << "a bubble not in the field is left alone";
  EXPECT_EQ(field.selectedBubble, left) << "removing another bubble keeps the selection";
}

}  // namespace
