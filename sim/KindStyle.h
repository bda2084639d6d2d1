#pragma once
// The look of one disease kind: the tint of its bubbles and the germ picture
// spinning inside them. The process-wide kindTable holds the eight kinds, indexed
// by a bubble's kind; the bubble field fills it in once when it loads its
// sprites, and nothing changes it afterwards. The pictures and tints themselves
// are those of the asset tree's description, which the germ pictures are drawn
// for.

#include <array>

#include "assets/AssetTree.h"
#include "gfx/Sprite.h"

struct KindStyle {
  static constexpr int kKindCount = static_cast<int>(AssetTree::kKindTints.size());
  // Kinds 0..6 carry a germ picture; the last kind is the plain one.
  static constexpr int kGermKindCount = static_cast<int>(AssetTree::kGermImages.size());

  float red = 1.0f;
  float green = 1.0f;
  float blue = 1.0f;
  int innerList = kNoSprite;  // display list of the germ picture; none for the plain kind

  // The image of each germ kind, relative to the working directory.
  static const std::array<const char*, kGermKindCount>& germImages();
  // The tint each kind gets when the sprites are loaded.
  static const std::array<KindStyle, kKindCount>& tints();
};

extern std::array<KindStyle, KindStyle::kKindCount> kindTable;
