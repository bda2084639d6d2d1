#include "sim/BubbleField.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "audio/SoundBank.h"
#include "fx/BurstList.h"
#include "gfx/BlendedDrawing.h"
#include "gfx/GlIncludes.h"
#include "score/Wallet.h"
#include "sim/KindStyle.h"
#include "util/MathHelpers.h"
#include "util/Random.h"

namespace {
// The glow of a special bubble: the size and opacity its picture is painted
// for, pulsing by a little about six times a second, in its kind's tint.
constexpr auto kGlowAlpha = static_cast<float>(AssetTree::kGlowOpacity);
constexpr double kGlowPulseRate = 37.0;    // radians per second of field clock
constexpr double kGlowPulseAmount = 0.12;  // world units
constexpr auto kGlowRadiusScale =
    static_cast<float>(AssetTree::kGlowWidthPerRadius);  // width per unit of radius

// The selection ring: a quarter wider than the bubble, turning clockwise.
constexpr float kRingAlpha = 0.87f;
constexpr float kRingSpin = -270.0f;      // degrees per second of field clock
constexpr float kRingRadiusScale = 2.5f;  // ring width per unit of radius
}  // namespace

BubbleField bubbleField;

BubbleField::BubbleField() : broadPhase(kMaxBubbles) {
  // The field never holds more than the limit, so a sub-step never has to grow
  // the list.
  bubbles.reserve(kMaxBubbles);
}

BubbleField::~BubbleField() {
  for (Bubble* bubble : bubbles) delete bubble;
}

void BubbleField::step(float dt) {
  clock += dt;
  stepAccumulator = static_cast<float>(stepAccumulator + static_cast<double>(dt) * kTimeScale);
  while (stepAccumulator >= kSubStep) {
    stepAccumulator -= kSubStep;
    subStep();
  }
}

void BubbleField::subStep() {
  spawn();
  for (Bubble* bubble : bubbles) {
    bubble->forceX = 0.0f;
    bubble->forceY = 0.0f;
  }
  collide();
  updateWalk();
}

void BubbleField::spawn() {
  const int count = static_cast<int>(bubbles.size());
  if (count >= kMaxBubbles) return;
  const float centreY = static_cast<float>(count) * kSpawnFillStep * kSpawnHeightSpan + kSpawnLowestHeight;

  auto* bubble = new Bubble();
  bubble->gravityY = kGravity;
  bubble->setMass(randAround(kSpawnMass, kSpawnMassSpread));
  bubble->setX(randAround(kSpawnX, kSpawnXSpread));
  bubble->setY(randAround(centreY, kSpawnHeightSpread));
  bubble->rotation = randFloatRange(0.0f, kFullTurnDegrees);
  if (randFloat(kSpecialChanceScale) < kSpecialChance) bubble->special = true;
  bubble->shellList = bubbleList;
  bubble->kind = randBetween(0, KindStyle::kKindCount);
  bubbles.push_back(bubble);
}

// How a pair stands: B's offset from A, the distance of their centres and the
// sum of their radii, all in single precision, as the spring needs them.
struct BubbleField::PairGap {
  float dx;
  float dy;
  float distance;
  float reach;
};

// The force a contact puts on B; A takes the opposite.
struct BubbleField::ContactForce {
  float x;
  float y;
};

void BubbleField::collide() {
  // Positions do not change during the contact pass, and a bubble's radius only
  // changes while it is A, after which it is never B again; so the broad phase
  // can test A against all later bubbles from a copy loaded once. Merges keep
  // the copy in step with the list.
  broadPhase.load(bubbles);
  for (std::size_t i = 0; i < bubbles.size(); ++i) collideWithLater(i);
}

// Inline: a call for every bubble of every sub-step would cost the contact pass
// a few per cent.
inline void BubbleField::collideWithLater(std::size_t i) {
  // Each pair is met once, from its earlier bubble, so the walk only looks at
  // the later bubbles that pass the box test, in list order. Nothing moves
  // during the pass, so A's state is read once; its force is summed here in the
  // pair order, which fixes the sum's last bits, and written back once.
  Bubble& a = *bubbles[i];
  const float ax = a.x;
  const float ay = a.y;
  const float avx = a.vx;
  const float avy = a.vy;
  const int aKind = a.kind;
  float aRadius = a.radius;
  float aForceX = a.forceX;
  float aForceY = a.forceY;

  std::span<const std::uint32_t> near = broadPhase.near(i + 1, ax, ay, aRadius);
  std::size_t next = 0;
  while (next < near.size()) {
    const std::size_t j = near[next++];
    Bubble& b = *bubbles[j];
    const PairGap gap = gapBetween(ax, ay, aRadius, b);
    // Only an overlap is a contact: bubbles that merely touch neither merge nor push.
    if (!(gap.distance < gap.reach)) continue;
    if (b.kind == aKind) {
      aRadius = absorbLater(a, j);
      // A has grown, so more of the rest may now pass the box test. The bubble
      // that moved into the freed place is stepped over in this pass; it meets
      // A again in the next sub-step.
      near = broadPhase.near(j + 1, ax, ay, aRadius);
      next = 0;
      continue;
    }
    const ContactForce force = dampedSpring(gap, b.vx - avx, b.vy - avy);
    b.forceX += force.x;
    b.forceY += force.y;
    aForceX -= force.x;
    aForceY -= force.y;
  }
  a.forceX = aForceX;
  a.forceY = aForceY;
}

BubbleField::PairGap BubbleField::gapBetween(float ax, float ay, float aRadius, const Bubble& b) {
  // The narrow test's numbers, after the broad phase's box test.
  const float dx = b.x - ax;
  const float dy = b.y - ay;
  return {dx, dy, std::sqrt(dx * dx + dy * dy), aRadius + b.radius};
}

float BubbleField::absorbLater(Bubble& a, std::size_t j) {
  // The earlier bubble survives and keeps its own place and motion, so a merge
  // never makes a bubble jump; it takes the glow of a special bubble it
  // swallows, so a special one is never lost to a merge.
  Bubble& b = *bubbles[j];
  SoundBank::instance().playSound(SoundBank::kMergeFirst + randBelow(SoundBank::kMergeCount));
  a.setMass(b.mass + a.mass);
  if (b.special) a.special = true;
  remove(&b);
  broadPhase.remove(j);
  return a.radius;
}

BubbleField::ContactForce BubbleField::dampedSpring(const PairGap& gap, float relativeVx, float relativeVy) {
  // Different kinds push apart with a damped spring along the line of the
  // centres: stiff, so a pile holds its shape, and damped by the relative
  // velocity, so it comes to rest instead of ringing. With coinciding centres
  // there is no line, only the damping. Equal and opposite, so the pair's
  // momentum is kept.
  const float spring = static_cast<float>((gap.distance - gap.reach) * kContactSpring);
  float springX = 0.0f;
  float springY = 0.0f;
  if (gap.distance > 0.0f) {
    const float inverseDistance = 1.0f / gap.distance;
    springX = spring * gap.dx * inverseDistance;
    springY = spring * gap.dy * inverseDistance;
  }
  return {springX + kContactDamping * relativeVx, springY + kContactDamping * relativeVy};
}

void BubbleField::updateWalk() {
  // Bursting removes the bubble at p (and, for a special one, maybe others
  // before and after it), so the walk re-reads the list's length every time and
  // stays at p after a burst.
  std::size_t p = 0;
  while (p < bubbles.size()) {
    Bubble& bubble = *bubbles[p];
    bubble.update(kSubStep);
    applyWalls(bubble);
    if (bubble.mass > kBurstMass) {
      burstGrown(bubble);
    } else {
      ++p;
    }
  }
}

void BubbleField::applyWalls(Bubble& bubble) {
  if (bubble.y - bubble.radius < kFloor) {
    bubble.setY(bubble.radius + kFloor);
    bubble.vy *= kWallRestitution;
  }
  if (bubble.x - bubble.radius < kLeftWall) {
    bubble.setX(bubble.radius + kLeftWall);
    bubble.vx *= kWallRestitution;
  } else if (bubble.x + bubble.radius > kRightWall) {
    bubble.setX(kRightWall - bubble.radius);
    bubble.vx *= kWallRestitution;
  }
}

void BubbleField::burstGrown(Bubble& bubble) {
  SoundBank::instance().playSound(SoundBank::kPopFirst + randBelow(SoundBank::kPopCount));
  if (bubble.kind != Bubble::kPlainKind) Wallet::instance().addMoney(kBurstReward);
  Wallet::instance().registerPop(bubble.x, bubble.y);
  if (bubble.special) {
    burstKind(bubble.kind);
    return;
  }
  BurstList::instance().spawnPopBurst(bubble.x, bubble.y, bubble.radius);
  remove(&bubble);
}

void BubbleField::burstKind(int kind) {
  std::size_t p = 0;
  while (p < bubbles.size()) {
    Bubble* bubble = bubbles[p];
    if (bubble->kind != kind) {
      ++p;
      continue;
    }
    BurstList::instance().spawnPopBurst(bubble->x, bubble->y, bubble->radius);
    remove(bubble);
  }
}

void BubbleField::clickBurst(float x, float y) {
  Bubble* bubble = selectedBubble != nullptr ? selectedBubble : nearest(x, y);
  // An empty field: a click touches nothing at all, not even the sound.
  if (bubble == nullptr) return;

  SoundBank::instance().playSound(SoundBank::kClickFirst + randBelow(SoundBank::kClickCount));
  const float mass = bubble->mass;
  BurstList::instance().spawnClickBurst(bubble->x, bubble->y, bubble->radius);
  remove(bubble);
  selectedBubble = nearest(x, y);
  Wallet::instance().addMoney(roundToInt(static_cast<double>(mass) * kClickPricePerMass));
  Wallet::instance().resetChain();
}

Bubble* BubbleField::nearest(float x, float y) {
  Bubble* best = nullptr;
  double bestDistance = kNoBubbleDistance;
  for (Bubble* bubble : bubbles) {
    const double distance = distanceSquared(x, y, bubble->x, bubble->y);
    if (distance < bestDistance) {
      best = bubble;
      bestDistance = distance;
    }
  }
  return best;
}

void BubbleField::remove(Bubble* bubble) {
  const auto found = std::find(bubbles.begin(), bubbles.end(), bubble);
  if (found == bubbles.end()) return;
  if (selectedBubble == bubble) selectedBubble = nullptr;
  delete bubble;
  bubbles.erase(found);
}

void BubbleField::loadSprites() {
  // Every sprite loads its own image: each gets a fresh texture slot.
  for (int kind = 0; kind < KindStyle::kGermKindCount; ++kind) {
    int texture = kNoTexture;
    makeSprite(kindTable[kind].innerList, texture, KindStyle::germImages()[kind]);
  }
  for (int kind = 0; kind < KindStyle::kKindCount; ++kind) {
    const KindStyle& tint = KindStyle::tints()[kind];
    kindTable[kind].red = tint.red;
    kindTable[kind].green = tint.green;
    kindTable[kind].blue = tint.blue;
  }
  for (const auto& [list, image] :
       {std::pair{&bubbleList, &AssetTree::kBubbleImage}, std::pair{&gooList, &AssetTree::kGooImage},
        std::pair{&selectionList, &AssetTree::kSelectionImage},
        std::pair{&glowList, &AssetTree::kGlowImage}}) {
    int texture = kNoTexture;
    makeSprite(*list, texture, image->path);
  }
}

void BubbleField::render() const {
  beginBlendedDrawing();

  for (Bubble* bubble : bubbles) {
    const KindStyle& style = kindTable[bubble->kind];
    glColor4f(style.red, style.green, style.blue, 1.0f);
    bubble->render();
    if (bubble->special) {
      glPushMatrix();
      glColor4f(style.red, style.green, style.blue, kGlowAlpha);
      glTranslatef(bubble->x, bubble->y, 0.0f);
      const auto width = static_cast<float>(std::sin(clock * kGlowPulseRate) * kGlowPulseAmount +
                                            bubble->radius * kGlowRadiusScale);
      glScalef(width, width, 1.0f);
      glCallList(static_cast<GLuint>(glowList));
      glPopMatrix();
    }
  }

  if (selectedBubble != nullptr) {
    // Drawn last, so the ring stands over every bubble and glow.
    glColor4f(1.0f, 1.0f, 1.0f, kRingAlpha);
    glPushMatrix();
    glTranslatef(selectedBubble->x, selectedBubble->y, 0.0f);
    glRotatef(clock * kRingSpin, 0.0f, 0.0f, 1.0f);
    const float ringWidth = kRingRadiusScale * selectedBubble->radius;
    glScalef(ringWidth, ringWidth, 1.0f);
    glCallList(static_cast<GLuint>(selectionList));
    glPopMatrix();
  }

  endBlendedDrawing();
}
