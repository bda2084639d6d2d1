#pragma once
// Every floating text alive, held by value in the order they were added. The
// Wallet adds the chain messages and runs the list's update and drawing inside
// its own, so each text is updated once before it is first drawn and the texts
// appear over everything else.

#include <vector>

#include "score/FloatingText.h"

class FloatingTextList {
 public:
  static FloatingTextList& instance();

  // Formats the message printf-style (cut at 255 characters; a null format gives
  // the empty text) and appends a new text at world (x, y).
  void addText(float x, float y, const char* format, ...) __attribute__((format(printf, 4, 5)));
  // Updates every text and removes, in the same pass, each one that finishes;
  // the text that moves into a freed place is updated exactly once too.
  void update(float dt);
  // Draws the texts front to back, so a newer text lies over an older one.
  void render() const;

  std::vector<FloatingText> texts;
};
