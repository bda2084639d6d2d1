#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "sim/BroadPhase.h"

namespace {

// Every later bubble whose box test passes, found the slow, obvious way.
std::vector<std::uint32_t> bruteForce(const std::vector<Bubble>& bubbles, std::size_t from, float x, float y,
                                      float radius) {
  std::vector<std::uint32_t> found;
  for (std::size_t k = from; k < bubbles.size(); ++k) {
    const float reach = radius + bubbles[k].radius;
    if (std::fabs(bubbles[k].x - x) <= reach && std::fabs(bubbles[k].y - y) <= reach)
      found.push_back(static_cast<std::uint32_t>(k));
  }
  return found;
}

TEST(BroadPhase, PackedAndPortablePathsFindExactlyTheBubblesTheBoxTestPassesBeforeAndAfterARemoval) {
  std::mt19937 engine(7);
  std::uniform_real_distribution<float> position(-3.0f, 3.0f);
  std::uniform_real_distribution<float> size(0.05f, 0.6f);
  BroadPhase broadPhase(135);
  // Every count from empty to past a full field, so every tail of a group of
  // four is met, and every starting place.
  for (std::size_t count = 0; count <= 137; ++count) {
    std::vector<Bubble> bubbles(count);
    std::vector<Bubble*> list;
    for (Bubble& bubble : bubbles) {
      bubble.x = position(engine);
      bubble.y = position(engine);
      bubble.radius = size(engine);
      list.push_back(&bubble);
    }
    broadPhase.load(list);
    // Then a merge takes out the middle entry, and the rest keep their order;
    // an entry past the end takes nothing out.
    for (const bool merged : {false, count > 0}) {
      if (merged) {
        broadPhase.remove(count / 2);
        broadPhase.remove(count + 3);
        bubbles.erase(bubbles.begin() + static_cast<std::ptrdiff_t>(count / 2));
      }
      ASSERT_EQ(broadPhase.size(), bubbles.size());
      for (std::size_t from = 0; from <= bubbles.size(); from += 1 + count / 9) {
        const float x = position(engine);
        const float y = position(engine);
        const float radius = size(engine);
        const auto expected = bruteForce(bubbles, from, x, y, radius);
        const auto packed = broadPhase.near(from, x, y, radius);
        const auto portable = broadPhase.nearPortable(from, x, y, radius);
        ASSERT_EQ(std::vector<std::uint32_t>(packed.begin(), packed.end()), expected)
            << count << " from " << from << (merged ? " after a removal" : "");
        ASSERT_EQ(std::vector<std::uint32_t>(portable.begin(), portable.end()), expected);
      }
    }
  }
}

}  // namespace
