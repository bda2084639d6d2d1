#include "sim/KindStyle.h"

std::array<KindStyle, KindStyle::kKindCount> kindTable;

const std::array<const char*, KindStyle::kGermKindCount>& KindStyle::germImages() {
  static const std::array<const char*, kGermKindCount> images = [] {
    std::array<const char*, kGermKindCount> paths{};
    for (int kind = 0; kind < kGermKindCount; ++kind) paths[kind] = AssetTree::kGermImages[kind].path;
    return paths;
  }();
  return images;
}

const std::array<KindStyle, KindStyle::kKindCount>& KindStyle::tints() {
  static const std::array<KindStyle, kKindCount> styles = [] {
    std::array<KindStyle, kKindCount> kinds{};
    for (int kind = 0; kind < kKindCount; ++kind) {
      const AssetTree::Tint& tint = AssetTree::kKindTints[kind];
      kinds[kind] = {tint.red, tint.green, tint.blue, kNoSprite};
    }
    return kinds;
  }();
  return styles;
}
