#pragma once
// One streak of a pop burst: a small textured quad that starts on a bubble's rim,
// flies outwards at a constant velocity and takes its opacity and size from the
// burst's phase ramp. A plain record, copied whole with its burst.

#include "gfx/Sprite.h"

struct Spark {
  // Colour level for red, green and blue alike; the streaks are never tinted.
  static constexpr float kGrey = 0.7f;
  // The sprite's unit quad is stretched to a streak four times longer than wide.
  static constexpr float kLengthPerScale = 2.0f;
  static constexpr float kWidthPerScale = 0.5f;

  // Draws the streak at its place under the caller's texturing and blending.
  void render() const;

  float x = 0.0f;         // world units
  float y = 0.0f;         // world units
  float vx = 0.0f;        // world units per second
  float vy = 0.0f;        // world units per second
  float scale = 0.25f;    // the quad is 2 x scale long and 0.5 x scale wide
  float rotation = 0.0f;  // degrees about z
  float grey = kGrey;
  float alpha = 1.0f;
  int listId = kNoSprite;
};
