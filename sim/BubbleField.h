#pragma once
// The stomach's bubbles: the one collection of disease bubbles and the rules by
// which they appear, push each other apart, merge and burst. The frame calls
// step with the real frame time; the field turns it into fixed sub-steps run
// 2.75 times faster than real time. The pointer asks it for the bubble nearest
// the mouse and bursts that bubble through remove.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "assets/AssetTree.h"
#include "assets/SceneLayout.h"
#include "gfx/Sprite.h"
#include "sim/BroadPhase.h"
#include "sim/Bubble.h"

class BubbleField {
 public:
  // Simulation seconds per sub-step, and the dt every bubble's update gets.
  static constexpr float kSubStep = 1.0f / 45.0f;
  // Simulation seconds per real second: the game runs fast on purpose.
  static constexpr double kTimeScale = 2.75;
  static constexpr int kMaxBubbles = 135;  // no spawn at or above this count
  static constexpr float kSpawnMass = 0.5f;
  static constexpr float kSpawnMassSpread = 0.25f;
  static constexpr float kSpawnX = -1.0f;  // world units
  static constexpr float kSpawnXSpread = 2.0f;
  // New bubbles appear higher the fuller the field is: from the lowest height
  // for an empty field, rising by the span over a full one.
  static constexpr float kSpawnFillStep = 1.0f / 135.0f;  // the float 0.007407407...
  static constexpr float kSpawnHeightSpan = 4.519f;       // world units
  static constexpr float kSpawnLowestHeight = 1.406f;     // world units
  static constexpr float kSpawnHeightSpread = 0.25f;
  static constexpr float kGravity = -9.81f;  // world units per s^2
  // A draw below this out of 100 makes a special bubble: about one in 476.
  static constexpr float kSpecialChanceScale = 100.0f;
  static constexpr float kSpecialChance = 0.2f;
  static constexpr double kBurstMass = 4.5;  // a heavier bubble bursts
  // Contacts between kinds: a stiff spring, in force per world unit of overlap,
  // with damping of the relative velocity.
  static constexpr double kContactSpring = -810.0;
  static constexpr float kContactDamping = -16.0f;
  // The stomach, as the edges of a bubble may touch it; there is no ceiling.
  static constexpr float kFloor = SceneLayout::kStomachFloor;
  static constexpr float kLeftWall = SceneLayout::kStomachLeft;
  static constexpr float kRightWall = SceneLayout::kStomachRight;
  static constexpr float kWallRestitution = -0.45f;  // times the velocity that hit a wall
  // Money for a grown germ bubble, and per unit of a clicked bubble's mass: the
  // prices the instructions print.
  static constexpr int kBurstReward = AssetTree::kBurstReward;
  static constexpr double kClickPricePerMass = -static_cast<double>(AssetTree::kClickPrice);
  static constexpr double kNoBubbleDistance = 1e10;  // squared world units

  BubbleField();
  BubbleField(const BubbleField&) = delete;
  BubbleField& operator=(const BubbleField&) = delete;
  ~BubbleField();

  // One frame of simulation: as many whole sub-steps as the real time allows,
  // the rest carried into the next frame.
  void step(float dt);
  // Creates the kind table's germ sprites and the field's own; once, with a GL
  // context. A second call creates nothing new.
  void loadSprites();
  // Draws every bubble in its kind's tint, the glow of the special ones and the
  // ring around the selected one.
  void render() const;
  // The bubble whose centre is nearest (x, y), however far; the earlier of two
  // equally near bubbles; null for an empty field.
  Bubble* nearest(float x, float y);
  // A left click: the selected bubble, the one the ring shows (or, with none,
  // the bubble nearest (x, y)), bursts alone whatever its kind or glow, with a
  // click sound and the small click burst, for kClickPricePerMass per unit of
  // its mass rounded half up; the chain ends, and the bubble nearest (x, y) is
  // selected next. An empty field is left alone.
  void clickBurst(float x, float y);
  // Takes the bubble out of the field and destroys it, dropping the selection if
  // it was selected. A bubble not in the field is left alone.
  void remove(Bubble* bubble);

  // The parts of one sub-step, in the order it runs them.
  void subStep();
  void spawn();
  void collide();
  // Moves every bubble, keeps it inside the walls and bursts the grown ones.
  void updateWalk();
  void applyWalls(Bubble& bubble);

  std::vector<Bubble*> bubbles;      // owned; spawn order, kept through removals
  int bubbleList = kNoSprite;        // the shell of every bubble
  Bubble* selectedBubble = nullptr;  // not owned; null or one of bubbles
  float clock = 0.0f;                // real playing seconds
  float stepAccumulator = 0.0f;      // simulation seconds not yet stepped

 private:
  void burstGrown(Bubble& bubble);
  void burstKind(int kind);

  // The contact pass in steps, as a physics engine finds pairs, tests them and
  // solves them: the broad-phase walk over the bubbles after one, the narrow
  // test of a pair, then a merge (same kind) or a damped spring (different
  // kinds).
  struct PairGap;
  struct ContactForce;
  void collideWithLater(std::size_t i);
  static PairGap gapBetween(float ax, float ay, float aRadius, const Bubble& b);
  float absorbLater(Bubble& a, std::size_t j);
  static ContactForce dampedSpring(const PairGap& gap, float relativeVx, float relativeVy);

  int gooList = kNoSprite;        // loaded with the others, never drawn
  int selectionList = kNoSprite;  // the ring around the selected bubble
  int glowList = kNoSprite;       // the glow around a special bubble
  BroadPhase broadPhase;
};

extern BubbleField bubbleField;
