// The game's own drawing code over the layer: a sprite made by makeSprite
// from a Targa file and drawn as the owners draw theirs, and text printed by
// the font printer with a real TrueType font.

#include <cmath>
#include <string>

#include "CaseDrawing.h"
#include "GlCase.h"
#include "gfx/BlendedDrawing.h"
#include "gfx/FontPrinter.h"
#include "gfx/Sprite.h"
#include "support/TgaWriter.h"

namespace {

constexpr unsigned kFontSize = 36;  // points, as the game loads its font

// A picture that shows which way is up and which is left: a disc on a
// transparent square, its upper half warm and its left third darker, with a
// notch at the top.
std::vector<std::uint8_t> spritePicture(int side) {
  return picture(side, side, [&](int x, int y) {
    const double dx = x + 0.5 - side / 2.0;
    const double dy = y + 0.5 - side / 2.0;
    const double r = std::hypot(dx, dy) / (side / 2.0);
    const bool notch = std::fabs(dx) < side / 10.0 && dy < -side / 4.0;
    const bool inside = r < 1.0 && !notch;
    const bool upper = dy < 0.0;  // row 0 is the top row
    const double shade = x < side / 3 ? 0.6 : 1.0;
    return Texel{static_cast<std::uint8_t>(std::lround((upper ? 240 : 60) * shade)),
                 static_cast<std::uint8_t>(std::lround(150 * shade)),
                 static_cast<std::uint8_t>(std::lround((upper ? 40 : 230) * shade)),
                 static_cast<std::uint8_t>(inside ? 255 : 0)};
  });
}

void drawSprite(int listId, float x, float y, float angle, float width, float height) {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glRotatef(angle, 0.0f, 0.0f, 1.0f);
  glScalef(width, height, 1.0f);
  glCallList(static_cast<GLuint>(listId));
  glPopMatrix();
}

void gameSprite(CaseContext& context) {
  constexpr int kSide = 64;  // texels
  const std::string path = context.scratchFolder + "/case-sprite.tga";
  TgaLayout layout;
  layout.width = kSide;
  layout.height = kSide;
  writeTga(path, layout, spritePicture(kSide));
  int sprite = kNoSprite;
  int spriteTexture = kNoTexture;
  makeSprite(sprite, spriteTexture, path.c_str());
  int missing = kNoSprite;
  int missingTexture = kNoTexture;
  makeSprite(missing, missingTexture, (context.scratchFolder + "/no-such-picture.tga").c_str());

  gameCamera();
  // A backdrop-like band behind, so blending shows.
  glColor3f(0.3f, 0.5f, 0.4f);
  rect(-4.0f, 1.0f, 4.0f, 3.0f, -0.5f);
  beginBlendedDrawing();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  drawSprite(sprite, -2.5f, 4.0f, 0.0f, 2.0f, 2.0f);
  glColor4f(1.0f, 0.5f, 0.3f, 0.7f);
  drawSprite(sprite, -0.5f, 2.5f, 30.0f, 2.0f, 3.0f);
  glColor4f(0.5f, 0.8f, 1.0f, 0.5f);
  drawSprite(sprite, 1.0f, 2.0f, -60.0f, 2.5f, 2.5f);
  // A sprite whose picture failed to load draws its square untextured.
  glColor4f(0.9f, 0.9f, 0.2f, 0.8f);
  drawSprite(missing, 2.8f, 4.5f, 15.0f, 1.5f, 1.0f);
  endBlendedDrawing();
  context.expect("texturing off after the sprites", glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
  context.expect("blending off after the sprites", glIsEnabled(GL_BLEND), GL_FALSE);
}

void fontPrinter(CaseContext& context) {
  FontPrinter& printer = FontPrinter::instance();
  printer.loadFont(context.fontPath.c_str(), kFontSize);
  gameCamera();
  glColor3f(0.95f, 0.85f, 0.7f);
  rect(-4.0f, 3.0f, 4.0f, 6.0f, -0.5f);
  glColor3f(0.15f, 0.1f, 0.3f);
  rect(-4.0f, 0.0f, 4.0f, 3.0f, -0.5f);

  // The money line as the wallet prints it: black at 0.9, tilted, 0.005
  // world units a font pixel.
  glPushMatrix();
  glTranslatef(-3.5f, 4.46f, 0.0f);
  glColor4f(0.0f, 0.0f, 0.0f, 0.9f);
  glScalef(0.005f, 0.005f, 0.005f);
  glRotatef(4.0f, 0.0f, 0.0f, 1.0f);
  printText(printer, "$%d", 123456789);
  glPopMatrix();
  // Larger, so each glyph is magnified, with two lines.
  glPushMatrix();
  glTranslatef(-3.8f, 5.4f, 0.0f);
  glColor4f(0.6f, 0.0f, 0.1f, 1.0f);
  glScalef(0.02f, 0.02f, 0.02f);
  printText(printer, "Plombrix!\ngq|&@");
  glPopMatrix();
  // A floating chain text: white and half faded, on the dark half.
  glPushMatrix();
  glTranslatef(-3.0f, 1.5f, 0.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
  glScalef(0.012f, 0.012f, 0.012f);
  printText(printer, "%d chain!", 7);
  glPopMatrix();

  // What printing must leave as it found it.
  GLint base = -1;
  glGetIntegerv(GL_LIST_BASE, &base);
  context.expect("list base after printing", base, 0);
  context.expect("depth test after printing", glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
  context.expect("texturing after printing", glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
  float colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  context.expect("colour after printing", colour[3], 0.5f);
}

}  // namespace

std::vector<GlCase> gameCases() {
  return {
      {"game_sprite", gameSprite},
      {"font_printer", fontPrinter},
  };
}
