#include <gtest/gtest.h>

#include <cmath>

#include "fx/Patient.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"

namespace {

// Where each part rests, in drawing order, and how its height bobs: by bob
// world units on a sine of rate radians per second of the patient's clock.
struct Rest {
  int limb;
  float x, y, scaleX, scaleY;
  double bob, rate;
};
const Rest kRest[] = {
    {Patient::kHead, -1.1282f, 5.48f, 1.45f, 0.95f, 0.02, 17.2},
    {Patient::kLeftArm, 1.419f, 3.002f, 0.7f, 0.7f, 0.015, 34.2},
    {Patient::kRightArm, -3.575f, 3.402f, 0.7f, 0.7f, 0.02, 19.2},
    {Patient::kLeftLeg, -0.56f, 0.3f, 0.4f, 0.4f, 0.02, 17.2},  // the legs bob with the head
    {Patient::kRightLeg, -1.46f, 0.3f, 0.4f, 0.4f, 0.02, 17.2},
};

TEST(Patient, PartsStandAtTheirPlacesAndSwayOnTheirOwnWaves) {
  Patient p;
  for (const float clock : {0.0f, 0.13f, 0.71f, 2.9f}) {
    p.clock = clock;
    const Patient::Pose pose = p.pose();
    for (std::size_t i = 0; i < pose.parts.size(); ++i) {
      const Rest& rest = kRest[i];
      const Patient::Placement& part = pose.parts[i];
      SCOPED_TRACE(::testing::Message() << "part " << i << " at clock " << clock);
      EXPECT_EQ(part.limb, rest.limb);
      EXPECT_FLOAT_EQ(part.x, rest.x);
      EXPECT_NEAR(part.y, rest.y + rest.bob * std::sin(rest.rate * clock), 1e-5);
      EXPECT_NEAR(part.tilt, i == 0 ? 5.0 * std::sin(10.0 * clock) : 0.0, 1e-4)
          << "only the head tilts, by up to 5 degrees";
      EXPECT_FLOAT_EQ(part.scaleX, rest.scaleX);
      EXPECT_FLOAT_EQ(part.scaleY, rest.scaleY);
    }
  }
}

TEST(Patient, TheSmokeRidesBelowTheLeftArmEveryFrame) {
  Patient p;
  for (int frame = 0; frame < 300; ++frame) {
    p.update(frame % 3 == 0 ? 1.0f / 60.0f : 0.021f);
    ASSERT_NEAR(p.smoke.originY - p.pose().parts[1].y, -0.174f, 1e-6f) << "frame " << frame;
  }
}

// Each body part in its own colour and the smoke white, loaded from a scratch
// resource tree.
class PatientDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    assets.solidImage("character_head.tga", 255, 0, 0);
    assets.solidImage("character_armright.tga", 0, 255, 0);
    assets.solidImage("character_armleft.tga", 0, 0, 255);
    assets.solidImage("character_legright.tga", 255, 255, 0);
    assets.solidImage("character_legleft.tga", 255, 0, 255);
    assets.solidImage("smokeParticle.tga", 255, 255, 255);
    figure.loadSprites();
  }
  Rgba at(float x, float y) const {
    const auto p = GlTestWindow::worldToPixel(x, y);
    return window.pixel(p[0], p[1]);
  }

  GlTestWindow& window = GlTestWindow::open();
  ScratchDir assets;
  Patient figure;
};

TEST_F(PatientDrawing, EachPartIsDrawnAtItsPlaceAndSizeAndDrawingMovesNothing) {
  for (int frame = 0; frame < 3; ++frame) {
    window.clear();
    figure.render();
  }
  struct Probe {
    float x, y;
    int r, g, b;
    const char* what;
  };
  const Probe probes[] = {
      {-1.1282f, 5.48f, 255, 0, 0, "head"},
      {-1.1282f + 0.7f, 5.48f + 0.45f, 255, 0, 0, "the head is 1.45 x 0.95"},
      {-1.1282f + 0.75f, 5.48f, 0, 0, 0, "right of the head"},
      {1.419f, 3.002f, 0, 0, 255, "the left arm, on the screen's right"},
      {1.419f + 0.33f, 3.002f - 0.33f, 0, 0, 255, "the arms are 0.7 across"},
      {1.419f + 0.37f, 3.002f, 0, 0, 0, "right of the left arm"},
      {-3.575f, 3.402f, 0, 255, 0, "the right arm, on the screen's left"},
      {-0.56f, 0.3f, 255, 0, 255, "left leg"},
      {-1.46f, 0.3f, 255, 255, 0, "right leg"},
      {-1.01f, 0.3f, 0, 0, 0, "the gap between the legs"},
      {0.0f, 2.0f, 0, 0, 0, "the stomach stays clear"},
  };
  for (const Probe& probe : probes)
    EXPECT_TRUE(near(at(probe.x, probe.y), probe.r, probe.g, probe.b)) << probe.what;
  EXPECT_FLOAT_EQ(figure.clock, 0.0f) << "drawing must not age the patient";
  EXPECT_EQ(figure.smoke.nextSlot, 0) << "drawing must not emit smoke";
}

TEST_F(PatientDrawing, SmokeRisesFaintlyOverTheArmFromThePointLastDrawn) {
  // Without scatter or lift every puff of one update sits on one spot.
  figure.smoke.spread = 0.0f;
  figure.smoke.accelY = 0.0f;
  figure.update(0.12f);
  ASSERT_EQ(figure.smoke.nextSlot, 5);
  for (int i = 0; i < 5; ++i) {
    const SmokeParticle& puff = figure.smoke.particles[static_cast<std::size_t>(i)];
    EXPECT_FLOAT_EQ(puff.x, 1.75f);
    EXPECT_NEAR(puff.y, 2.828f + 0.4f * 0.12f, 1e-5f) << "the first puffs leave from the arm's rest position";
  }

  const int depth = GlTestWindow::modelViewDepth();
  window.clear();
  figure.render();
  // Five puffs of 0.9 grey at 0.08 opacity over the blue arm: the arm still
  // shows through almost three quarters.
  const double through = std::pow(0.92, 5);
  const int smoke = static_cast<int>(255.0 * 0.9 * (1.0 - through) + 0.5);
  const int blue = static_cast<int>(255.0 * through + 255.0 * 0.9 * (1.0 - through) + 0.5);
  EXPECT_TRUE(near(at(1.75f, 2.828f + 0.048f), smoke, smoke, blue, 4));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);

  // The next puffs leave from where the arm stood at that drawing.
  const float drawnFrom = figure.pose().smokeOriginY;
  figure.update(0.12f);
  EXPECT_NEAR(figure.smoke.particles[5].y, drawnFrom + 0.4f * 0.12f, 1e-5f);
}

}  // namespace
