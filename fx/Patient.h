#pragma once
// The patient drawn around the stomach: head, arms and legs swaying on sine
// waves of the patient's own clock, and smoke rising beside the arm on the right
// of the screen. One global object; the frame loads it at start-up, then updates
// and draws it only while playing, so nothing of it moves on the first screens.

#include <array>

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

  // Where a body picture rests and how far it sways: its centre and size in
  // world units, the largest turn either way in degrees and the largest bob
  // either way in world units. The background's windows onto the limbs are
  // drawn from the same numbers. The x positions and sizes are single-precision;
  // the heights are double and take the bob before rounding to a float.
  struct Rig {
    float x;
    double y;
    float width;
    float height;
    double tiltDegrees;
    double bob;
  };
  static constexpr Rig kHeadRig{-1.1282f, 5.48, 1.45f, 0.95f, 5.0, 0.02};
  static constexpr Rig kRightArmRig{-3.575f, 3.402, 0.7f, 0.7f, 0.0, 0.02};
  static constexpr Rig kLeftArmRig{1.419f, 3.002, 0.7f, 0.7f, 0.0, 0.015};
  // The legs bob with the head.
  static constexpr Rig kRightLegRig{-1.46f, 0.3, 0.4f, 0.4f, 0.0, kHeadRig.bob};
  static constexpr Rig kLeftLegRig{-0.56f, 0.3, 0.4f, 0.4f, 0.0, kHeadRig.bob};
  // The smoke leaves the left arm's hand here, world units, arm at rest.
  static constexpr float kSmokeOriginX = 1.75f;
  static constexpr double kSmokeRestY = 2.828;

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
