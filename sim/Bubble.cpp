#include "sim/Bubble.h"

#include <cmath>

#include "gfx/GlIncludes.h"
#include "sim/KindStyle.h"
#include "util/Random.h"

namespace {
constexpr float kStartMass = 1.0f;
constexpr float kHalf = 0.5f;  // of a t^2 in the position step

float clampAcceleration(float a) {
  if (a > Bubble::kMaxAcceleration) return Bubble::kMaxAcceleration;
  if (a < -Bubble::kMaxAcceleration) return -Bubble::kMaxAcceleration;
  return a;
}
}  // namespace

Bubble::Bubble() : wobblePhase(randFloat(1.0f)) { setMass(kStartMass); }

float Bubble::radiusForMass(float bubbleMass) { return std::sqrt(bubbleMass) * kRadiusPerRootMass; }

void Bubble::setMass(float newMass) {
  mass = newMass;
  radius = radiusForMass(newMass);
}

void Bubble::update(float dt) {
  wobbleClock += dt;
  const double wobbleAngle = (static_cast<double>(wobblePhase) + kWobbleBase) * wobbleClock * kWobbleRate;
  wobbleScale = static_cast<float>(std::sin(wobbleAngle) * kWobbleAmplitude + 1.0);
  innerRotation = wobbleClock * (wobblePhase * kSpinRate);
  integrate(dt);
}

void Bubble::integrate(float dt) {
  forceX += gravityX * mass - damping * vx;
  forceY += gravityY * mass - damping * vy;
  const float inverseMass = 1.0f / mass;
  const float ax = clampAcceleration(forceX * inverseMass);
  const float ay = clampAcceleration(forceY * inverseMass);
  x += vx * dt + kHalf * ax * dt * dt;
  y += vy * dt + kHalf * ay * dt * dt;
  vx += ax * dt;
  vy += ay * dt;
}

void Bubble::render() const {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glRotatef(rotation, 0.0f, 0.0f, 1.0f);
  // The sprite is a unit square: scale it to the diameter, breathing included.
  const float size = 2.0f * (wobbleScale * radius);
  glScalef(size, size, 1.0f);
  if (kind != kPlainKind) {
    // The germ spins inside the shell, on top of the bubble's own rotation.
    glPushMatrix();
    glRotatef(innerRotation, 0.0f, 0.0f, 1.0f);
    glCallList(static_cast<GLuint>(kindTable[kind].innerList));
    glPopMatrix();
  }
  glCallList(static_cast<GLuint>(shellList));
  glPopMatrix();
}
