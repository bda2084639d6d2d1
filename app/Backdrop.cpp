#include "app/Backdrop.h"

#include <cmath>
#include <utility>

#include "assets/AssetTree.h"
#include "gfx/BlendedDrawing.h"
#include "gfx/GlIncludes.h"
#include "gfx/Sprite.h"

Backdrop& Backdrop::instance() {
  static Backdrop* backdrop = new Backdrop();
  return *backdrop;
}

void Backdrop::loadSprites() {
  for (const auto& [list, image] : {std::pair{&backgroundList, &AssetTree::kBackgroundImage},
                                    std::pair{&titleList, &AssetTree::kTitleImage},
                                    std::pair{&instructionsList, &AssetTree::kInstructionsImage}}) {
    int texture = kNoTexture;  // each picture loads its own image
    makeSprite(*list, texture, image->path);
  }
}

void Backdrop::setRect(double newTop, double newRight, double newBottom, double newLeft) {
  top = newTop;
  right = newRight;
  bottom = newBottom;
  left = newLeft;
}

void Backdrop::place(int list) const {
  glPushMatrix();
  glTranslatef(static_cast<float>((left + right) * 0.5), static_cast<float>((top + bottom) * 0.5), 0.0f);
  glScalef(static_cast<float>(std::fabs(left - right)), static_cast<float>(std::fabs(top - bottom)), 1.0f);
  glCallList(static_cast<GLuint>(list));
  glPopMatrix();
}

void Backdrop::drawBackground() const {
  // The alpha test keeps transparent texels out of colour and depth, so the
  // patient drawn before shows through wherever the picture is clear.
  beginBlendedDrawing();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  place(backgroundList);
  endBlendedDrawing();
  glColor3f(1.0f, 1.0f, 1.0f);
}

void Backdrop::drawOpaque(int list) const {
  glEnable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  place(list);
  glDisable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void Backdrop::drawTitle() const { drawOpaque(titleList); }

void Backdrop::drawInstructions() const { drawOpaque(instructionsList); }
