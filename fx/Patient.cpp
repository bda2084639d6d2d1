#include "fx/Patient.h"

#include <cmath>
#include <cstddef>

#include "gfx/BlendedDrawing.h"
#include "gfx/GlIncludes.h"

Patient patient;

namespace {

const std::array<const char*, Patient::kLimbCount> kLimbImages = {
    "./res/images/character_head.tga", "./res/images/character_armright.tga",
    "./res/images/character_armleft.tga", "./res/images/character_legright.tga",
    "./res/images/character_legleft.tga"};
const char* const kSmokeImage = "./res/images/smokeParticle.tga";

// The smoke: faint, slightly grey puffs that leave upwards with a small sideways
// scatter and keep rising.
constexpr float kSmokeOriginX = 1.75f;  // world units
constexpr double kSmokeRestY = 2.828;   // world units, before the arm's bob
constexpr float kSmokeAccelY = 0.5f;    // world units per s^2, upwards
constexpr float kSmokeSpeedY = 0.4f;    // world units per second
constexpr float kSmokeGrey = 0.9f;
constexpr float kSmokeOpacity = 0.08f;
constexpr float kSmokeRate = 45.0f;    // puffs per second
constexpr float kSmokeSpread = 0.05f;  // world units per second
constexpr float kSmokeRadius = 0.25f;  // world units

// Wobbles: sines of the clock in radians, worked out in double precision.
constexpr double kTiltRate = 10.0;  // radians per second
constexpr double kTiltDegrees = 5.0;
constexpr double kHeadBobRate = 17.2;      // radians per second
constexpr double kHeadBob = 0.02;          // world units
constexpr double kRightArmBobRate = 19.2;  // radians per second
constexpr double kRightArmBob = 0.02;      // world units
constexpr double kLeftArmBobRate = 34.2;   // radians per second
constexpr double kLeftArmBob = 0.015;      // world units

// Rest places. The x positions and scales are single-precision constants; the
// heights are double and take the bob before rounding to a float.
constexpr float kHeadX = -1.1282f;
constexpr double kHeadY = 5.48;
constexpr float kHeadScaleX = 1.45f;
constexpr float kHeadScaleY = 0.95f;
constexpr float kLeftArmX = 1.419f;
constexpr double kLeftArmY = 3.002;
constexpr float kRightArmX = -3.575f;
constexpr double kRightArmY = 3.402;
constexpr float kArmScale = 0.7f;
constexpr float kLeftLegX = -0.56f;
constexpr float kRightLegX = -1.46f;
constexpr double kLegY = 0.3;  // the legs bob with the head
constexpr float kLegScale = 0.4f;

float wobble(float clock, double rate, double amplitude) {
  return static_cast<float>(std::sin(rate * clock) * amplitude);
}

}  // namespace

Patient::Patient() { limbLists.fill(kNoSprite); }

void Patient::loadSprites() {
  for (std::size_t i = 0; i < limbLists.size(); ++i) makeSprite(limbLists[i], kLimbImages[i]);
  smoke.loadSprite(kSmokeImage);
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
  const float tilt = wobble(clock, kTiltRate, kTiltDegrees);
  const float headBob = wobble(clock, kHeadBobRate, kHeadBob);
  const float rightArmBob = wobble(clock, kRightArmBobRate, kRightArmBob);
  const float leftArmBob = wobble(clock, kLeftArmBobRate, kLeftArmBob);
  const float legY = static_cast<float>(headBob + kLegY);

  Pose result{};
  result.parts = {{
      {kHead, kHeadX, static_cast<float>(kHeadY + headBob), tilt, kHeadScaleX, kHeadScaleY},
      {kLeftArm, kLeftArmX, static_cast<float>(kLeftArmY + leftArmBob), 0.0f, kArmScale, kArmScale},
      {kRightArm, kRightArmX, static_cast<float>(kRightArmY + rightArmBob), 0.0f, kArmScale, kArmScale},
      {kLeftLeg, kLeftLegX, legY, 0.0f, kLegScale, kLegScale},
      {kRightLeg, kRightLegX, legY, 0.0f, kLegScale, kLegScale},
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
