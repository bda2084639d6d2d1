#pragma once
// Where the game puts the patient's five body pictures and how far each one
// sways: every picture is a unit square moved to its centre, turned by its tilt
// and stretched to its size, and the centre bobs up and down. The background is
// drawn over them, so it may only let a limb show where that limb's square
// covers the spot at every tilt and bob; elsewhere the clear colour would show.

#include <array>

#include "assets/AssetTree.h"
#include "assets/SceneLayout.h"

struct LimbRig {
  AssetTree::File picture;
  double centreX;      // world units
  double centreY;      // world units, at rest
  double width;        // world units
  double height;       // world units
  double tiltDegrees;  // largest turn either way about the centre
  double bob;          // largest vertical shift either way, world units

  // How far inside the limb's square the world point stays, in world units, at
  // the worst tilt and bob; negative when some sway leaves the point uncovered.
  double clearance(double wx, double wy) const;
};

namespace PatientRig {

// The game's own rig, with the picture drawn for each part.
constexpr LimbRig rigOf(const AssetTree::File& picture, const SceneLayout::Rig& rig) {
  return {picture, rig.x, rig.y, rig.width, rig.height, rig.tiltDegrees, rig.bob};
}

inline constexpr LimbRig kHead = rigOf(AssetTree::kHeadImage, SceneLayout::kHeadRig);
inline constexpr LimbRig kArmRight = rigOf(AssetTree::kRightArmImage, SceneLayout::kRightArmRig);
inline constexpr LimbRig kArmLeft = rigOf(AssetTree::kLeftArmImage, SceneLayout::kLeftArmRig);
inline constexpr LimbRig kLegRight = rigOf(AssetTree::kRightLegImage, SceneLayout::kRightLegRig);
inline constexpr LimbRig kLegLeft = rigOf(AssetTree::kLeftLegImage, SceneLayout::kLeftLegRig);

inline constexpr std::array<const LimbRig*, 5> kAll{&kHead, &kArmRight, &kArmLeft, &kLegRight, &kLegLeft};

}  // namespace PatientRig
