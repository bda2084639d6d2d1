#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "support/ScratchDir.h"
#include "fx/Patient.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"

namespace {

const Patient::Placement& part(const Patient::Pose& pose, int limb) {
  for (const Patient::Placement& p : pose.parts) {
    if (p.limb == limb) return p;
  }
  throw std::logic_error("missing limb");
}

TEST(Patient, AtClockZeroEveryPartStandsAtRest) {
  const Patient patientAtRest;
  for (const int list : patientAtRest.limbLists) EXPECT_EQ(list, kNoSprite);
  const Patient::Pose pose = patientAtRest.pose();

  // Drawing order: head, left arm, right arm, left leg, right leg.
  const int order[] = {Patient::kHead, Patient::kLeftArm, Patient::kRightArm, Patient::kLeftLeg,
                       Patient::kRightLeg};
  const float xs[] = {-1.1282f, 1.419f, -3.575f, -0.56f, -1.46f};
  const float ys[] = {5.48f, 3.002f, 3.402f, 0.3f, 0.3f};
  const float sx[] = {1.45f, 0.7f, 0.7f, 0.4f, 0.4f};
  const float sy[] = {0.95f, 0.7f, 0.7f, 0.4f, 0.4f};
  for (int i = 0; i < Patient::kLimbCount; ++i) {
    const Patient::Placement& p = pose.parts[static_cast<std::size_t>(i)];
    SCOPED_TRACE(i);
    EXPECT_EQ(p.limb, order[i]);
    EXPECT_FLOAT_EQ(p.x, xs[i]);
    EXPECT_FLOAT_EQ(p.y, ys[i]);
    EXPECT_FLOAT_EQ(p.tilt, 0.0f);
    EXPECT_FLOAT_EQ(p.scaleX, sx[i]);
    EXPECT_FLOAT_EQ(p.scaleY, sy[i]);
  }
  EXPECT_FLOAT_EQ(pose.smokeOriginY, 2.828f);
}

TEST(Patient, PartsSwayWithinTheirWobblesAndTheLegsFollowTheHead) {
  Patient p;
  float widestTilt = 0.0f;
  for (int frame = 0; frame < 600; ++frame) {
    p.clock = static_cast<float>(frame) / 200.0f;
    const Patient::Pose pose = p.pose();
    const Patient::Placement& head = part(pose, Patient::kHead);
    ASSERT_LE(std::abs(head.tilt), 5.0f);
    widestTilt = std::max(widestTilt, std::abs(head.tilt));
    ASSERT_NEAR(head.y, 5.48f, 0.02f + 1e-6f);
    ASSERT_NEAR(part(pose, Patient::kLeftArm).y, 3.002f, 0.015f + 1e-6f);
    ASSERT_NEAR(part(pose, Patient::kRightArm).y, 3.402f, 0.02f + 1e-6f);
    const float legY = part(pose, Patient::kLeftLeg).y;
    ASSERT_EQ(legY, part(pose, Patient::kRightLeg).y) << "both legs use one height";
    ASSERT_NEAR(legY - 0.3f, head.y - 5.48f, 1e-5f) << "the legs bob with the head";
    for (const Patient::Placement& other : pose.parts) {
      if (other.limb != Patient::kHead) {
        ASSERT_FLOAT_EQ(other.tilt, 0.0f) << "only the head tilts";
      }
    }
  }
  EXPECT_GT(widestTilt, 4.99f);

  // The tilt peaks a quarter period in, at 5 degrees, and repeats every 2 pi / 10 s.
  p.clock = static_cast<float>(M_PI / 20.0);
  EXPECT_NEAR(part(p.pose(), Patient::kHead).tilt, 5.0f, 1e-4f);
  p.clock = 0.3f;
  const float tilt = part(p.pose(), Patient::kHead).tilt;
  p.clock = static_cast<float>(0.3 + 2.0 * M_PI / 10.0);
  EXPECT_NEAR(part(p.pose(), Patient::kHead).tilt, tilt, 1e-4f);
  // The left arm peaks at 0.015 a quarter of its 34.2 rad/s period in.
  p.clock = static_cast<float>(M_PI / (2.0 * 34.2));
  EXPECT_NEAR(part(p.pose(), Patient::kLeftArm).y, 3.017f, 1e-5f);
}

TEST(Patient, TheSmokeRidesBelowTheLeftArmEveryFrame) {
  Patient p;
  for (int frame = 0; frame < 300; ++frame) {
    p.update(frame % 3 == 0 ? 1.0f / 60.0f : 0.021f);
    const float armY = part(p.pose(), Patient::kLeftArm).y;
    ASSERT_NEAR(p.smoke.originY - armY, -0.174f, 1e-6f) << "frame " << frame;
    ASSERT_FLOAT_EQ(p.smoke.originY, p.pose().smokeOriginY);
  }
}

// A texture directory where each body part is its own colour and the smoke is
// white, then the patient's sprites loaded from it.
class PatientDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    window = &GlTestWindow::open();
    assets.solidImage("character_head.tga", 255, 0, 0);
    assets.solidImage("character_armright.tga", 0, 255, 0);
    assets.solidImage("character_armleft.tga", 0, 0, 255);
    assets.solidImage("character_legright.tga", 255, 255, 0);
    assets.solidImage("character_legleft.tga", 255, 0, 255);
    assets.solidImage("smokeParticle.tga", 255, 255, 255);
  }

  Rgba at(float x, float y) const {
    const auto p = GlTestWindow::worldToPixel(x, y);
    return window->pixel(p[0], p[1]);
  }

  GlTestWindow* window = nullptr;
  ScratchDir assets;
  Patient figure;
};

TEST_F(PatientDrawing, EachPartIsDrawnAtItsPlaceAndSize) {
  figure.loadSprites();
  const int depth = GlTestWindow::modelViewDepth();
  window->clear();
  figure.render();

  EXPECT_TRUE(near(at(-1.1282f, 5.48f), 255, 0, 0)) << "head";
  EXPECT_TRUE(near(at(-1.1282f + 0.7f, 5.48f + 0.45f), 255, 0, 0)) << "head is 1.45 x 0.95";
  EXPECT_TRUE(near(at(-1.1282f + 0.75f, 5.48f), 0, 0, 0));
  EXPECT_TRUE(near(at(-1.1282f, 5.48f - 0.5f), 0, 0, 0));
  EXPECT_TRUE(near(at(1.419f, 3.002f), 0, 0, 255)) << "the left arm on the screen's right";
  EXPECT_TRUE(near(at(1.419f + 0.33f, 3.002f - 0.33f), 0, 0, 255));
  EXPECT_TRUE(near(at(1.419f + 0.37f, 3.002f), 0, 0, 0));
  EXPECT_TRUE(near(at(-3.575f, 3.402f), 0, 255, 0)) << "the right arm on the screen's left";
  EXPECT_TRUE(near(at(-3.575f, 3.402f + 0.37f), 0, 0, 0));
  EXPECT_TRUE(near(at(-0.56f, 0.3f), 255, 0, 255)) << "left leg";
  EXPECT_TRUE(near(at(-1.46f, 0.3f), 255, 255, 0)) << "right leg";
  EXPECT_TRUE(near(at(-1.01f, 0.3f), 0, 0, 0)) << "a gap between the legs";
  EXPECT_TRUE(near(at(0.0f, 2.0f), 0, 0, 0)) << "the stomach itself stays clear";

  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);
}

TEST_F(PatientDrawing, DrawingNeverAdvancesTheFigureOrItsSmoke) {
  figure.loadSprites();
  for (int i = 0; i < 10; ++i) {
    window->clear();
    figure.render();
  }
  EXPECT_FLOAT_EQ(figure.clock, 0.0f);
  EXPECT_EQ(figure.smoke.nextSlot, 0);
  for (const SmokeParticle& p : figure.smoke.particles) ASSERT_FALSE(p.active) << "no puff before play";
  EXPECT_TRUE(near(at(1.75f, 2.9f), 0, 0, 255)) << "only the arm shows beside the emission point";
}

TEST_F(PatientDrawing, SmokeRisesFaintlyOverTheArmFromThePointLastDrawn) {
  figure.loadSprites();
  // Without scatter or lift every puff of one update sits on one spot.
  figure.smoke.spread = 0.0f;
  figure.smoke.accelY = 0.0f;
  figure.update(0.12f);
  ASSERT_EQ(figure.smoke.nextSlot, 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_FLOAT_EQ(figure.smoke.particles[static_cast<std::size_t>(i)].x, 1.75f);
    EXPECT_NEAR(figure.smoke.particles[static_cast<std::size_t>(i)].y, 2.828f + 0.4f * 0.12f, 1e-5f)
        << "the first puffs leave from the arm's rest position";
  }

  window->clear();
  figure.render();
  // Five puffs of 0.9 grey at 0.08 opacity over the blue arm: the arm still
  // shows through almost three quarters.
  const double through = std::pow(0.92, 5);
  const int smoke = static_cast<int>(255.0 * 0.9 * (1.0 - through) + 0.5);
  const int blue = static_cast<int>(255.0 * through + 255.0 * 0.9 * (1.0 - through) + 0.5);
  EXPECT_TRUE(near(at(1.75f, 2.828f + 0.048f), smoke, smoke, blue, 4));

  // The next puffs leave from where the arm stood at that drawing.
  const float drawnFrom = figure.pose().smokeOriginY;
  figure.update(0.12f);
  EXPECT_NEAR(figure.smoke.particles[5].y, drawnFrom + 0.4f * 0.12f, 1e-5f);
}

TEST_F(PatientDrawing, LoadingAgainKeepsTheBodyButReloadsTheSmoke) {
  std::fflush(stdout);
  ::testing::internal::CaptureStdout();
  figure.loadSprites();
  std::fflush(stdout);
  const std::string first = ::testing::internal::GetCapturedStdout();
  const auto lists = figure.limbLists;
  const int smokeList = figure.smoke.listId;

  ::testing::internal::CaptureStdout();
  figure.loadSprites();
  std::fflush(stdout);
  const std::string second = ::testing::internal::GetCapturedStdout();

  for (const char* image : {"character_head", "character_armright", "character_armleft", "character_legright",
                            "character_legleft", "smokeParticle"}) {
    EXPECT_NE(first.find(image), std::string::npos) << image;
  }
  EXPECT_EQ(second.find("character_"), std::string::npos) << "body images are read once: " << second;
  EXPECT_NE(second.find("./res/images/smokeParticle.tga"), std::string::npos);
  EXPECT_EQ(figure.limbLists, lists);
  for (const int list : lists) EXPECT_GE(list, 0);
  EXPECT_NE(figure.smoke.listId, smokeList) << "the smoke's quad list is rebuilt";
  EXPECT_FLOAT_EQ(figure.smoke.rate, 45.0f);
  EXPECT_FALSE(figure.smoke.headingFromVelocity) << "puffs take random headings";
}

}  // namespace
