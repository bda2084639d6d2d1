// The seven germs as the game shows them: tinted by multiplying with their
// kind's colour, turning inside the bubble's shell. So each must be drawn
// light in greys (or the tint turns it muddy) with dark outlines, keep inside
// the shell, and look unlike the others.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "SpritePicture.h"

namespace {

TEST(GermArt, GermsAreLightGreyOutlinedShapesInsideTheShellAndUnlikeEachOther) {
  const char* const germs[] = {"disease_mite.tga", "disease_spore.tga", "disease_squid.tga",
                               "disease_worm.tga", "disease_ecoli.tga", "disease_fetus.tga",
                               "disease_worm2.tga"};
  std::vector<std::vector<int>> shapes;  // each pixel empty (0), light (1) or line work (2)
  for (const char* name : germs) {
    SCOPED_TRACE(name);
    const SpritePicture germ(name);
    int solid = 0, light = 0, dark = 0, coloured = 0;
    std::vector<int>& shape = shapes.emplace_back();
    for (int y = 0; y < germ.height(); ++y)
      for (int x = 0; x < germ.width(); ++x) {
        const std::uint8_t* p = germ.at(x, y);
        const int lo = std::min({p[0], p[1], p[2]}), hi = std::max({p[0], p[1], p[2]});
        shape.push_back(p[3] <= 128 ? 0 : hi < 100 ? 2 : 1);
        // The shell's rim starts at 0.9 of the picture's half-size.
        if (p[3] > 128) {
          ASSERT_LT(germ.radius(x, y), 0.9) << "pokes through the shell at " << x << ", " << y;
        }
        if (p[3] < 250) continue;
        ++solid;
        light += lo >= 170;
        dark += hi <= 90;
        coloured += hi - lo > 40;
      }
    EXPECT_GT(solid, germ.width() * germ.height() / 8) << "too small to read inside a bubble";
    EXPECT_GT(light, solid / 2) << "mostly light, so the kind's tint colours it";
    EXPECT_GT(dark, solid / 12) << "outlined, so it reads once tinted";
    EXPECT_LT(coloured, solid / 50) << "greys only: a colour of its own would fight the tint";
  }
  for (std::size_t a = 0; a < shapes.size(); ++a)
    for (std::size_t b = a + 1; b < shapes.size(); ++b) {
      int differing = 0, solid = 0;
      for (std::size_t i = 0; i < shapes[a].size(); ++i) {
        differing += shapes[a][i] != shapes[b][i];
        solid += shapes[a][i] != 0 || shapes[b][i] != 0;
      }
      EXPECT_GT(differing * 5, solid * 2) << germs[a] << " and " << germs[b] << " look nearly the same";
    }
}

}  // namespace
