#pragma once
// Every live pop burst, in spawn order. The bubble field spawns the pop variant
// for bubbles that burst by themselves, the pointer the click variant; the frame
// updates the list once and draws it once, after the bubbles.

class BurstList {
 public:
  static BurstList& instance();

  void spawnPopBurst(float x, float y, float radius);
  void spawnClickBurst(float x, float y, float radius);
  void update(float dt);
  void render();
};
