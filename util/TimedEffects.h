#pragma once
// The shared walk of the timed-effect lists (pop bursts, floating texts): each
// record is updated once, and one that has just finished is removed at once, so
// a finished record is never drawn. Removal closes the gap and keeps the order;
// the walk then stays on the same index, which now holds the next record, so
// none is skipped or stepped twice.

#include <cstddef>
#include <vector>

template <typename Effect>
void updateAndRemoveFinished(std::vector<Effect>& effects, float dt) {
  std::size_t i = 0;
  while (i < effects.size()) {
    effects[i].update(dt);
    if (effects[i].phase == Effect::kFinished) {
      effects.erase(effects.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
}
