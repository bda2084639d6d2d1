#pragma once
// The fixed camera's view of the game world: x from -4 to 4 and y from 0 to 6
// fill the 1024 x 768 window, 128 pixels to a world unit, y growing upwards.
// The full-window pictures are drawn on exactly this grid.

#include "assets/SceneLayout.h"

namespace WorldFrame {

constexpr int kWidth = SceneLayout::kWindowWidth;    // pixels
constexpr int kHeight = SceneLayout::kWindowHeight;  // pixels
constexpr double kPixelsPerUnit = kHeight / (SceneLayout::kWorldTop - SceneLayout::kWorldBottom);
constexpr double kLeft = SceneLayout::kWorldLeft;  // world x at the left edge
constexpr double kTop = SceneLayout::kWorldTop;    // world y at the top edge

constexpr double pixelX(double worldX) { return (worldX - kLeft) * kPixelsPerUnit; }
constexpr double pixelY(double worldY) { return (kTop - worldY) * kPixelsPerUnit; }
constexpr double worldX(double pixelX) { return pixelX / kPixelsPerUnit + kLeft; }
constexpr double worldY(double pixelY) { return kTop - pixelY / kPixelsPerUnit; }

}  // namespace WorldFrame
