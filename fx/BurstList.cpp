#include "fx/BurstList.h"

#include "util/TimedEffects.h"

BurstList& BurstList::instance() {
  static BurstList* list = new BurstList();
  return *list;
}

void BurstList::spawnPopBurst(float x, float y, float radius) {
  bursts.push_back(PopBurst::popVariant());
  bursts.back().seed(x, y, radius);
}

void BurstList::spawnClickBurst(float x, float y, float radius) {
  bursts.push_back(PopBurst::clickVariant());
  bursts.back().seed(x, y, radius);
}

void BurstList::update(float dt) { updateAndRemoveFinished(bursts, dt); }

void BurstList::render() const {
  for (const PopBurst& burst : bursts) burst.render();
}
