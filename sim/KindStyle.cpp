#include "sim/KindStyle.h"

std::array<KindStyle, KindStyle::kKindCount> kindTable;

const std::array<const char*, KindStyle::kGermKindCount>& KindStyle::germImages() {
  static const std::array<const char*, kGermKindCount> images = {
      "./res/images/disease_mite.tga",  "./res/images/disease_spore.tga", "./res/images/disease_squid.tga",
      "./res/images/disease_worm.tga",  "./res/images/disease_ecoli.tga", "./res/images/disease_fetus.tga",
      "./res/images/disease_worm2.tga",
  };
  return images;
}

const std::array<KindStyle, KindStyle::kKindCount>& KindStyle::tints() {
  // Pale, distinct colours; the plain kind stays white.
  static const std::array<KindStyle, kKindCount> styles = {{
      {1.0f, 1.0f, 0.5f, kNoSprite},
      {0.5f, 1.0f, 0.5f, kNoSprite},
      {0.5f, 1.0f, 1.0f, kNoSprite},
      {0.5f, 0.5f, 1.0f, kNoSprite},
      {1.0f, 0.5f, 1.0f, kNoSprite},
      {1.0f, 0.5f, 0.5f, kNoSprite},
      {1.0f, 0.5f, 0.25f, kNoSprite},
      {1.0f, 1.0f, 1.0f, kNoSprite},
  }};
  return styles;
}
