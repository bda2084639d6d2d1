#include "fx/Spark.h"

#include "gfx/GlIncludes.h"

void Spark::render() const {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glColor4f(grey, grey, grey, alpha);
  glRotatef(rotation, 0.0f, 0.0f, 1.0f);
  glScalef(kLengthPerScale * scale, kWidthPerScale * scale, scale);
  glCallList(static_cast<GLuint>(listId));
  glPopMatrix();
}
