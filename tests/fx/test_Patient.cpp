#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <numbers>
#include <string>

#include "assets/AssetTree.h"
#include "fx/Patient.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"
#include "support/ScriptedRandom.h"

namespace {

// The four wobbles, sines of the patient's clock: the head's turn in degrees,
// the bobs of the head (the legs bob with it), right and left arm in world units,
// each seen on a peak where the other three stand well clear of theirs, so no
// two rates or reaches can be mixed up unseen.
TEST(Patient,
     EachPartSwaysAtItsOwnRateAndReachTheLegsWithTheHeadOnlyTheHeadTurnsAndTheSmokeRidesWithTheLeftArm) {
  struct Wobble {
    const char* what;
    double rate, reach;  // radians per second; degrees or world units
    int peak;            // the clock looked at is the peak after this many half turns
  };
  const Wobble wobbles[] = {{"the head's turn", 10.0, 5.0, 3},
                            {"the head's bob", 17.2, 0.02, 3},
                            {"the right arm's bob", 19.2, 0.02, 13},
                            {"the left arm's bob", 34.2, 0.015, 17}};
  const Patient::Pose rest = Patient().pose();
  for (const Wobble& peaking : wobbles) {
    Patient p;
    p.update(static_cast<float>((std::numbers::pi / 2.0 + peaking.peak * std::numbers::pi) / peaking.rate));
    const Patient::Pose pose = p.pose();
    const auto& [head, leftArm, rightArm, leftLeg, rightLeg] = pose.parts;
    // What the patient draws, in the order of the wobbles; then the legs.
    const double drawn[] = {head.tilt, head.y - rest.parts[0].y, rightArm.y - rest.parts[2].y,
                            leftArm.y - rest.parts[1].y};
    SCOPED_TRACE(std::string("at the peak of ") + peaking.what + ", clock " + std::to_string(p.clock));
    for (std::size_t k = 0; k < std::size(wobbles); ++k)
      EXPECT_NEAR(drawn[k], wobbles[k].reach * std::sin(wobbles[k].rate * p.clock), wobbles[k].reach * 1e-4)
          << wobbles[k].what << " is off its sine";
    for (const Patient::Placement* leg : {&leftLeg, &rightLeg})
      EXPECT_NEAR(leg->y - 0.3f, drawn[1], 1e-6) << "a leg does not bob with the head";
    EXPECT_NEAR(p.smoke.originY - leftArm.y, -0.174f, 1e-6f) << "the smoke left the left arm's hand";
    for (std::size_t i = 0; i < pose.parts.size(); ++i) {
      const Patient::Placement &now = pose.parts[i], &was = rest.parts[i];
      EXPECT_TRUE(now.limb == was.limb && now.x == was.x && now.scaleX == was.scaleX &&
                  now.scaleY == was.scaleY && (i == 0 || now.tilt == 0.0f))
          << "part " << i << " moved sideways, changed size or turned";
    }
  }
}

TEST(PatientDrawing, EachPartShowsAtItsPlaceAndSizeAndTheSmokeRisesFaintlyFromThePointLastDrawn) {
  // Each body part in its own colour and the smoke white.
  GlTestWindow& window = GlTestWindow::open();
  ScratchDir assets;
  struct Part {
    const AssetTree::File& image;
    const Patient::Rig& rig;
    int r, g, b;
  };
  const Part parts[] = {{AssetTree::kHeadImage, Patient::kHeadRig, 255, 0, 0},
                        {AssetTree::kLeftArmImage, Patient::kLeftArmRig, 0, 0, 255},
                        {AssetTree::kRightArmImage, Patient::kRightArmRig, 0, 255, 0},
                        {AssetTree::kLeftLegImage, Patient::kLeftLegRig, 255, 0, 255},
                        {AssetTree::kRightLegImage, Patient::kRightLegRig, 255, 255, 0}};
  for (const Part& part : parts) assets.solidImage(part.image, part.r, part.g, part.b);
  assets.solidImage(AssetTree::kSmokeImage, 255, 255, 255);
  Patient figure;
  figure.loadSprites();
  window.clear();
  figure.render();
  // Each part fills its rig's rectangle (to 0.03 inside its top-right corner, not
  // 0.05 past its right edge), where the background opens onto it.
  for (const Part& part : parts) {
    const auto [x, y, width, height, tilt, bob] = part.rig;
    const auto centreY = static_cast<float>(y), right = x + width / 2.0f;
    EXPECT_TRUE(window.shows(x, centreY, part.r, part.g, part.b) &&
                window.shows(right - 0.03f, centreY + height / 2.0f - 0.03f, part.r, part.g, part.b) &&
                window.shows(right + 0.05f, centreY, 0, 0, 0))
        << part.image.path;
  }
  EXPECT_TRUE(window.shows(0.0f, 2.0f, 0, 0, 0)) << "the stomach stays clear";
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
  EXPECT_TRUE(window.shows(puffX, puffY, smoke, smoke, underSmoke, 4)) << "the five puffs";
  EXPECT_TRUE(window.shows(puffX, puffY + 0.11f, smoke, smoke, underSmoke, 4)) << "the diamond's top";
  EXPECT_TRUE(window.shows(puffX - 0.05f, puffY + 0.08f, 0, 0, 255)) << "beside the diamond's top";
  EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_ALPHA_TEST) || glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);
  // The next puffs leave from where the arm stood at that drawing.
  const float drawnFrom = figure.pose().smokeOriginY;
  figure.update(0.12f);
  EXPECT_NEAR(figure.smoke.particles[5].y, drawnFrom + 0.4f * 0.12f, 1e-5f);
}

}  // namespace
