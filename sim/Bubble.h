#pragma once
// A disease bubble: a point mass under gravity with linear damping and a bound
// on its acceleration, drawn as a tinted shell that breathes slowly around a
// spinning germ picture. The bubble field creates, steps, merges and destroys
// bubbles; a bubble never moves by itself between the field's sub-steps.

#include "assets/AssetTree.h"
#include "util/Entity.h"

class Bubble : public Entity {
 public:
  // The radius of a bubble always follows its mass: sqrt(mass) times this.
  static constexpr float kRadiusPerRootMass = 0.23f;  // world units
  static constexpr float kDefaultDamping = 0.25f;     // force per unit of velocity
  // Every axis of the acceleration is bounded, so even the stiff contact springs
  // cannot fling a bubble through a wall in one sub-step.
  static constexpr float kMaxAcceleration = 45.0f;  // world units per s^2, per axis
  static constexpr double kWobbleAmplitude = 0.05;  // fraction of the drawn size
  static constexpr double kWobbleRate = 4.0;        // rad/s per unit of (phase + 2)
  static constexpr double kWobbleBase = 2.0;        // keeps the rate within 8..12 rad/s
  static constexpr float kSpinRate = 200.0f;        // degrees/s of the germ per unit of phase
  // The kind without a germ picture: the one after the last germ.
  static constexpr int kPlainKind = static_cast<int>(AssetTree::kGermImages.size());

  // Mass 1 at rest at the origin; draws one random number for the wobble phase.
  Bubble();

  // One motion step: the wobble and the spin follow the bubble's own age, then
  // the forces gathered by the field move it.
  void update(float dt) override;
  // Draws the bubble in the current colour (the field sets its kind's tint).
  void render() const override;
  // Gravity and damping are added to the force, the acceleration is clamped
  // per axis, and the position moves with the old velocity.
  void integrate(float dt);
  // Sets the mass and the radius that goes with it.
  void setMass(float newMass);

  static float radiusForMass(float mass);

  float rotation = 0.0f;  // degrees about z, fixed at spawn
  float damping = kDefaultDamping;
  float gravityX = 0.0f;  // world units per s^2
  float gravityY = 0.0f;
  int shellList = 0;           // display list of the shell sprite
  float wobblePhase;           // in [0, 1)
  float wobbleClock = 0.0f;    // seconds of the bubble's life
  float wobbleScale = 1.0f;    // within [0.95, 1.05]
  float innerRotation = 0.0f;  // degrees of the germ picture, grows without wrapping
  int kind = 0;                // 0..7, an index into kindTable
  bool special = false;        // bursts its whole kind when it grows too big
};
