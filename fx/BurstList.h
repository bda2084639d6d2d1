#pragma once
// Every live pop burst, in spawn order. The bubble field spawns the pop variant
// for bubbles that burst by themselves, the pointer the click variant; the frame
// updates the list once and draws it once, after the bubbles. A burst is removed
// in the update that finishes it, so a finished burst is never drawn.

#include <vector>

#include "fx/PopBurst.h"

class BurstList {
 public:
  static BurstList& instance();

  void spawnPopBurst(float x, float y, float radius);
  void spawnClickBurst(float x, float y, float radius);
  void update(float dt);
  // Front to back, so later bursts lie over earlier ones.
  void render() const;

  std::vector<PopBurst> bursts;
};
