#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "audio/SoundBank.h"
#include "fx/BurstList.h"
#include "score/FloatingTextList.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"
#include "support/ScriptedRandom.h"
#include "support/RecordingAudio.h"

namespace {

constexpr float kStep = 1.0f / 45.0f;
constexpr int kStartMoney = 20000;

int destroyedBubbles = 0;

// A bubble that reports its own destruction, so a test sees the field delete it.
class TrackedBubble : public Bubble {
 public:
  ~TrackedBubble() override { ++destroyedBubbles; }
};

// True when every spark of the burst starts on the rim of the circle (x, y, r)
// and the burst is the variant with the given launch speed.
bool burstOnRim(const PopBurst& burst, float x, float y, float radius, float launchSpeed) {
  if (burst.launchSpeed != launchSpeed) return false;
  for (const Spark& spark : burst.sparks) {
    if (std::fabs(std::hypot(spark.x - x, spark.y - y) - radius) > 1e-4f) return false;
  }
  return true;
}

class BubbleFieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    audio = RecordingAudio::install();
    Wallet::instance() = Wallet();
    BurstList::instance() = BurstList();
    FloatingTextList::instance() = FloatingTextList();
    destroyedBubbles = 0;
  }

  // A bubble placed by hand, weightless unless the test gives it gravity, so
  // only the field's own forces move it.
  Bubble* place(int kind, float x, float y, float mass = 0.5f, float vx = 0.0f, float vy = 0.0f) {
    Bubble* bubble = new TrackedBubble();
    bubble->kind = kind;
    bubble->setMass(mass);
    bubble->x = x;
    bubble->y = y;
    bubble->vx = vx;
    bubble->vy = vy;
    field.bubbles.push_back(bubble);
    return bubble;
  }

  // A sub-step without the spawn, for scenes built by hand.
  void stepScene() {
    for (Bubble* bubble : field.bubbles) bubble->forceX = bubble->forceY = 0.0f;
    field.collide();
    field.updateWalk();
  }

  int soundsIn(int first, int count) const {
    int found = 0;
    for (int index : audio->played) found += (index >= first && index < first + count) ? 1 : 0;
    return found;
  }

  std::shared_ptr<RecordingAudio::Log> audio;
  BubbleField field;
};

TEST_F(BubbleFieldTest, FrameTimeBecomesWholeSubStepsWithTheRestCarried) {
  field.step(0.001f);
  EXPECT_TRUE(field.bubbles.empty()) << "a frame shorter than a sub-step steps nothing";
  EXPECT_NEAR(field.stepAccumulator, 0.00275, 1e-7);

  BubbleField frames;
  frames.step(0.12f);
  // The first bubble lives through every sub-step from the first on, and its
  // age counts them (it is never absorbed: the earlier bubble of a pair survives).
  ASSERT_FALSE(frames.bubbles.empty());
  EXPECT_NEAR(frames.bubbles[0]->wobbleClock / kStep, 14.0, 1e-3) << "0.33 s of simulation is 14 sub-steps";
  EXPECT_NEAR(frames.stepAccumulator, 0.33 - 14.0 / 45.0, 1e-5) << "about 0.0189 s carried";
  EXPECT_FLOAT_EQ(frames.clock, 0.12f);

  frames.step(0.12f);
  EXPECT_NEAR(frames.bubbles[0]->wobbleClock / kStep, 29.0, 1e-3) << "the carried time makes a 15-step frame";
  EXPECT_NEAR(frames.stepAccumulator, 0.66 - 29.0 / 45.0, 1e-5);
  EXPECT_FLOAT_EQ(frames.clock, 0.24f);
}

TEST_F(BubbleFieldTest, SpawnsOneBubblePerCallHigherAsTheFieldFillsUpToTheLimit) {
  ScriptedRandom random(5000);  // every draw at the middle of its range
  field.bubbleList = 42;
  for (int call = 0; call < 140; ++call) field.spawn();
  ASSERT_EQ(field.bubbles.size(), 135u) << "no spawn while 135 bubbles exist";
  for (int n = 0; n < 135; ++n) {
    const Bubble& bubble = *field.bubbles[n];
    const float centre = static_cast<float>(n) * (1.0f / 135.0f) * 4.519f + 1.406f;
    EXPECT_FLOAT_EQ(bubble.y, centre) << "spawn " << n;
    EXPECT_FLOAT_EQ(bubble.x, -1.0f);
    EXPECT_FLOAT_EQ(bubble.mass, 0.5f);
    EXPECT_FLOAT_EQ(bubble.radius, std::sqrt(0.5f) * 0.23f);
    EXPECT_FLOAT_EQ(bubble.rotation, 180.0f);
    EXPECT_EQ(bubble.gravityY, -9.81f);
    EXPECT_EQ(bubble.shellList, 42);
    EXPECT_FALSE(bubble.special);
    EXPECT_EQ(bubble.kind, 0);
  }
  EXPECT_NEAR(field.bubbles.front()->y, 1.406, 1e-6);
  EXPECT_NEAR(field.bubbles.back()->y, 5.8915, 1e-3);
}

TEST_F(BubbleFieldTest, SpawnDrawsReachTheEndsOfTheirRanges) {
  ScriptedRandom random;
  // wobble phase, mass, x, y, rotation, special, kind
  random.values = {0, 0, 9999, 0, 9999, 20, 15, 0, 9999, 0, 9999, 5000, 21, 9};
  field.spawn();
  const Bubble& low = *field.bubbles[0];
  EXPECT_FLOAT_EQ(low.mass, 0.25f);
  EXPECT_NEAR(low.x, 0.9996, 1e-5);
  EXPECT_NEAR(low.y, 1.156, 1e-5);
  EXPECT_NEAR(low.rotation, 359.964, 1e-3);
  EXPECT_TRUE(low.special) << "the 21st lowest special draw still makes a special bubble";
  EXPECT_EQ(low.kind, 7);

  field.spawn();
  const Bubble& high = *field.bubbles[1];
  EXPECT_NEAR(high.mass, 0.74995, 1e-5);
  EXPECT_NEAR(high.x, -3.0, 1e-6);
  EXPECT_FALSE(high.special) << "one step higher is an ordinary bubble";
  EXPECT_EQ(high.kind, 1);
}

TEST_F(BubbleFieldTest, FirstSubStepSpawnsLowAndEveryBubbleIsMovedTheSameStep) {
  field.step(kStep / 2.75f + 1e-6f);
  ASSERT_EQ(field.bubbles.size(), 1u);
  const Bubble& bubble = *field.bubbles[0];
  EXPECT_GE(bubble.y, 1.156f - 0.01f);
  EXPECT_LT(bubble.y, 1.656f);
  EXPECT_GE(bubble.x, -3.0f);
  EXPECT_LT(bubble.x, 1.0f);
  EXPECT_FLOAT_EQ(bubble.wobbleClock, kStep) << "a new bubble is updated in its own sub-step";
  EXPECT_NEAR(bubble.vy, -9.81 * kStep, 1e-5) << "it starts falling at once";
}

TEST_F(BubbleFieldTest, SameKindMergeKeepsTheEarlierBubbleAndOnePartnerAPass) {
  ScriptedRandom random;
  Bubble* first = place(2, 0.0f, 2.0f, 1.0f, 1.0f, 0.5f);
  Bubble* second = place(2, 0.1f, 2.0f, 0.5f, -1.0f, 0.0f);
  second->special = true;
  Bubble* third = place(2, 0.05f, 2.0f, 0.25f);
  Bubble* other = place(4, 3.0f, 5.0f);
  field.selectedBubble = second;
  random.values = {9, 3};  // the two merge sounds

  field.collide();
  ASSERT_EQ(field.bubbles.size(), 3u);
  EXPECT_EQ(field.bubbles[0], first);
  EXPECT_EQ(field.bubbles[1], third)
      << "the bubble moving into the freed place is not compared with A this pass";
  EXPECT_EQ(field.bubbles[2], other);
  EXPECT_EQ(destroyedBubbles, 1);
  EXPECT_FLOAT_EQ(first->mass, 1.5f);
  EXPECT_FLOAT_EQ(first->radius, std::sqrt(1.5f) * 0.23f);
  EXPECT_EQ(first->x, 0.0f) << "the survivor keeps its own position and motion";
  EXPECT_EQ(first->vx, 1.0f);
  EXPECT_EQ(first->vy, 0.5f);
  EXPECT_TRUE(first->special) << "absorbing a special bubble makes the survivor special";
  EXPECT_EQ(field.selectedBubble, nullptr) << "the absorbed bubble was selected";
  EXPECT_EQ(audio->played, std::vector<int>({9})) << "one merge sound";

  field.collide();
  ASSERT_EQ(field.bubbles.size(), 2u);
  EXPECT_FLOAT_EQ(first->mass, 1.75f);
  EXPECT_EQ(audio->played, std::vector<int>({9, 3}));
  EXPECT_EQ(Wallet::instance().money, kStartMoney) << "a merge earns nothing";
}

TEST_F(BubbleFieldTest, DifferentKindsPushApartWithADampedSpring) {
  // Radii 0.23 each: centres 0.36 apart overlap by 0.1.
  Bubble* left = place(0, 0.0f, 2.0f, 1.0f, 0.3f, 0.0f);
  Bubble* right = place(1, 0.36f, 2.0f, 1.0f, 0.3f, 0.0f);
  field.collide();
  EXPECT_NEAR(right->forceX, 81.0, 1e-3) << "810 per unit of overlap, along the line of centres";
  EXPECT_NEAR(left->forceX, -81.0, 1e-3);
  EXPECT_NEAR(right->forceY, 0.0, 1e-6);
  EXPECT_NEAR(left->forceY, 0.0, 1e-6);
  EXPECT_EQ(field.bubbles.size(), 2u);

  // Diagonal, and with relative speed the damping of 16 opposes it.
  left->forceX = left->forceY = right->forceX = right->forceY = 0.0f;
  const float offset = 0.36f / std::sqrt(2.0f);
  right->x = offset;
  right->y = 2.0f + offset;
  right->vx = 0.8f;  // 0.5 faster than the left one
  field.collide();
  const double along = 81.0 / std::sqrt(2.0);
  EXPECT_NEAR(right->forceX, along - 8.0, 1e-2);
  EXPECT_NEAR(right->forceY, along, 1e-2);
  EXPECT_NEAR(left->forceX, -(along - 8.0), 1e-2);
  EXPECT_NEAR(left->forceY, -along, 1e-2);

  // Exactly touching is not a contact.
  left->forceX = left->forceY = right->forceX = right->forceY = 0.0f;
  right->x = left->radius + right->radius;
  right->y = 2.0f;
  field.collide();
  EXPECT_EQ(right->forceX, 0.0f);
  EXPECT_EQ(left->forceX, 0.0f);

  // Coinciding centres have no direction: only the damping acts.
  left->forceX = left->forceY = right->forceX = right->forceY = 0.0f;
  right->x = 0.0f;
  right->vx = 1.3f;
  field.collide();
  EXPECT_NEAR(right->forceX, -16.0, 1e-4);
  EXPECT_NEAR(left->forceX, 16.0, 1e-4);
  EXPECT_TRUE(std::isfinite(right->forceY));
  EXPECT_EQ(right->forceY, 0.0f);
}

// The contact pass, written as the plain all-pairs walk over copies of the
// bubbles; the field's pass must give bit for bit the same forces and merges.
struct PlainBody {
  const Bubble* identity;
  float x, y, vx, vy, mass, radius, forceX, forceY;
  int kind;
  bool special;
};

void plainContactWalk(std::vector<PlainBody>& bodies) {
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    for (std::size_t j = i + 1; j < bodies.size();) {
      PlainBody& a = bodies[i];
      PlainBody& b = bodies[j];
      const float s = a.radius + b.radius;
      const float dx = b.x - a.x;
      const float dy = b.y - a.y;
      if (std::fabs(dx) > s || std::fabs(dy) > s) {
        ++j;
        continue;
      }
      const float d = std::sqrt(dx * dx + dy * dy);
      if (!(d < s)) {
        ++j;
        continue;
      }
      if (a.kind == b.kind) {
        a.mass = b.mass + a.mass;
        a.radius = std::sqrt(a.mass) * 0.23f;
        a.special = a.special || b.special;
        bodies.erase(bodies.begin() + static_cast<std::ptrdiff_t>(j));
        ++j;
        continue;
      }
      const auto k = static_cast<float>((d - s) * 2.7 * -300.0);
      float springX = 0.0f;
      float springY = 0.0f;
      if (d > 0.0f) {
        const float inverse = 1.0f / d;
        springX = k * dx * inverse;
        springY = k * dy * inverse;
      }
      const float fx = springX + -16.0f * (b.vx - a.vx);
      const float fy = springY + -16.0f * (b.vy - a.vy);
      b.forceX += fx;
      b.forceY += fy;
      a.forceX -= fx;
      a.forceY -= fy;
      ++j;
    }
  }
}

TEST_F(BubbleFieldTest, ContactPassGivesTheSameForcesAndMergesAsAPlainPairWalk) {
  std::mt19937 scene(11);
  std::uniform_real_distribution<float> across(-1.5f, 0.0f);
  std::uniform_real_distribution<float> up(0.5f, 2.0f);
  std::uniform_real_distribution<float> speed(-2.0f, 2.0f);
  std::uniform_real_distribution<float> mass(0.25f, 1.5f);
  for (int round = 0; round < 20; ++round) {
    BubbleField crowd;
    std::uniform_int_distribution<int> kinds(0, round % 2 == 0 ? 2 : 7);
    std::vector<PlainBody> bodies;
    for (int n = 0; n < 135; ++n) {
      auto* bubble = new Bubble();
      bubble->setMass(mass(scene));
      bubble->x = across(scene);
      bubble->y = up(scene);
      bubble->vx = speed(scene);
      bubble->vy = speed(scene);
      bubble->kind = kinds(scene);
      bubble->special = n % 17 == 0;
      if (n == 40) {  // coinciding centres
        bubble->x = crowd.bubbles[39]->x;
        bubble->y = crowd.bubbles[39]->y;
      }
      crowd.bubbles.push_back(bubble);
      bodies.push_back({bubble, bubble->x, bubble->y, bubble->vx, bubble->vy, bubble->mass, bubble->radius,
                        0.0f, 0.0f, bubble->kind, bubble->special});
    }
    plainContactWalk(bodies);
    crowd.collide();
    ASSERT_EQ(crowd.bubbles.size(), bodies.size()) << "round " << round;
    ASSERT_LT(bodies.size(), 135u) << "the scene is crowded enough to merge";
    for (std::size_t n = 0; n < bodies.size(); ++n) {
      const Bubble& bubble = *crowd.bubbles[n];
      ASSERT_EQ(&bubble, bodies[n].identity) << "round " << round << " place " << n;
      EXPECT_EQ(bubble.mass, bodies[n].mass);
      EXPECT_EQ(bubble.radius, bodies[n].radius);
      EXPECT_EQ(bubble.special, bodies[n].special);
      EXPECT_EQ(bubble.forceX, bodies[n].forceX) << "round " << round << " place " << n;
      EXPECT_EQ(bubble.forceY, bodies[n].forceY) << "round " << round << " place " << n;
    }
  }
}

TEST_F(BubbleFieldTest, WallsPutBubblesBackAndTurnTheirSpeed) {
  Bubble* sunk = place(0, 0.0f, 0.5f, 1.0f, 0.0f, -2.0f);
  field.applyWalls(*sunk);
  EXPECT_FLOAT_EQ(sunk->y, 0.23f + 0.406f);
  EXPECT_FLOAT_EQ(sunk->vy, 0.9f);

  Bubble* leftOut = place(0, -3.5f, 3.0f, 1.0f, -1.0f, 0.0f);
  field.applyWalls(*leftOut);
  EXPECT_FLOAT_EQ(leftOut->x, 0.23f - 3.4297f);
  EXPECT_FLOAT_EQ(leftOut->vx, 0.45f);

  Bubble* rightOut = place(0, 1.0f, 3.0f, 1.0f, 1.0f, 0.0f);
  field.applyWalls(*rightOut);
  EXPECT_FLOAT_EQ(rightOut->x, 1.118f - 0.23f);
  EXPECT_FLOAT_EQ(rightOut->vx, -0.45f);

  Bubble* corner = place(0, -3.5f, 0.3f, 1.0f, -1.0f, -1.0f);
  field.applyWalls(*corner);
  EXPECT_FLOAT_EQ(corner->x, 0.23f - 3.4297f);
  EXPECT_FLOAT_EQ(corner->y, 0.23f + 0.406f);
  EXPECT_FLOAT_EQ(corner->vx, 0.45f);
  EXPECT_FLOAT_EQ(corner->vy, 0.45f);

  // Wider than the stomach: only the left wall acts in one call.
  Bubble* giant = place(0, -1.0f, 4.0f, 170.0f, -2.0f, 0.0f);
  field.applyWalls(*giant);
  EXPECT_FLOAT_EQ(giant->x, giant->radius - 3.4297f);
  EXPECT_FLOAT_EQ(giant->vx, 0.9f) << "turned once, not twice";

  Bubble* inside = place(0, -1.0f, 3.0f, 1.0f, 0.7f, -0.7f);
  field.applyWalls(*inside);
  EXPECT_EQ(inside->x, -1.0f);
  EXPECT_EQ(inside->vx, 0.7f);
  EXPECT_EQ(inside->vy, -0.7f);
}

TEST_F(BubbleFieldTest, DroppedBubbleComesToRestOnTheFloor) {
  Bubble* dropped = place(3, -1.0f, 4.0f, 1.0f, 0.5f, 0.0f);
  dropped->gravityY = -9.81f;
  for (int step = 0; step < 10 * 45; ++step) {
    stepScene();
    ASSERT_GE(dropped->y - dropped->radius, 0.406f - 1e-5f) << "step " << step;
  }
  EXPECT_NEAR(dropped->y, 0.406 + 0.23, 0.01);
  EXPECT_LT(std::fabs(dropped->vy), 0.25);
  EXPECT_LT(std::fabs(dropped->vx), 0.5);
}

TEST_F(BubbleFieldTest, BubbleBurstsOnlyOnceItsMassPassesFourAndAHalf) {
  ScriptedRandom random;
  place(2, -1.0f, 2.0f, 2.25f);
  place(2, -0.9f, 2.0f, 2.25f);
  stepScene();
  ASSERT_EQ(field.bubbles.size(), 1u);
  EXPECT_EQ(field.bubbles[0]->mass, 4.5f);
  EXPECT_EQ(soundsIn(SoundBank::kPopFirst, SoundBank::kPopCount), 0) << "4.5 itself does not burst";
  EXPECT_TRUE(BurstList::instance().bursts.empty());
  audio->played.clear();

  // The smallest mass above 4.5 that a float sum can reach from 2.25.
  const float justOver = std::nextafter(4.5f, 5.0f) - 2.25f;
  ASSERT_GT(2.25f + justOver, 4.5f);
  Bubble* grown = place(5, 0.0f, 3.0f, 2.25f);
  place(5, 0.1f, 3.0f, justOver);
  field.selectedBubble = grown;
  random.values = {4, 5};        // merge sound 4, burst sound 14 + 5
  Wallet::instance().chain = 1;  // a burst a moment ago: this one makes a chain of 2
  stepScene();
  ASSERT_EQ(field.bubbles.size(), 1u) << "the heavier merge burst in the same sub-step";
  EXPECT_EQ(destroyedBubbles, 3);
  EXPECT_EQ(field.selectedBubble, nullptr);
  EXPECT_EQ(audio->played[0], 4);
  EXPECT_EQ(audio->played[1], 19);
  EXPECT_EQ(audio->played[2], SoundBank::kChainFirst) << "the chain of 2 plays its sound after the burst";
  EXPECT_EQ(Wallet::instance().money, kStartMoney + 150 + 2 * 150);
  EXPECT_EQ(Wallet::instance().chain, 2);
  const auto& bursts = BurstList::instance().bursts;
  ASSERT_EQ(bursts.size(), 1u);
  const float radius = std::sqrt(2.25f + justOver) * 0.23f;
  EXPECT_TRUE(burstOnRim(bursts[0], 0.0f, 3.0f, radius, PopBurst::kPopLaunch))
      << "the pop burst stands where the bubble burst, on its rim";
  const auto& texts = FloatingTextList::instance().texts;
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_STREQ(texts[0].text, "2 chain!");
  EXPECT_FLOAT_EQ(texts[0].x, 0.0f) << "the chain step is registered at the bubble's position";
  EXPECT_FLOAT_EQ(texts[0].y, 3.0f);
}

TEST_F(BubbleFieldTest, PlainBubbleBurstsForNothingButStillStepsTheChain) {
  place(7, 0.5f, 1.5f, 4.6f);
  stepScene();
  EXPECT_TRUE(field.bubbles.empty());
  EXPECT_EQ(soundsIn(SoundBank::kPopFirst, SoundBank::kPopCount), 1);
  EXPECT_EQ(Wallet::instance().money, kStartMoney) << "the plain kind earns nothing";
  EXPECT_EQ(Wallet::instance().chain, 1);
  ASSERT_EQ(BurstList::instance().bursts.size(), 1u);
  EXPECT_TRUE(
      burstOnRim(BurstList::instance().bursts[0], 0.5f, 1.5f, std::sqrt(4.6f) * 0.23f, PopBurst::kPopLaunch));
}

TEST_F(BubbleFieldTest, SpecialBubbleClearsItsWholeKindForOneReward) {
  Bubble* before1 = place(3, -3.0f, 1.0f);
  Bubble* keptA = place(1, -2.0f, 1.0f);
  Bubble* before2 = place(3, -1.0f, 1.0f);
  Bubble* special = place(3, 0.0f, 1.0f, 4.6f);
  special->special = true;
  Bubble* keptB = place(6, -3.0f, 3.0f);
  Bubble* after = place(3, -1.0f, 3.0f);
  const float positions[][3] = {{-3.0f, 1.0f, before1->radius},
                                {-1.0f, 1.0f, before2->radius},
                                {0.0f, 1.0f, special->radius},
                                {-1.0f, 3.0f, after->radius}};
  field.selectedBubble = after;

  stepScene();
  ASSERT_EQ(field.bubbles.size(), 2u);
  EXPECT_EQ(field.bubbles[0], keptA);
  EXPECT_EQ(field.bubbles[1], keptB) << "other kinds stay, in order";
  EXPECT_EQ(destroyedBubbles, 4);
  EXPECT_EQ(field.selectedBubble, nullptr);
  EXPECT_EQ(audio->played.size(), 1u) << "one burst sound for the whole kind";
  EXPECT_EQ(soundsIn(SoundBank::kPopFirst, SoundBank::kPopCount), 1);
  EXPECT_EQ(Wallet::instance().money, kStartMoney + 150) << "+150 once";
  EXPECT_EQ(Wallet::instance().chain, 1) << "one chain step";
  const auto& bursts = BurstList::instance().bursts;
  ASSERT_EQ(bursts.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(
        burstOnRim(bursts[i], positions[i][0], positions[i][1], positions[i][2], PopBurst::kPopLaunch))
        << "burst " << i;
  }
  // The walk stops at the special bubble's place: the bubble that slid down
  // past it waits for the next sub-step.
  EXPECT_EQ(keptB->wobbleClock, 0.0f);
  EXPECT_FLOAT_EQ(keptA->wobbleClock, kStep);
}

TEST_F(BubbleFieldTest, UpdateWalkEndsInsideTheListWhenTheLastBubbleClearsEarlierOnes) {
  place(3, -3.0f, 1.0f);
  place(3, -2.0f, 1.0f);
  Bubble* survivor = place(0, -1.0f, 1.0f);
  place(3, 0.0f, 1.0f);
  Bubble* last = place(3, 0.5f, 3.0f, 4.8f);
  last->special = true;
  stepScene();
  ASSERT_EQ(field.bubbles.size(), 1u);
  EXPECT_EQ(field.bubbles[0], survivor);
  EXPECT_EQ(BurstList::instance().bursts.size(), 4u);

  // Two grown bubbles in a row: the second moves into the first one's place and
  // is still visited.
  place(4, -3.0f, 3.0f, 4.7f);
  place(5, -1.0f, 3.0f, 4.7f);
  stepScene();
  ASSERT_EQ(field.bubbles.size(), 1u);
  EXPECT_EQ(soundsIn(SoundBank::kPopFirst, SoundBank::kPopCount), 3);
}

TEST_F(BubbleFieldTest, NearestPicksTheClosestCentreAndTheEarlierOfATie) {
  EXPECT_EQ(field.nearest(0.0f, 3.0f), nullptr) << "an empty field has no nearest bubble";
  Bubble* left = place(0, -1.0f, 2.0f);
  Bubble* right = place(1, 1.0f, 2.0f);
  Bubble* top = place(2, 0.0f, 5.0f);
  EXPECT_EQ(field.nearest(0.0f, 2.0f), left) << "a tie goes to the earlier bubble";
  EXPECT_EQ(field.nearest(0.01f, 2.0f), right);
  EXPECT_EQ(field.nearest(0.0f, 100.0f), top) << "no distance is too far";
  EXPECT_EQ(field.nearest(-50.0f, 2.0f), left);
}

TEST_F(BubbleFieldTest, RemoveDestroysOnlyItsOwnBubblesAndDropsTheSelection) {
  Bubble* a = place(0, -1.0f, 2.0f);
  Bubble* b = place(1, 0.0f, 2.0f);
  Bubble* c = place(2, 1.0f, 2.0f);
  field.selectedBubble = b;
  field.remove(b);
  ASSERT_EQ(field.bubbles.size(), 2u);
  EXPECT_EQ(field.bubbles[0], a);
  EXPECT_EQ(field.bubbles[1], c);
  EXPECT_EQ(destroyedBubbles, 1);
  EXPECT_EQ(field.selectedBubble, nullptr);

  field.selectedBubble = c;
  field.remove(a);
  EXPECT_EQ(field.selectedBubble, c) << "removing another bubble keeps the selection";

  TrackedBubble stranger;
  field.remove(&stranger);
  field.remove(nullptr);
  EXPECT_EQ(field.bubbles.size(), 1u);
  EXPECT_EQ(destroyedBubbles, 2) << "a bubble not in the field is left alone";
}

}  // namespace
