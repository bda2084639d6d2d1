#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "fx/Patient.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"
#include "support/ScriptedRandom.h"

namespace {

TEST(Patient, EveryPartSwaysALittleOnlyTheHeadTurnsAndTheSmokeRidesWithTheLeftArm) {
  Patient p;
  const Patient::Pose rest = p.pose();
  ASSERT_EQ(rest.parts[1].limb, Patient::kLeftArm);
  std::array<float, Patient::kLimbCount + 1> most{};  // each part's largest bob, then the head's turn
  for (int frame = 0; frame < 120; ++frame) {
    p.update(frame % 3 == 0 ? 1.0f / 60.0f : 0.021f);
    const Patient::Pose pose = p.pose();
    ASSERT_NEAR(p.smoke.originY - pose.parts[1].y, -0.174f, 1e-6f) << "frame " << frame;
    for (std::size_t i = 0; i < pose.parts.size(); ++i) {
      const Patient::Placement &now = pose.parts[i], &was = rest.parts[i];
      ASSERT_TRUE(now.limb == was.limb && now.x == was.x && now.scaleX == was.scaleX &&
                  now.scaleY == was.scaleY && std::fabs(now.y - was.y) <= 0.02f + 1e-6f &&
                  std::fabs(now.tilt) <= (i == 0 ? 5.0f : 0.0f))
          << "part " << i << " went too far in frame " << frame;
      most[i] = std::max(most[i], std::fabs(now.y - was.y));
    }
    most.back() = std::max(most.back(), std::fabs(pose.parts[0].tilt) / 100);
  }
  for (float swing : most)
    EXPECT_GT(swing, 0.01f) << "a part stood still for two seconds, or the head never turned";
}

TEST(PatientDrawing, EachPartShowsAtItsPlaceAndSizeAndTheSmokeRisesFaintlyFromThePointLastDrawn) {
  // Each body part in its own colour and the smoke white.
  GlTestWindow& window = GlTestWindow::open();
  ScratchDir assets;
  struct Part {
    const char* image;
    const Patient::Rig& rig;
    int r, g, b;
  };
  const Part parts[] = {{"character_head.tga", Patient::kHeadRig, 255, 0, 0},
                        {"character_armleft.tga", Patient::kLeftArmRig, 0, 0, 255},
                        {"character_armright.tga", Patient::kRightArmRig, 0, 255, 0},
                        {"character_legleft.tga", Patient::kLeftLegRig, 255, 0, 255},
                        {"character_legright.tga", Patient::kRightLegRig, 255, 255, 0}};
  for (const Part& part : parts) assets.solidImage(part.image, part.r, part.g, part.b);
  assets.solidImage("smokeParticle.tga", 255, 255, 255);
  Patient figure;
  figure.loadSprites();
  auto shows = [&window](float x, float y, int r, int g, int b, int tolerance = 8) {
    const auto p = GlTestWindow::worldToPixel(x, y);
    return near(window.pixel(p[0], p[1]), r, g, b, tolerance) << " at (" << x << ", " << y << ")";
  };
  window.clear();
  figure.render();
  // Each part fills its rig's rectangle (to 0.03 inside its top-right corner, not
  // 0.05 past its right edge), where the background opens onto it.
  for (const Part& part : parts) {
    const auto [x, y, width, height, tilt, bob] = part.rig;
    const auto centreY = static_cast<float>(y), right = x + width / 2.0f;
    EXPECT_TRUE(shows(x, centreY, part.r, part.g, part.b) &&
                shows(right - 0.03f, centreY + height / 2.0f - 0.03f, part.r, part.g, part.b) &&
                shows(right + 0.05f, centreY, 0, 0, 0))
        << part.image;
  }
  EXPECT_TRUE(shows(0.0f, 2.0f, 0, 0, 0)) << "the stomach stays clear";
  EXPECT_TRUE(figure.clock == 0.0f && figure.smoke.nextSlot == 0)
      << "drawing aged the patient or emitted smoke";

  // Without scatter or lift every puff of one update sits on one spot: five
  // puffs of 0.9 grey at 0.08 opacity over the blue arm, risen for 0.12 s from
  // the arm's rest height; the arm still shows through almost three quarters.
  // Each puff is the unit square turned by its heading, 45 degrees here, then
  // squeezed to 0.35 by 0.75 of its radius: a tall diamond.
  figure.smoke.spread = 0.0f;
  figure.smoke.accelY = 0.0f;
  ScriptedRandom headings(45);  // every draw 45: each puff turned 45 degrees
  figure.update(0.12f);
  ASSERT_EQ(figure.smoke.nextSlot, 5);
  const int depth = GlTestWindow::modelViewDepth();
  window.clear();
  figure.render();
  const double through = std::pow(0.92, 5);
  const int smoke = static_cast<int>(255.0 * 0.9 * (1.0 - through) + 0.5);
  const int underSmoke = static_cast<int>(255.0 * through) + smoke;
  const float puffX = Patient::kSmokeOriginX, puffY = static_cast<float>(Patient::kSmokeRestY) + 0.4f * 0.12f;
  EXPECT_TRUE(shows(puffX, puffY, smoke, smoke, underSmoke, 4)) << "the five puffs";
  EXPECT_TRUE(shows(puffX, puffY + 0.11f, smoke, smoke, underSmoke, 4)) << "the diamond's top";
  EXPECT_TRUE(shows(puffX - 0.05f, puffY + 0.08f, 0, 0, 255)) << "beside the diamond's top";
  EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_ALPHA_TEST) || glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);
  // The next puffs leave from where the arm stood at that drawing.
  const float drawnFrom = figure.pose().smokeOriginY;
  figure.update(0.12f);
  EXPECT_NEAR(figure.smoke.particles[5].y, drawnFrom + 0.4f * 0.12f, 1e-5f);
}

}  // namespace
