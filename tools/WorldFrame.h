#pragma once
// The fixed camera's view of the game world: x from -4 to 4 and y from 0 to 6
// fill the 1024 x 768 window, 128 pixels to a world unit, y growing upwards.
// The full-window pictures are drawn on exactly this grid.

namespace WorldFrame {

constexpr int kWidth = 1024;  // pixels
constexpr int kHeight = 768;  // pixels
constexpr double kPixelsPerUnit = 128.0;
constexpr double kLeft = -4.0;  // world x at the left edge
constexpr double kTop = 6.0;    // world y at the top edge

constexpr double pixelX(double worldX) { return (worldX - kLeft) * kPixelsPerUnit; }
constexpr double pixelY(double worldY) { return (kTop - worldY) * kPixelsPerUnit; }
constexpr double worldX(double pixelX) { return pixelX / kPixelsPerUnit + kLeft; }
constexpr double worldY(double pixelY) { return kTop - pixelY / kPixelsPerUnit; }

}  // namespace WorldFrame
