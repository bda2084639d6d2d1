// The sprites around the bubbles, judged by what they must do on screen: the
// shell lets the germ show, the special glow rings the bubble without hiding
// it, the selection ring has gaps so its spin shows, the spark is a round
// glint and the smoke a wide soft puff.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "SpritePicture.h"
#include "fx/Spark.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Mean alpha on a circle of radius r about the picture's centre.
double ringAlpha(const SpritePicture& picture, double r) {
  double sum = 0.0;
  constexpr int kSteps = 360;
  for (int i = 0; i < kSteps; ++i) sum += picture.alphaAt(r, 2.0 * kPi * i / kSteps);
  return sum / kSteps;
}

TEST(BubbleArt, TheShellIsClearInsideWithARim) {
  const SpritePicture shell("diseaseBubble.tga");
  const double centre = ringAlpha(shell, 0.2);
  EXPECT_LT(centre, 0.3) << "the germ would be hidden";
  EXPECT_GT(centre, 0.02) << "a bubble with no film reads as a ring";
  double rim = 0.0;
  for (double r = 0.8; r < 0.98; r += 0.01) rim = std::max(rim, ringAlpha(shell, r));
  EXPECT_GT(rim, 0.6) << "no rim to read the bubble's edge by";
  // A highlight: somewhere inside, a spot far more opaque than the film.
  double brightest = 0.0;
  for (double r = 0.3; r < 0.8; r += 0.05)
    for (int i = 0; i < 72; ++i) brightest = std::max(brightest, shell.alphaAt(r, 2.0 * kPi * i / 72));
  EXPECT_GT(brightest, 0.7);
}

TEST(BubbleArt, TheGlowRingsTheBubbleWithoutHidingIt) {
  // The glow square is 1.75 bubble diameters wide: the bubble covers the inner
  // 1 / 1.75 of it.
  const SpritePicture glow("specialGlow.tga");
  const double bubbleEdge = 1.0 / 1.75;
  EXPECT_LT(ringAlpha(glow, bubbleEdge * 0.4), 0.1) << "the glow covers the germ";
  EXPECT_GT(ringAlpha(glow, bubbleEdge + 0.06), 0.5) << "no halo round the bubble";
  EXPECT_LT(ringAlpha(glow, 0.95), ringAlpha(glow, 0.75)) << "the glow should fade outwards";
}

TEST(BubbleArt, TheSelectionRingHasGapsSoItsSpinShows) {
  const SpritePicture ring("selection.tga");
  // Along the ring, find the band's radius, then walk round it.
  double bestR = 0.0, best = 0.0;
  for (double r = 0.5; r < 0.95; r += 0.01)
    if (ringAlpha(ring, r) > best) {
      best = ringAlpha(ring, r);
      bestR = r;
    }
  int solid = 0, open = 0, switches = 0;
  bool last = ring.alphaAt(bestR, 0.0) > 0.5;
  for (int i = 0; i < 720; ++i) {
    const bool on = ring.alphaAt(bestR, 2.0 * kPi * i / 720) > 0.5;
    (on ? solid : open)++;
    switches += on != last;
    last = on;
  }
  EXPECT_GT(solid, 720 / 2) << "mostly ring";
  EXPECT_GT(open, 720 / 10) << "with real gaps";
  EXPECT_GE(switches, 6) << "at least three gaps";
  EXPECT_LT(ringAlpha(ring, 0.2), 0.01) << "the selected bubble stays visible inside";
}

// The extent, in pixels, of the run of texels at least half opaque through the
// picture's centre along (dx, dy).
int opaqueRun(const SpritePicture& picture, int dx, int dy) {
  int run = 0;
  for (int x = 0, y = 0; x < picture.width() && y < picture.height(); x += dx, y += dy) {
    const int px = dx ? x : picture.width() / 2, py = dy ? y : picture.height() / 2;
    run += picture.at(px, py)[3] >= 128;
  }
  return run;
}

TEST(BubbleArt, TheSparkIsARoundGlintAndTheSmokeAWideSoftPuff) {
  // The spark picture has its quad's proportions, so its pixels are square on
  // screen: its bright area must be about as wide as long, or a hundred of them
  // flying apart read as scratches. Bright in the middle, clear around it.
  const SpritePicture spark("popBubble2.tga");
  EXPECT_EQ(spark.width() * Spark::kWidthPerScale, spark.height() * Spark::kLengthPerScale);
  EXPECT_GT(spark.alphaAt(0.0, 0.0), 0.9) << "no bright core";
  const double length = opaqueRun(spark, 1, 0), thickness = opaqueRun(spark, 0, 1);
  EXPECT_GT(thickness, spark.height() / 4) << "the core is too small to see";
  EXPECT_NEAR(length / thickness, 1.0, 0.4) << "a bar, not a glint";
  double coverage = 0.0;
  for (int y = 0; y < spark.height(); ++y)
    for (int x = 0; x < spark.width(); ++x) coverage += spark.at(x, y)[3] / 255.0;
  EXPECT_LT(coverage / (spark.width() * spark.height()), 0.2) << "the glint should be mostly clear";

  // The game draws a puff small and at 8 % opacity, so it must fill most of its
  // square to show, and fade out softly so the puffs blend into one plume.
  const SpritePicture smoke("smokeParticle.tga");
  EXPECT_GT(smoke.alphaAt(0.0, 0.0), 0.8) << "a puff is dense in its middle";
  EXPECT_GE(opaqueRun(smoke, 1, 0), smoke.width() * 2 / 3) << "too narrow: a wisp, not a puff";
  EXPECT_GE(opaqueRun(smoke, 0, 1), smoke.height() * 2 / 3) << "too short: a wisp, not a puff";
  EXPECT_LT(ringAlpha(smoke, 0.95), ringAlpha(smoke, 0.3)) << "soft towards its edge";
  // Soft: between neighbours the opacity changes by under a quarter, so the
  // fade from dense to clear takes at least an eighth of the puff's width.
  int steepest = 0;
  for (int y = 1; y < smoke.height(); ++y)
    for (int x = 1; x < smoke.width(); ++x)
      steepest = std::max({steepest, std::abs(smoke.at(x, y)[3] - smoke.at(x - 1, y)[3]),
                           std::abs(smoke.at(x, y)[3] - smoke.at(x, y - 1)[3])});
  EXPECT_LT(steepest, 64) << "a hard edge would show on every puff";
}

}  // namespace
