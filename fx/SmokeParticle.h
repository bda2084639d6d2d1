#pragma once
// The particle the game actually uses: a puff drawn as a stretched, rotated
// textured quad. It lives in its emitter's pool for the emitter's whole life,
// inactive until first emitted and active ever after; the emitter sets its
// colour, texturing and blending before drawing the pool.

#include "fx/Particle.h"
#include "gfx/Sprite.h"

class SmokeParticle : public Particle {
 public:
  static constexpr float kMass = 1.0f;
  static constexpr float kRadius = 0.33f;  // world units
  // The quad is squeezed along the world axes after it is turned, so a puff is a
  // narrow upright rectangle at heading 0 and a parallelogram otherwise.
  static constexpr float kWidthPerRadius = 0.35f;
  static constexpr float kHeightPerRadius = 0.75f;
  static constexpr float kHeadingToQuadDegrees = 90.0f;

  SmokeParticle();

  void render() const override;

  int listId = kNoSprite;  // the emitter's quad list, handed over at every emission
  bool active = false;
};
