#include "sim/BroadPhase.h"

#include <bit>
#include <cmath>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

BroadPhase::BroadPhase(std::size_t capacity) {
  xs.reserve(capacity + kLanes);
  ys.reserve(capacity + kLanes);
  radii.reserve(capacity + kLanes);
  listed.reserve(capacity + kLanes);
}

void BroadPhase::load(const std::vector<Bubble*>& bubbles) {
  count = bubbles.size();
  // The padding lanes are read by the packed test and masked off after.
  xs.assign(count + kLanes, 0.0f);
  ys.assign(count + kLanes, 0.0f);
  radii.assign(count + kLanes, 0.0f);
  listed.resize(count + kLanes);
  for (std::size_t k = 0; k < count; ++k) {
    xs[k] = bubbles[k]->x;
    ys[k] = bubbles[k]->y;
    radii[k] = bubbles[k]->radius;
  }
}

void BroadPhase::remove(std::size_t index) {
  if (index >= count) return;
  const auto gap = static_cast<std::ptrdiff_t>(index);
  xs.erase(xs.begin() + gap);
  ys.erase(ys.begin() + gap);
  radii.erase(radii.begin() + gap);
  --count;
}

std::span<const std::uint32_t> BroadPhase::nearPortable(std::size_t from, float x, float y, float radius) {
  std::size_t found = 0;
  for (std::size_t k = from; k < count; ++k) {
    const float reach = radius + radii[k];
    if (std::fabs(xs[k] - x) > reach || std::fabs(ys[k] - y) > reach) continue;
    listed[found++] = static_cast<std::uint32_t>(k);
  }
  return {listed.data(), found};
}

std::span<const std::uint32_t> BroadPhase::near(std::size_t from, float x, float y, float radius) {
#if defined(__SSE2__)
  // Most groups of four are all far from the circle and cost one test.
  const __m128 centreX = _mm_set1_ps(x);
  const __m128 centreY = _mm_set1_ps(y);
  const __m128 radiusA = _mm_set1_ps(radius);
  const __m128 noSign = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
  std::size_t found = 0;
  for (std::size_t k = from; k < count; k += kLanes) {
    const __m128 reach = _mm_add_ps(radiusA, _mm_loadu_ps(radii.data() + k));
    const __m128 absDx = _mm_and_ps(_mm_sub_ps(_mm_loadu_ps(xs.data() + k), centreX), noSign);
    const __m128 absDy = _mm_and_ps(_mm_sub_ps(_mm_loadu_ps(ys.data() + k), centreY), noSign);
    const auto ruledOut = static_cast<unsigned>(
        _mm_movemask_ps(_mm_or_ps(_mm_cmpgt_ps(absDx, reach), _mm_cmpgt_ps(absDy, reach))));
    const unsigned present = count - k >= kLanes ? 0xfu : (1u << (count - k)) - 1u;
    for (unsigned passes = ~ruledOut & present; passes != 0; passes &= passes - 1) {
      listed[found++] = static_cast<std::uint32_t>(k + static_cast<std::size_t>(std::countr_zero(passes)));
    }
  }
  return {listed.data(), found};
#else
  return nearPortable(from, x, y, radius);
#endif
}
