#pragma once
// One floating message, such as "3 chain!": it swells in at a point of the play
// field, hovers with a gentle pulse while it rises, then blows up to a huge size
// as it fades away. A plain record copied whole; the FloatingTextList owns the
// texts, updates them once a frame and removes each in the update that ends it.

#include "gfx/FontPrinter.h"

class FloatingText {
 public:
  // Phases of the timed-effect scheme; kFinished is never drawn.
  static constexpr int kSwellIn = 0;
  static constexpr int kHover = 1;
  static constexpr int kBlowUp = 2;
  static constexpr int kFinished = 3;

  // A text at world (x, y) holding message verbatim (cut at 255 characters);
  // a null message gives the empty text.
  FloatingText(float x, float y, const char* message);

  // Advances the look by dt seconds; the look of the update that ends a phase is
  // still that phase's.
  void update(float dt);
  // Prints the message white at the text's opacity and size over a black edge
  // that fades with it, its first glyph's pen at the anchor raised by rise.
  void render() const;

  char text[FontPrinter::kTextBytes] = {};
  float fadeInTime = 0.15f;   // seconds of swelling in
  float holdTime = 0.75f;     // seconds of hovering
  float fadeOutTime = 0.25f;  // seconds of blowing up
  float phaseClock = 0.0f;    // seconds spent in the current phase
  float x = 0.0f;
  float y = 0.0f;
  float scale = 0.0f;
  float alpha = 0.0f;
  float rise = 0.0f;  // world units above y
  int phase = kSwellIn;
};
