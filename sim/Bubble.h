#pragma once
// A disease bubble (fields filled in by the bubble work).

#include "sim/Entity.h"

class Bubble : public Entity {
 public:
  Bubble();
  void update(float dt) override;
  void render() override;

  int kind = 0;
  bool special = false;
};
