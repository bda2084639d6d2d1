#pragma once
// The contact pass's cheap first test. It keeps a packed copy of every
// bubble's position and radius in list order, so one bubble can be tested
// against all later ones in a tight loop: four at a time where SSE2 is there,
// one at a time anywhere else. The bubble field loads it at the start of each
// contact pass and removes an entry for every merge, so the copy stays in step
// with the list while the pass runs.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/Bubble.h"

class BroadPhase {
 public:
  // Bubbles tested at once; the copy keeps this much room after its last entry.
  static constexpr std::size_t kLanes = 4;

  // Room for `capacity` bubbles, so loading a field of that size never allocates.
  explicit BroadPhase(std::size_t capacity);

  void load(const std::vector<Bubble*>& bubbles);
  // Drops entry `index`; the later entries move down by one, as in the list.
  void remove(std::size_t index);
  std::size_t size() const { return count; }

  // The entries from `from` on whose box test against a circle at (x, y) with
  // `radius` passes: neither |dx| nor |dy| exceeds the sum of the radii. In
  // order; valid until the next call.
  std::span<const std::uint32_t> near(std::size_t from, float x, float y, float radius);
  // The same answer, one entry at a time: what every machine can run.
  std::span<const std::uint32_t> nearPortable(std::size_t from, float x, float y, float radius);

 private:
  std::vector<float> xs;
  std::vector<float> ys;
  std::vector<float> radii;
  std::vector<std::uint32_t> listed;
  std::size_t count = 0;
};
