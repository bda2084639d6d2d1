#pragma once
// One floating message, such as "3 chain!": it swells in at a point of the play
// field, hovers with a gentle pulse while it rises, then blows up to a huge size
// as it fades away. A plain record copied whole; the FloatingTextList owns the
// texts, updates them once a frame and removes each in the update that ends it.

#include "gfx/FontPrinter.h"
#include "util/TimedPhases.h"

class FloatingText : public TimedPhases {
 public:
  // The phases of the timing shared with the other timed effects.
  static constexpr int kSwellIn = kRampIn;
  static constexpr int kHover = kHold;
  static constexpr int kBlowUp = kRampOut;
  static constexpr float kSwellInTime = 0.15f;  // seconds
  static constexpr float kHoverTime = 0.75f;    // seconds
  static constexpr float kBlowUpTime = 0.25f;   // seconds

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
  float x = 0.0f;
  float y = 0.0f;
  float scale = 0.0f;
  float alpha = 0.0f;
  float rise = 0.0f;  // world units above y
};
