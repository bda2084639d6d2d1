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

TEST(BroadPhase, PackedAndPortablePathsFindExactlyTheBubblesTheBoxTestPasses) {
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
    ASSERT_EQ(broadPhase.size(), count);
    for (std::size_t from = 0; from <= count; from += 1 + count / 9) {
      const float x = position(engine);
      const float y = position(engine);
      const float radius = size(engine);
      const auto expected = bruteForce(bubbles, from, x, y, radius);
      const auto packed = broadPhase.near(from, x, y, radius);
      const auto portable = broadPhase.nearPortable(from, x, y, radius);
      ASSERT_EQ(std::vector<std::uint32_t>(packed.begin(), packed.end()), expected)
          << count << " from " << from;
      ASSERT_EQ(std::vector<std::uint32_t>(portable.begin(), portable.end()), expected);
    }
  }
}

TEST(BroadPhase, ARemovedEntryLeavesTheRestInListOrder) {
  // Five touching bubbles in a row; the merge takes out the second.
  std::vector<Bubble> bubbles(5);
  std::vector<Bubble*> list;
  for (std::size_t k = 0; k < bubbles.size(); ++k) {
    bubbles[k].x = static_cast<float>(k) * 0.5f;
    bubbles[k].radius = 0.3f;
    list.push_back(&bubbles[k]);
  }
  BroadPhase broadPhase(8);
  broadPhase.load(list);
  broadPhase.remove(1);
  broadPhase.remove(9);  // past the end: nothing
  ASSERT_EQ(broadPhase.size(), 4u);
  // From the first bubble, reach 1.0: the old third bubble (x 1.0) is now
  // entry 1, the old fourth (x 1.5) is out of reach.
  const auto near = broadPhase.near(1, 0.0f, 0.0f, 0.7f);
  EXPECT_EQ(std::vector<std::uint32_t>(near.begin(), near.end()), (std::vector<std::uint32_t>{1}));
  const auto portable = broadPhase.nearPortable(0, 1.5f, 0.0f, 0.3f);
  EXPECT_EQ(std::vector<std::uint32_t>(portable.begin(), portable.end()),
            (std::vector<std::uint32_t>{1, 2, 3}));
}

}  // namespace
