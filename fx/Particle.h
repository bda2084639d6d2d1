#pragma once
// A light point mass that moves under a constant acceleration of its own plus
// the inverse-square pull of up to 32 attracting bodies. Particles are never
// made one by one: an emitter holds a fixed pool of smoke particles, sets them up
// when it emits them, steps them and draws them. The plain particle draws a line
// cross marking its extent.

#include <array>

#include "util/Entity.h"

class Particle : public Entity {
 public:
  static constexpr int kMaxAttractors = 32;
  static constexpr float kDefaultMass = 5.0f;
  static constexpr float kDefaultRadius = 0.5f;  // world units

  Particle();

  // Recomputes the force from the attractors, then takes one step.
  void update(float dt) override;
  void render() const override;

  // Registers a body that pulls this particle for the rest of its life; the
  // caller keeps it alive. Past the 32nd the call is ignored.
  void addAttractor(Entity& body);
  void accumulateForces();
  // One explicit step: position from the velocity before the step plus half the
  // acceleration, then the velocity. No damping and no clamp.
  void integrate(float dt);

  float heading = 0.0f;                              // degrees, used by the smoke particle's drawing
  float accelX = 0.0f;                               // world units per s^2, added to the force's acceleration
  float accelY = 0.0f;                               // world units per s^2
  std::array<Entity*, kMaxAttractors> attractors{};  // not owned
  int attractorCount = 0;
};
