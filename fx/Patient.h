#pragma once
// The patient drawn around the stomach: head, arms and legs swaying on sine
// waves of the patient's own clock, and smoke rising beside the arm on the right
// of the screen. One global object; the frame loads it at start-up, then updates
// and draws it only while playing, so nothing of it moves on the first screens.

#include <array>

#include "assets/SceneLayout.h"
#include "fx/ParticleEmitter.h"

class Patient {
 public:
  // Indices into limbLists, one per body image. "Right" and "left" are the
  // patient's own: the left arm stands on the right of the screen.
  static constexpr int kHead = 0;
  static constexpr int kRightArm = 1;
  static constexpr int kLeftArm = 2;
  static constexpr int kRightLeg = 3;
  static constexpr int kLeftLeg = 4;
  static constexpr int kLimbCount = 5;

  // Where a body picture rests and how far it sways, and where the smoke
  // leaves the left arm's hand: the places the background's windows onto the
  // limbs are cut for.
  using Rig = SceneLayout::Rig;
  static constexpr Rig kHeadRig = SceneLayout::kHeadRig;
  static constexpr Rig kRightArmRig = SceneLayout::kRightArmRig;
  static constexpr Rig kLeftArmRig = SceneLayout::kLeftArmRig;
  static constexpr Rig kRightLegRig = SceneLayout::kRightLegRig;
  static constexpr Rig kLeftLegRig = SceneLayout::kLeftLegRig;
  static constexpr float kSmokeOriginX = SceneLayout::kSmokeOriginX;
  static constexpr double kSmokeRestY = SceneLayout::kSmokeRestY;

  // Where one body part is drawn: translate, turn about z, then scale the unit
  // sprite.
  struct Placement {
    int limb;
    float x, y;  // world units
    float tilt;  // degrees
    float scaleX, scaleY;
  };
  // The whole figure at one moment, in drawing order, and the smoke's emission
  // height that rides with the left arm.
  struct Pose {
    std::array<Placement, kLimbCount> parts;
    float smokeOriginY;
  };

  Patient();

  // Creates the body sprites that do not exist yet, loads the smoke image and
  // sets the smoke up.
  void loadSprites();
  // Ages the patient, lets the smoke emit and drift, then moves the emission
  // point to where the left arm now stands.
  void update(float dt);
  void render() const;
  // The figure at the current clock.
  Pose pose() const;

  std::array<int, kLimbCount> limbLists{};
  float clock = 0.0f;  // seconds of play, the time base of every wobble
  ParticleEmitter smoke;
};

extern Patient patient;
