#include "fx/Particle.h"

#include <cmath>

#include "gfx/GlIncludes.h"
#include "util/MathHelpers.h"

Particle::Particle() {
  mass = kDefaultMass;
  radius = kDefaultRadius;
}

void Particle::update(float dt) {
  accumulateForces();
  integrate(dt);
}

void Particle::addAttractor(Entity& body) {
  if (attractorCount >= kMaxAttractors) return;
  attractors[static_cast<std::size_t>(attractorCount)] = &body;
  ++attractorCount;
}

void Particle::accumulateForces() {
  forceX = 0.0f;
  forceY = 0.0f;
  for (int i = 0; i < attractorCount; ++i) {
    const Entity& body = *attractors[static_cast<std::size_t>(i)];
    const float dx = body.x - x;
    const float dy = body.y - y;
    const float d2 = dx * dx + dy * dy;
    const float d = std::sqrt(d2);
    // Dividing the inverse-square magnitude by d once more turns (dx, dy) into
    // the unit vector towards the attractor.
    const float g = static_cast<float>(gravitation(mass, body.mass, d2) / d);
    forceX += dx * g;
    forceY += dy * g;
  }
}

void Particle::integrate(float dt) {
  const float inverseMass = 1.0f / mass;
  const float ax = forceX * inverseMass + accelX;
  const float ay = forceY * inverseMass + accelY;
  x += vx * dt + 0.5f * (ax * dt) * dt;
  y += vy * dt + 0.5f * (ay * dt) * dt;
  vx += ax * dt;
  vy += ay * dt;
}

void Particle::render() const {
  glPushMatrix();
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_LINES);
  glVertex2f(x - radius, y);
  glVertex2f(x + radius, y);
  glVertex2f(x, y - radius);
  glVertex2f(x, y + radius);
  glEnd();
  glPopMatrix();
}
