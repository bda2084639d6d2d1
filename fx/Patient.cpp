#include "fx/Patient.h"

#include <cmath>
#include <cstddef>

#include "assets/AssetTree.h"
#include "gfx/BlendedDrawing.h"
#include "gfx/GlIncludes.h"

Patient patient;

namespace {

// The body pictures in the order of limbLists.
constexpr std::array<const AssetTree::File*, Patient::kLimbCount> kLimbImages = {
    &AssetTree::kHeadImage, &AssetTree::kRightArmImage, &AssetTree::kLeftArmImage, &AssetTree::kRightLegImage,
    &AssetTree::kLeftLegImage};

// The smoke: faint, slightly grey puffs that leave upwards with a small sideways
// scatter and keep rising.
constexpr float kSmokeAccelY = 0.5f;  // world units per s^2, upwards
constexpr float kSmokeSpeedY = 0.4f;  // world units per second
constexpr float kSmokeGrey = 0.9f;
constexpr float kSmokeOpacity = 0.08f;
constexpr float kSmokeRate = 45.0f;    // puffs per second
constexpr float kSmokeSpread = 0.05f;  // world units per second
constexpr float kSmokeRadius = 0.25f;  // world units

// Wobbles: sines of the clock in radians, worked out in double precision.
constexpr double kTiltRate = 10.0;         // radians per second
constexpr double kHeadBobRate = 17.2;      // radians per second
constexpr double kRightArmBobRate = 19.2;  // radians per second
constexpr double kLeftArmBobRate = 34.2;   // radians per second

float wobble(float clock, double rate, double amplitude) {
  return static_cast<float>(std::sin(rate * clock) * amplitude);
}

}  // namespace

Patient::Patient() { limbLists.fill(kNoSprite); }

void Patient::loadSprites() {
  for (std::size_t i = 0; i < limbLists.size(); ++i) {
    int texture = kNoTexture;  // each part loads its own image
    makeSprite(limbLists[i], texture, kLimbImages[i]->path);
  }
  smoke.loadSprite(AssetTree::kSmokeImage.path);
  smoke.originX = kSmokeOriginX;
  smoke.originY = static_cast<float>(kSmokeRestY);
  smoke.accelY = kSmokeAccelY;
  smoke.baseVy = kSmokeSpeedY;
  smoke.colourR = kSmokeGrey;
  smoke.colourG = kSmokeGrey;
  smoke.colourB = kSmokeGrey;
  smoke.colourA = kSmokeOpacity;
  smoke.rate = kSmokeRate;
  smoke.headingFromVelocity = false;
  smoke.spread = kSmokeSpread;
  smoke.particleRadius = kSmokeRadius;
}

Patient::Pose Patient::pose() const {
  const float tilt = wobble(clock, kTiltRate, kHeadRig.tiltDegrees);
  const float headBob = wobble(clock, kHeadBobRate, kHeadRig.bob);
  const float rightArmBob = wobble(clock, kRightArmBobRate, kRightArmRig.bob);
  const float leftArmBob = wobble(clock, kLeftArmBobRate, kLeftArmRig.bob);
  const auto at = [](int limb, const Rig& rig, double bob, float turn) {
    return Placement{limb, rig.x, static_cast<float>(rig.y + bob), turn, rig.width, rig.height};
  };

  Pose result{};
  result.parts = {{
      at(kHead, kHeadRig, headBob, tilt),
      at(kLeftArm, kLeftArmRig, leftArmBob, 0.0f),
      at(kRightArm, kRightArmRig, rightArmBob, 0.0f),
      at(kLeftLeg, kLeftLegRig, headBob, 0.0f),
      at(kRightLeg, kRightLegRig, headBob, 0.0f),
  }};
  result.smokeOriginY = static_cast<float>(kSmokeRestY + leftArmBob);
  return result;
}

void Patient::update(float dt) {
  clock += dt;
  smoke.update(dt);
  // The puffs of the next update leave from where the arm is drawn this frame.
  smoke.originY = pose().smokeOriginY;
}

void Patient::render() const {
  beginBlendedDrawing();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

  for (const Placement& part : pose().parts) {
    glPushMatrix();
    glTranslatef(part.x, part.y, 0.0f);
    glRotatef(part.tilt, 0.0f, 0.0f, 1.0f);
    glScalef(part.scaleX, part.scaleY, 1.0f);
    glCallList(static_cast<GLuint>(limbLists[static_cast<std::size_t>(part.limb)]));
    glPopMatrix();
  }

  endBlendedDrawing();
  glColor3f(1.0f, 1.0f, 1.0f);
  smoke.render();
}
