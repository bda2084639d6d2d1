#pragma once
// The one palette of the game's art, so the patient, the room, the chart and the
// screens read as one cartoon. The wall and sky colours matter beyond looks: the
// patient's limb pictures carry them as their own backdrop, so that where the
// background lets a limb show through, the seam between the two pictures is
// invisible.

#include <array>
#include <cstddef>

#include "Colour.h"
#include "assets/AssetTree.h"

namespace Palette {

constexpr Colour kInk = Colour::bytes(58, 40, 62);           // every outline
constexpr Colour kWallUpper = Colour::bytes(199, 231, 222);  // room wall above the rail
constexpr Colour kWallLower = Colour::bytes(166, 211, 204);  // wainscot below the rail
constexpr Colour kRail = Colour::bytes(129, 181, 176);
constexpr Colour kRailLight = Colour::bytes(222, 244, 238);
// The evening sky in the window behind the arm with the thermometer: dark
// enough for the game's faint white smoke to show against it.
constexpr Colour kNightSky = Colour::bytes(66, 86, 148);
constexpr Colour kStar = Colour::bytes(255, 242, 190);
constexpr Colour kFloor = Colour::bytes(214, 186, 150);
constexpr Colour kFloorDark = Colour::bytes(181, 149, 113);

constexpr Colour kSkin = Colour::bytes(255, 215, 186);
constexpr Colour kSkinShade = Colour::bytes(238, 177, 150);
constexpr Colour kCheek = Colour::bytes(255, 138, 142);
constexpr Colour kHair = Colour::bytes(146, 88, 58);
constexpr Colour kHairLight = Colour::bytes(190, 126, 86);
constexpr Colour kEyeWhite = Colour::bytes(255, 255, 255);

constexpr Colour kGown = Colour::bytes(163, 202, 240);
constexpr Colour kGownShade = Colour::bytes(128, 170, 220);
constexpr Colour kGownDot = Colour::bytes(214, 233, 252);
constexpr Colour kSlipper = Colour::bytes(246, 140, 170);
constexpr Colour kSlipperLight = Colour::bytes(255, 196, 214);

constexpr Colour kStomachWall = Colour::bytes(190, 72, 104);
constexpr Colour kStomachTop = Colour::bytes(247, 186, 196);
constexpr Colour kStomachBottom = Colour::bytes(226, 134, 156);
constexpr Colour kStomachFold = Colour::bytes(214, 118, 142);
constexpr Colour kStomachGloss = Colour::bytes(255, 214, 220);

constexpr Colour kBoard = Colour::bytes(190, 138, 92);
constexpr Colour kBoardDark = Colour::bytes(150, 102, 64);
constexpr Colour kMetal = Colour::bytes(196, 202, 214);
constexpr Colour kMetalDark = Colour::bytes(120, 128, 146);
constexpr Colour kPaper = Colour::bytes(255, 252, 241);
constexpr Colour kPaperLine = Colour::bytes(186, 212, 238);
constexpr Colour kPaperMargin = Colour::bytes(244, 150, 150);
constexpr Colour kPen = Colour::bytes(46, 62, 120);  // handwriting on the chart
constexpr Colour kFever = Colour::bytes(226, 62, 70);

constexpr Colour kGlass = Colour::bytes(240, 248, 255);
constexpr Colour kWhite = Colour::bytes(255, 255, 255);

// The tints the game multiplies the germ pictures by, one per disease kind
// (the last, the plain kind, is white), for the pictures that show bubbles as
// the game draws them.
inline constexpr auto kKindTint = [] {
  std::array<Colour, AssetTree::kKindTints.size()> colours{};
  for (std::size_t kind = 0; kind < colours.size(); ++kind) {
    const AssetTree::Tint& tint = AssetTree::kKindTints[kind];
    colours[kind] = {tint.red, tint.green, tint.blue, 1.0};
  }
  return colours;
}();

}  // namespace Palette
