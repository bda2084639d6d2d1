// The game's own drawing code over the layer: a sprite made by makeSprite
// from a Targa file and drawn as the owners draw theirs, and text printed by
// the font printer with a real TrueType font.

#include <cmath>
#include <string>

#include "GlCase.h"
#include "assets/AssetTree.h"
#include "assets/SceneLayout.h"
#include "gfx/BlendedDrawing.h"
#include "gfx/FontPrinter.h"
#include "gfx/Sprite.h"
#include "support/TgaWriter.h"

namespace {

constexpr int kSpriteSide = 64;  // texels

// A sprite as its owners draw it: tinted, placed, turned and sized.
void drawSprite(const Colour& tint, int listId, float x, float y, float angle, float width, float height) {
  glColor4f(tint.r, tint.g, tint.b, tint.a);
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glRotatef(angle, 0.0f, 0.0f, 1.0f);
  glScalef(width, height, 1.0f);
  glCallList(static_cast<GLuint>(listId));
  glPopMatrix();
}

void gameSprite(CaseContext& context) {
  // A picture that shows which way is up and which is left: a disc on a
  // transparent square, its upper half warm and its left third darker, with
  // a notch at the top.
  const std::string path = context.scratchFolder + "/case-sprite.tga";
  TgaLayout layout;
  layout.width = kSpriteSide;
  layout.height = kSpriteSide;
  writeTga(path, layout, picture(kSpriteSide, kSpriteSide, [](int x, int y) {
             const double dx = x + 0.5 - kSpriteSide / 2.0;
             const double dy = y + 0.5 - kSpriteSide / 2.0;  // row 0 is the top row
             const bool notch = std::fabs(dx) < kSpriteSide / 10.0 && dy < -kSpriteSide / 4.0;
             const bool inside = std::hypot(dx, dy) < kSpriteSide / 2.0 && !notch;
             const double shade = x < kSpriteSide / 3 ? 0.6 : 1.0;
             return Texel{byteOf((dy < 0.0 ? 240 : 60) * shade / 255.0), byteOf(150 * shade / 255.0),
                          byteOf((dy < 0.0 ? 40 : 230) * shade / 255.0),
                          static_cast<std::uint8_t>(inside ? 255 : 0)};
           }));
  int sprite = kNoSprite;
  int spriteTexture = kNoTexture;
  makeSprite(sprite, spriteTexture, path.c_str());
  int missing = kNoSprite;
  int missingTexture = kNoTexture;
  makeSprite(missing, missingTexture, (context.scratchFolder + "/no-such-picture.tga").c_str());

  gameCamera();
  // A backdrop-like band behind, so blending shows.
  rect({0.3f, 0.5f, 0.4f}, -4.0f, 1.0f, 4.0f, 3.0f, -0.5f);
  beginBlendedDrawing();
  drawSprite({1.0f, 1.0f, 1.0f}, sprite, -2.5f, 4.0f, 0.0f, 2.0f, 2.0f);
  context.expectInteger("the sprite list's binding stays after it", GL_TEXTURE_BINDING_2D, spriteTexture);
  drawSprite({1.0f, 0.5f, 0.3f, 0.7f}, sprite, -0.5f, 2.5f, 30.0f, 2.0f, 3.0f);
  drawSprite({0.5f, 0.8f, 1.0f, 0.5f}, sprite, 1.0f, 2.0f, -60.0f, 2.5f, 2.5f);
  // A sprite whose picture failed to load draws its square untextured.
  drawSprite({0.9f, 0.9f, 0.2f, 0.8f}, missing, 2.8f, 4.5f, 15.0f, 1.5f, 1.0f);
  endBlendedDrawing();
  context.expectEnabled("texturing off after the sprites", GL_TEXTURE_2D, false);
  context.expectEnabled("blending off after the sprites", GL_BLEND, false);
}

// Text as the game prints it: at `x`, `y` in world units, `scale` world
// units a font pixel, turned by `angle`.
void printAt(float x, float y, float scale, float angle, const std::function<void()>& print) {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glScalef(scale, scale, scale);
  glRotatef(angle, 0.0f, 0.0f, 1.0f);
  print();
  glPopMatrix();
}

void fontPrinter(CaseContext& context) {
  FontPrinter& printer = FontPrinter::instance();
  printer.loadFont(context.fontPath.c_str(), AssetTree::kFontSize);
  gameCamera();
  rect({0.95f, 0.85f, 0.7f}, -4.0f, 3.0f, 4.0f, 6.0f, -0.5f);
  rect({0.15f, 0.1f, 0.3f}, -4.0f, 0.0f, 4.0f, 3.0f, -0.5f);
  // The money line as the wallet prints it, black at 0.9 and tilted; larger,
  // so each glyph is magnified, with two lines; a floating chain text, white
  // and half faded, on the dark half.
  glColor4f(0.0f, 0.0f, 0.0f, 0.9f);
  printAt(-3.5f, SceneLayout::kMoneyLine.y, SceneLayout::kMoneyLine.scale, SceneLayout::kPrintedTiltDegrees,
          [&] { printText(printer, "$%d", 123456789); });
  glColor4f(0.6f, 0.0f, 0.1f, 1.0f);
  printAt(-3.8f, 5.4f, 0.02f, 0.0f, [&] { printText(printer, "Plombrix!\ngq|&@"); });
  glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
  printAt(-3.0f, 1.5f, 0.012f, 0.0f, [&] { printText(printer, "%d chain!", 7); });

  // What printing must leave as it found it.
  context.expectInteger("list base after printing", GL_LIST_BASE, 0);
  context.expectEnabled("depth test after printing", GL_DEPTH_TEST, true);
  context.expectEnabled("texturing after printing", GL_TEXTURE_2D, false);
  context.expectFloat("colour after printing", GL_CURRENT_COLOR, 0.5f, 3);
}

}  // namespace

std::vector<GlCase> gameCases() {
  return {
      {"game_sprite", gameSprite},
      {"font_printer", fontPrinter, true},
  };
}
