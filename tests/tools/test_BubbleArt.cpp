// The sprites around the bubbles, judged by what they must do on screen: the
// shell, the special glow and the selection ring leave the germ in view and
// show round the bubble; the spark is a round glint, the smoke a wide puff.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "AssetFiles.h"
#include "assets/AssetTree.h"
#include "fx/Spark.h"

namespace {

// Mean alpha (0..1) on a circle of radius r about the picture's centre, r = 1
// at its edge.
double ringAlpha(const AssetFiles::Picture& picture, double r) {
  double sum = 0.0;
  constexpr int kSteps = 360;
  for (int i = 0; i < kSteps; ++i) {
    const double angle = 2.0 * std::numbers::pi * i / kSteps;
    const int x = static_cast<int>((1.0 + r * std::cos(angle)) * 0.5 * picture.width);
    const int y = static_cast<int>((1.0 + r * std::sin(angle)) * 0.5 * picture.height);
    sum += picture.at(std::min(x, picture.width - 1), std::min(y, picture.height - 1))[3];
  }
  return sum / (255.0 * kSteps);
}

TEST(BubbleArt, TheGermShowsThroughTheShellGlowAndSelectionWhichShowRoundIt) {
  // Radii: 1 at the picture's edge. The glow square is kGlowWidthPerRadius
  // bubble radii wide, so the bubble's edge there lies at 2 / that.
  constexpr double kGlowEdge = 2.0 / AssetTree::kGlowWidthPerRadius;
  struct Sprite {
    const AssetTree::File& file;
    double germR, mostOverGerm, bandFrom, bandTo, leastInBand;
  };
  for (const Sprite& s :
       {Sprite{AssetTree::kBubbleImage, 0.2, 0.3, 0.8, 0.98, 0.6},
        Sprite{AssetTree::kGlowImage, 0.4 * kGlowEdge, 0.1, 1.06 * kGlowEdge, 1.1 * kGlowEdge, 0.5},
        Sprite{AssetTree::kSelectionImage, 0.2, 0.01, 0.5, 0.95, 0.5}}) {
    SCOPED_TRACE(s.file.path);
    const AssetFiles::Picture picture(s.file);
    EXPECT_LT(ringAlpha(picture, s.germR), s.mostOverGerm) << "the germ would be hidden";
    double band = 0.0;
    for (double r = s.bandFrom; r <= s.bandTo; r += 0.01) band = std::max(band, ringAlpha(picture, r));
    EXPECT_GT(band, s.leastInBand) << "nothing shows round the bubble";
  }
}

// The extent, in pixels, of the run of texels at least half opaque through the
// picture's centre along x (or y).
int opaqueRun(const AssetFiles::Picture& picture, bool alongX) {
  int run = 0;
  for (int i = 0; i < (alongX ? picture.width : picture.height); ++i)
    run += (alongX ? picture.at(i, picture.height / 2) : picture.at(picture.width / 2, i))[3] >= 128;
  return run;
}

TEST(BubbleArt, TheSparkIsARoundGlintAndTheSmokeAWidePuff) {
  // The spark picture has its quad's proportions, so its pixels are square on
  // screen: its bright area must be about as wide as long, or a hundred of them
  // flying apart read as scratches.
  const AssetFiles::Picture spark(AssetTree::kSparkImage);
  EXPECT_EQ(spark.width * Spark::kWidthPerScale, spark.height * Spark::kLengthPerScale);
  const double length = opaqueRun(spark, true), thickness = opaqueRun(spark, false);
  EXPECT_GT(thickness, spark.height / 4) << "the core is too small to see";
  EXPECT_NEAR(length / thickness, 1.0, 0.4) << "a bar, not a glint";
  // The game draws a puff small and at 8 % opacity, so it must fill most of
  // its square to show.
  const AssetFiles::Picture smoke(AssetTree::kSmokeImage);
  EXPECT_GE(opaqueRun(smoke, true), smoke.width * 2 / 3) << "too narrow: a wisp, not a puff";
  EXPECT_GE(opaqueRun(smoke, false), smoke.height * 2 / 3) << "too short: a wisp, not a puff";
}

}  // namespace
