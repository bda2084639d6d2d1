#include "fx/BurstList.h"

#include <cstddef>

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

void BurstList::update(float dt) {
  // Removal closes the gap and keeps the order; the walk then stays on the same
  // index, which now holds the next burst, so none is skipped or stepped twice.
  std::size_t i = 0;
  while (i < bursts.size()) {
    bursts[i].update(dt);
    if (bursts[i].phase == PopBurst::kFinished) {
      bursts.erase(bursts.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
}

void BurstList::render() {
  for (const PopBurst& burst : bursts) burst.render();
}
