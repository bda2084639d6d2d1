#pragma once
// A fixed pool of 80 smoke particles released one after another from an
// emission point at a set rate, each new one taking over the oldest, and drawn
// in one colour with blending. The patient owns the game's one emitter: it
// configures the public settings once and moves the emission point as the arm
// bobs. Emitting, stepping and drawing allocate nothing.

#include <array>

#include "fx/SmokeParticle.h"
#include "gfx/Sprite.h"

class ParticleEmitter {
 public:
  static constexpr int kPoolSize = 80;

  ParticleEmitter() = default;

  // Loads the smoke image and compiles the quad list handed to every particle.
  // Builds a new list on every call.
  void loadSprite(const char* path);
  // Restarts the particle in this slot at the emission point with the current
  // settings and a random offset along the diagonal of the base velocity. A
  // slot outside the pool is ignored.
  void emitParticle(int slot);
  // Emits what the gathered time is due, registers a pending attractor with the
  // whole pool, then steps every active particle, the new ones included.
  void update(float dt);
  void render() const;

  std::array<SmokeParticle, kPoolSize> particles{};
  int nextSlot = 0;
  float emitClock = 0.0f;  // seconds gathered since the last emission
  int listId = kNoSprite;
  int textureId = 0;
  float originX = -2.0f;  // world units
  float originY = 2.0f;   // world units
  float baseVx = 0.0f;    // world units per second
  float baseVy = 0.0f;    // world units per second
  float spread = 0.25f;   // half-width of the velocity offset, world units per second
  float rate = 100.0f;    // nominal particles per second
  float colourR = 1.0f;
  float colourG = 1.0f;
  float colourB = 1.0f;
  float colourA = 1.0f;
  float accelX = 0.0f;                 // world units per s^2
  float accelY = -9.81f;               // world units per s^2
  float particleRadius = 0.33f;        // world units
  bool headingFromVelocity = true;     // false: a random whole-degree heading at emission
  Entity* pendingAttractor = nullptr;  // not owned; consumed by the next update
};
