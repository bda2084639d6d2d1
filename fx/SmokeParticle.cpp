#include "fx/SmokeParticle.h"

#include "gfx/GlIncludes.h"

SmokeParticle::SmokeParticle() {
  mass = kMass;
  radius = kRadius;
  heading = 0.0f;
}

void SmokeParticle::render() const {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glScalef(kWidthPerRadius * radius, kHeightPerRadius * radius, kWidthPerRadius * radius);
  glRotatef(heading + kHeadingToQuadDegrees, 0.0f, 0.0f, 1.0f);
  glCallList(static_cast<GLuint>(listId));
  glPopMatrix();
}
