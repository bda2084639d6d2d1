#pragma once
// The places the pictures and the game must agree on, in world units on the
// z = 0 plane (x to the right, y upwards): the rectangle the window shows, the
// stomach's walls, where the money and the best chain are printed and where
// each of the patient's body pictures rests and how far it sways. The game
// simulates and draws at these places; the generator paints the background
// around them, so a number changed here moves both at once. Standard library
// only: the game, the generator and the tests all include it.

namespace SceneLayout {

// The fixed window, and the world rectangle the default camera fills it with.
// The full-window pictures are drawn on exactly this grid.
inline constexpr int kWindowWidth = 1024;  // pixels
inline constexpr int kWindowHeight = 768;  // pixels
inline constexpr double kWorldLeft = -4.0;
inline constexpr double kWorldRight = 4.0;
inline constexpr double kWorldBottom = 0.0;
inline constexpr double kWorldTop = 6.0;

// The stomach, as the edges of a bubble may touch it; there is no ceiling. The
// background's cavity is drawn to the same lines.
inline constexpr float kStomachFloor = 0.406f;
inline constexpr float kStomachLeft = -3.4297f;
inline constexpr float kStomachRight = 1.118f;

// Where a number is printed: the start of its baseline and the world units per
// pixel of the rasterised font. The chart's fields are drawn under these lines.
struct PrintedLine {
  float x;
  float y;
  float scale;
};
inline constexpr PrintedLine kMoneyLine{2.0f, 4.46f, 0.005f};
inline constexpr PrintedLine kBestChainLine{2.4f, 3.2f, 0.0075f};
// Both numbers, and the chart's handwriting, lean this far counter-clockwise.
inline constexpr float kPrintedTiltDegrees = 4.0f;

// Where a body picture of the patient rests and how far it sways: its centre
// and size, the largest turn either way in degrees and the largest bob either
// way. The background's windows onto the limbs are cut from the same numbers.
// The x positions and sizes are single-precision; the heights are double and
// take the bob before rounding to a float.
struct Rig {
  float x;
  double y;
  float width;
  float height;
  double tiltDegrees;
  double bob;
};
inline constexpr Rig kHeadRig{-1.1282f, 5.48, 1.45f, 0.95f, 5.0, 0.02};
inline constexpr Rig kRightArmRig{-3.575f, 3.402, 0.7f, 0.7f, 0.0, 0.02};
inline constexpr Rig kLeftArmRig{1.419f, 3.002, 0.7f, 0.7f, 0.0, 0.015};
// The legs bob with the head.
inline constexpr Rig kRightLegRig{-1.46f, 0.3, 0.4f, 0.4f, 0.0, kHeadRig.bob};
inline constexpr Rig kLeftLegRig{-0.56f, 0.3, 0.4f, 0.4f, 0.0, kHeadRig.bob};
// The smoke leaves the left arm's hand here, the arm at rest; the background
// lets it drift out of that arm's window.
inline constexpr float kSmokeOriginX = 1.75f;
inline constexpr double kSmokeRestY = 2.828;

}  // namespace SceneLayout
