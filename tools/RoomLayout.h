#pragma once
// The fixed places of the playing screen in world units: the stomach the
// bubbles live in (its walls and floor are the game's own), the patient's body
// around it, the room behind, and the chart on the right where the game prints
// the money and the best chain.

#include "assets/SceneLayout.h"

namespace RoomLayout {

// The stomach: the game keeps every bubble between these walls and above this
// floor; there is no ceiling.
constexpr double kStomachLeft = SceneLayout::kStomachLeft;
constexpr double kStomachRight = SceneLayout::kStomachRight;
constexpr double kStomachFloor = SceneLayout::kStomachFloor;
constexpr double kStomachTop = 4.72;  // where the drawn cavity rounds off
constexpr double kStomachTopRadius = 0.55;
constexpr double kStomachWallWidth = 0.075;  // the pink tissue around the cavity

// The body in its gown, just outside the stomach wall.
constexpr double kBodyLeft = -3.56;
constexpr double kBodyRight = 1.255;
constexpr double kBodyBottom = 0.28;
constexpr double kShoulderY = 4.45;  // where the sides start to round in
constexpr double kCollarY = 5.1;     // top of the body under the head
constexpr double kNeckLeft = -1.62;
constexpr double kNeckRight = -0.64;

// The room.
constexpr double kRailY = 1.8;    // dado rail between the two wall colours
constexpr double kFloorY = 0.13;  // top of the floor strip
// The window behind the arm with the thermometer; its sides hide behind the
// body and the chart.
constexpr double kWindowLeft = 1.2;
constexpr double kWindowRight = 1.95;
constexpr double kWindowBottom = 2.25;
constexpr double kWindowTop = 4.0;

// The chart on its clipboard.
constexpr double kBoardLeft = 1.86;
constexpr double kBoardRight = 3.95;
constexpr double kBoardBottom = 0.1;
constexpr double kBoardTop = 5.86;

// Where the game prints its numbers (baseline start) and the tilt of both,
// degrees.
constexpr double kMoneyX = SceneLayout::kMoneyLine.x;
constexpr double kMoneyY = SceneLayout::kMoneyLine.y;
constexpr double kBestChainX = SceneLayout::kBestChainLine.x;
constexpr double kBestChainY = SceneLayout::kBestChainLine.y;
constexpr double kTextTiltDegrees = SceneLayout::kPrintedTiltDegrees;

}  // namespace RoomLayout
