// The seven germs as the game shows them: tinted by multiplying with their
// kind's colour, turning inside the bubble's shell. So each must be drawn
// light in greys (or the tint turns it muddy) with dark outlines, and keep
// inside the shell.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "AssetFiles.h"
#include "assets/AssetTree.h"

namespace {

TEST(GermArt, GermsAreLightGreyOutlinedShapesInsideTheShell) {
  for (const AssetTree::File& file : AssetTree::kGermImages) {
    SCOPED_TRACE(file.path);
    const AssetFiles::Picture germ(file);
    int solid = 0, light = 0, dark = 0, coloured = 0;
    for (int y = 0; y < germ.height; ++y)
      for (int x = 0; x < germ.width; ++x) {
        const std::uint8_t* p = germ.at(x, y);
        const int lo = std::min({p[0], p[1], p[2]}), hi = std::max({p[0], p[1], p[2]});
        // The shell's rim starts at 0.9 of the picture's half-size.
        if (p[3] > 128) {
          ASSERT_LT(std::hypot((x + 0.5) / germ.width * 2 - 1, (y + 0.5) / germ.height * 2 - 1), 0.9)
              << "pokes through the shell at " << x << ", " << y;
        }
        if (p[3] < 250) continue;
        ++solid;
        light += lo >= 170;
        dark += hi <= 90;
        coloured += hi - lo > 40;
      }
    EXPECT_GT(solid, germ.width * germ.height / 8) << "too small to read inside a bubble";
    EXPECT_GT(light, solid / 2) << "mostly light, so the kind's tint colours it";
    EXPECT_GT(dark, solid / 12) << "outlined, so it reads once tinted";
    EXPECT_LT(coloured, solid / 50) << "greys only: a colour of its own would fight the tint";
  }
}

}  // namespace
