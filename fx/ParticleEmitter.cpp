#include "fx/ParticleEmitter.h"

#include <cmath>
#include <cstddef>

#include "gfx/BlendedDrawing.h"
#include "gfx/GlIncludes.h"
#include "gfx/Texture.h"
#include "util/MathHelpers.h"
#include "util/Random.h"

namespace {
constexpr int kHeadingChoices = 360;  // whole degrees 0..359
}  // namespace

void ParticleEmitter::loadSprite(const char* path) {
  textureId = static_cast<int>(loadTexture(path));
  listId = static_cast<int>(glGenLists(1));
  glNewList(static_cast<GLuint>(listId), GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(textureId));
  emitUnitQuad();
  glEndList();
}

void ParticleEmitter::emitParticle(int slot) {
  if (slot < 0 || slot >= kPoolSize) return;
  SmokeParticle& p = particles[static_cast<std::size_t>(slot)];
  p.setX(originX);
  p.setY(originY);
  p.accelX = accelX;
  p.accelY = accelY;
  p.listId = listId;
  p.radius = particleRadius;
  if (!headingFromVelocity) p.heading = static_cast<float>(randBelow(kHeadingChoices));
  // One offset for both components: the velocities spread along the diagonal
  // (1, 1) through the base velocity rather than over a disc.
  const float offset = randFloat(2.0f * spread) - spread;
  p.vx = baseVx + offset;
  p.vy = baseVy + offset;
  p.active = true;
}

void ParticleEmitter::update(float dt) {
  emitClock += dt;
  const float interval = 1.0f / rate;
  if (emitClock >= interval) {
    // Whatever the rounding leaves over is dropped, and time rounded up is not
    // owed back: at 45 a second and 60 frames a second this emits 0, 2, 0, 2...
    const int due = roundToInt(emitClock / interval);
    for (int i = 0; i < due; ++i) {
      emitParticle(nextSlot);
      nextSlot = (nextSlot + 1) % kPoolSize;
    }
    emitClock = 0.0f;
  }

  if (pendingAttractor != nullptr) {
    for (SmokeParticle& p : particles) p.addAttractor(*pendingAttractor);
    pendingAttractor = nullptr;
  }

  for (SmokeParticle& p : particles) {
    if (!p.active) continue;
    p.update(dt);
    // The arc tangent of the quotient, not atan2: a puff moving left gets the
    // heading of one moving right along the same line. A puff at rest keeps its
    // heading rather than taking the undefined 0/0.
    if (headingFromVelocity && (p.vx != 0.0f || p.vy != 0.0f)) {
      p.heading = static_cast<float>(radToDeg(std::atan(p.vy / p.vx)));
    }
  }
}

void ParticleEmitter::render() const {
  beginBlendedDrawing();
  glColor4f(colourR, colourG, colourB, colourA);
  for (const SmokeParticle& p : particles) {
    if (p.active) p.render();
  }
  endBlendedDrawing();
}
