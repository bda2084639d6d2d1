#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "fx/Patient.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"

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
  // Each body part in its own colour and the smoke white, from a scratch
  // resource tree.
  GlTestWindow& window = GlTestWindow::open();
  ScratchDir assets;
  assets.solidImage("character_head.tga", 255, 0, 0);
  assets.solidImage("character_armright.tga", 0, 255, 0);
  assets.solidImage("character_armleft.tga", 0, 0, 255);
  assets.solidImage("character_legright.tga", 255, 255, 0);
  assets.solidImage("character_legleft.tga", 255, 0, 255);
  assets.solidImage("smokeParticle.tga", 255, 255, 255);
  Patient figure;
  figure.loadSprites();
  auto shows = [&window](float x, float y, int r, int g, int b, int tolerance = 8) {
    const auto p = GlTestWindow::worldToPixel(x, y);
    return near(window.pixel(p[0], p[1]), r, g, b, tolerance) << " at (" << x << ", " << y << ")";
  };
  for (int frame = 0; frame < 3; ++frame) {
    window.clear();
    figure.render();
  }
  // Each part fills its rig's rectangle, where the background opens onto it.
  constexpr float kInside = 0.03f, kOutside = 0.05f;  // world units from an edge
  struct Part {
    const char* name;
    const Patient::Rig& rig;
    int r, g, b;
  };
  for (const Part& part : {Part{"head", Patient::kHeadRig, 255, 0, 0},
                           {"left arm", Patient::kLeftArmRig, 0, 0, 255},
                           {"right arm", Patient::kRightArmRig, 0, 255, 0},
                           {"left leg", Patient::kLeftLegRig, 255, 0, 255},
                           {"right leg", Patient::kRightLegRig, 255, 255, 0}}) {
    const auto [x, y, width, height, tilt, bob] = part.rig;
    const float top = static_cast<float>(y) + height / 2.0f;
    EXPECT_TRUE(shows(x, static_cast<float>(y), part.r, part.g, part.b)) << part.name;
    EXPECT_TRUE(shows(x + width / 2.0f - kInside, top - kInside, part.r, part.g, part.b))
        << part.name << " corner";
    EXPECT_TRUE(shows(x + width / 2.0f + kOutside, static_cast<float>(y), 0, 0, 0))
        << "right of the " << part.name;
  }
  EXPECT_TRUE(shows(0.0f, 2.0f, 0, 0, 0)) << "the stomach stays clear";
  EXPECT_TRUE(figure.clock == 0.0f && figure.smoke.nextSlot == 0)
      << "drawing aged the patient or emitted smoke";

  // Without scatter or lift every puff of one update sits on one spot: five
  // puffs of 0.9 grey at 0.08 opacity over the blue arm, risen for 0.12 s from
  // the arm's rest height; the arm still shows through almost three quarters.
  figure.smoke.spread = 0.0f;
  figure.smoke.accelY = 0.0f;
  figure.update(0.12f);
  ASSERT_EQ(figure.smoke.nextSlot, 5);
  const int depth = GlTestWindow::modelViewDepth();
  window.clear();
  figure.render();
  const double through = std::pow(0.92, 5);
  const int smoke = static_cast<int>(255.0 * 0.9 * (1.0 - through) + 0.5);
  EXPECT_TRUE(shows(Patient::kSmokeOriginX, static_cast<float>(Patient::kSmokeRestY) + 0.4f * 0.12f, smoke,
                    smoke, static_cast<int>(255.0 * through) + smoke, 4));
  EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_ALPHA_TEST) || glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);
  // The next puffs leave from where the arm stood at that drawing.
  const float drawnFrom = figure.pose().smokeOriginY;
  figure.update(0.12f);
  EXPECT_NEAR(figure.smoke.particles[5].y, drawnFrom + 0.4f * 0.12f, 1e-5f);
}

}  // namespace
