#pragma once
// A real 1024 x 768 GLUT window for drawing tests, run under the virtual X
// server. It applies the game's fixed GL state and default camera, so a test
// draws exactly as the game does and then reads pixels back.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

struct Rgba {
  int r, g, b, a;
};

class GlTestWindow {
 public:
  // Opens the window on first use (one a process) and resets the camera and
  // the GL state the game sets once at start-up.
  static GlTestWindow& open();

  // Clears colour and depth to the game's black.
  void clear();
  // One pixel of the back buffer, which Mesa keeps through a swap, at window
  // coordinates with the origin at the top-left corner as GLUT reports them.
  Rgba pixel(int x, int y) const;
  // Whether the pixel under a world point is near (r, g, b), as near() below.
  ::testing::AssertionResult shows(float wx, float wy, int r, int g, int b, int tolerance = 8) const;
  // Window pixel (top-left origin) of a world point on z = 0 with the default
  // camera.
  static std::array<int, 2> worldToPixel(float wx, float wy);
  // Depth of the model-view stack right now.
  static int modelViewDepth();
  // What open() does first, for a test that opens a window of its own.
  static void beforeFirstWindow();
};

// Success when the colour is within tolerance of (r, g, b) in every channel;
// the failure message shows the colour actually found.
::testing::AssertionResult near(const Rgba& colour, int r, int g, int b, int tolerance = 8);
