#pragma once
// Where the game puts the patient's five body pictures and how far each one
// sways: every picture is a unit square moved to its centre, turned by its tilt
// and stretched to its size, and the centre bobs up and down. The background is
// drawn over them, so it may only let a limb show where that limb's square
// covers the spot at every tilt and bob; elsewhere the clear colour would show.

#include <array>
#include <string>

#include "fx/Patient.h"

struct LimbRig {
  const char* file;    // picture under res/images/
  double centreX;      // world units
  double centreY;      // world units, at rest
  double width;        // world units
  double height;       // world units
  double tiltDegrees;  // largest turn either way about the centre
  double bob;          // largest vertical shift either way, world units
  int imageWidth;      // pixels of the picture
  int imageHeight;

  // World point of a picture pixel position (u right, v down from the top-left)
  // with the limb at rest.
  double worldX(double u) const { return centreX + (u / imageWidth - 0.5) * width; }
  double worldY(double v) const { return centreY + (0.5 - v / imageHeight) * height; }
  double imageU(double wx) const { return ((wx - centreX) / width + 0.5) * imageWidth; }
  double imageV(double wy) const { return (0.5 - (wy - centreY) / height) * imageHeight; }

  // How far inside the limb's square the world point stays, in world units, at
  // the worst tilt and bob; negative when some sway leaves the point uncovered.
  double clearance(double wx, double wy) const;
};

namespace PatientRig {

// The game's own rig, with the size of the picture drawn for each part.
constexpr LimbRig rigOf(const char* file, const Patient::Rig& rig, int imageWidth, int imageHeight) {
  return {file, rig.x, rig.y, rig.width, rig.height, rig.tiltDegrees, rig.bob, imageWidth, imageHeight};
}

inline constexpr LimbRig kHead = rigOf("character_head.tga", Patient::kHeadRig, 256, 168);
inline constexpr LimbRig kArmRight = rigOf("character_armright.tga", Patient::kRightArmRig, 128, 128);
inline constexpr LimbRig kArmLeft = rigOf("character_armleft.tga", Patient::kLeftArmRig, 128, 128);
inline constexpr LimbRig kLegRight = rigOf("character_legright.tga", Patient::kRightLegRig, 64, 64);
inline constexpr LimbRig kLegLeft = rigOf("character_legleft.tga", Patient::kLeftLegRig, 64, 64);

inline constexpr std::array<const LimbRig*, 5> kAll{&kHead, &kArmRight, &kArmLeft, &kLegRight, &kLegLeft};

// The puff of smoke leaves the left arm's hand here (world units, arm at rest).
inline constexpr double kSmokeX = Patient::kSmokeOriginX;
inline constexpr double kSmokeY = Patient::kSmokeRestY;

}  // namespace PatientRig
