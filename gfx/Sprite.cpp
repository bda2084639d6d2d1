#include "gfx/Sprite.h"

#include "gfx/GlIncludes.h"
#include "gfx/Texture.h"

void emitUnitQuad() {
  // Texture row 0 is the image's top row, so t runs from 1 at the bottom edge to
  // 0 at the top edge: the picture stands upright with its top towards +y.
  glBegin(GL_QUADS);
  glNormal3f(0.0f, 0.0f, 1.0f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-0.5f, -0.5f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(0.5f, -0.5f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(0.5f, 0.5f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(-0.5f, 0.5f);
  glEnd();
}

void makeSprite(int& listId, int& textureId, const char* path) {
  if (listId >= 0) return;
  if (textureId < 0) textureId = static_cast<int>(loadTexture(path));
  listId = static_cast<int>(glGenLists(1));
  glNewList(static_cast<GLuint>(listId), GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(textureId));
  emitUnitQuad();
  glEndList();
}
