// The bubble field's fixed sub-step on a full stomach: 135 bubbles settled in a
// pile, every touching pair of different kinds, so no merge, burst or spawn
// happens and each sub-step is the steady cost of the contact pass, the motion
// and the walls. Measured for one sub-step and for the longest frame the clock
// hands out (0.12 s of play, 15 sub-steps with the largest carry). Every
// benchmark also counts heap allocations inside its timed loop: a sub-step may
// allocate a new bubble and nothing else.
//
// Run as
//   build-rel/bench/plombrix_bench --benchmark_filter=BubbleField
//     --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <new>

#include "sim/BubbleField.h"
#include "sim/KindStyle.h"
#include "support/RecordingAudio.h"
#include "util/Random.h"

// Every allocation of this program goes through here, so a benchmark can tell
// whether its timed loop allocated. All are kept out of line, so the compiler
// pairs each delete with its new instead of seeing a free of a new's memory.
namespace {
long allocationCount = 0;
}  // namespace

__attribute__((noinline)) void* operator new(std::size_t size) {
  ++allocationCount;
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
__attribute__((noinline)) void* operator new[](std::size_t size) { return operator new(size); }
__attribute__((noinline)) void operator delete(void* block) noexcept { std::free(block); }
__attribute__((noinline)) void operator delete[](void* block) noexcept { std::free(block); }
__attribute__((noinline)) void operator delete(void* block, std::size_t) noexcept { std::free(block); }
__attribute__((noinline)) void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace {

constexpr int kFullField = BubbleField::kMaxBubbles;
constexpr float kPileMass = 0.5f;      // an average new bubble
constexpr float kPileSpacing = 0.34f;  // world units between grid places at the start
constexpr int kPileColumns = 13;
constexpr float kKindMargin = 0.08f;      // world units: near neighbours get other kinds
constexpr int kSettleSubSteps = 45 * 12;  // twelve seconds of simulation
// Real seconds that make exactly one sub-step from an empty accumulator.
const float kOneSubStepFrame = static_cast<float>(BubbleField::kSubStep / BubbleField::kTimeScale * 1.0001);
constexpr float kLongestFrame = 0.12f;  // seconds, the frame clock's bound

// Gives every bubble the lowest kind that no earlier bubble near it has, so no
// two bubbles that touch (or nearly) share a kind and nothing merges.
void colourApart(BubbleField& field) {
  const auto& bubbles = field.bubbles;
  for (std::size_t i = 0; i < bubbles.size(); ++i) {
    bool taken[KindStyle::kKindCount] = {};
    for (std::size_t j = 0; j < i; ++j) {
      const float reach = bubbles[i]->radius + bubbles[j]->radius + kKindMargin;
      if (std::hypot(bubbles[i]->x - bubbles[j]->x, bubbles[i]->y - bubbles[j]->y) < reach) {
        taken[bubbles[j]->kind] = true;
      }
    }
    int kind = 0;
    while (kind < KindStyle::kKindCount - 1 && taken[kind]) ++kind;
    bubbles[i]->kind = kind;
  }
}

// A full field dropped from a grid and left to come to rest, recoloured as it
// settles. Returns false if the pile still merges afterwards.
bool settleFullField(BubbleField& field) {
  randomSource() = RandomSource{[] { return std::rand(); }, [](unsigned seed) { std::srand(seed); },
                                [] { return std::time_t{1}; }};
  needsSeed = true;
  for (int n = 0; n < kFullField; ++n) {
    auto* bubble = new Bubble();
    bubble->setMass(kPileMass);
    bubble->gravityY = BubbleField::kGravity;
    bubble->x = -3.2f + kPileSpacing * static_cast<float>(n % kPileColumns);
    bubble->y = 0.6f + kPileSpacing * static_cast<float>(n / kPileColumns);
    field.bubbles.push_back(bubble);
  }
  for (int step = 0; step < kSettleSubSteps; ++step) {
    colourApart(field);
    field.subStep();
  }
  for (int step = 0; step < kSettleSubSteps; ++step) field.subStep();
  return field.bubbles.size() == static_cast<std::size_t>(kFullField);
}

// Touching pairs in the pile: the springs each sub-step works out.
double contactCount(const BubbleField& field) {
  int contacts = 0;
  const auto& bubbles = field.bubbles;
  for (std::size_t i = 0; i < bubbles.size(); ++i) {
    for (std::size_t j = i + 1; j < bubbles.size(); ++j) {
      const float reach = bubbles[i]->radius + bubbles[j]->radius;
      if (std::hypot(bubbles[i]->x - bubbles[j]->x, bubbles[i]->y - bubbles[j]->y) < reach) ++contacts;
    }
  }
  return contacts;
}

void reportAllocations(benchmark::State& state, long allocations, double subSteps) {
  state.counters["allocsPerSubStep"] = static_cast<double>(allocations) / subSteps;
  if (allocations != 0) state.SkipWithError("a sub-step without a new bubble allocated");
}

void BM_BubbleFieldSubStepFullSettled(benchmark::State& state) {
  RecordingAudio::install();
  BubbleField field;
  if (!settleFullField(field)) {
    state.SkipWithError("the settled pile kept merging");
    return;
  }
  const long before = allocationCount;
  for (auto _ : state) {
    field.stepAccumulator = 0.0f;
    field.step(kOneSubStepFrame);
    benchmark::DoNotOptimize(field.bubbles.data());
  }
  reportAllocations(state, allocationCount - before, static_cast<double>(state.iterations()));
  state.counters["contacts"] = contactCount(field);
  if (field.bubbles.size() != static_cast<std::size_t>(kFullField)) state.SkipWithError("the pile changed");
}
BENCHMARK(BM_BubbleFieldSubStepFullSettled);

void BM_BubbleFieldLongestFrameFullSettled(benchmark::State& state) {
  RecordingAudio::install();
  BubbleField field;
  if (!settleFullField(field)) {
    state.SkipWithError("the settled pile kept merging");
    return;
  }
  // The largest carry below one sub-step: 0.33 s more makes 15 sub-steps.
  const float carry = std::nextafter(BubbleField::kSubStep, 0.0f);
  const long before = allocationCount;
  for (auto _ : state) {
    field.stepAccumulator = carry;
    field.step(kLongestFrame);
    benchmark::DoNotOptimize(field.bubbles.data());
  }
  reportAllocations(state, allocationCount - before, static_cast<double>(state.iterations()) * 15.0);
  if (field.bubbles.size() != static_cast<std::size_t>(kFullField)) state.SkipWithError("the pile changed");
}
BENCHMARK(BM_BubbleFieldLongestFrameFullSettled)->Unit(benchmark::kMicrosecond);

// One bubble short of full: every sub-step spawns one, high above the pile, and
// the next iteration takes it out again untimed. The only allocation a sub-step
// may make is that bubble.
void BM_BubbleFieldSubStepWithSpawn(benchmark::State& state) {
  RecordingAudio::install();
  BubbleField field;
  if (!settleFullField(field)) {
    state.SkipWithError("the settled pile kept merging");
    return;
  }
  field.remove(field.bubbles.back());
  long allocations = 0;
  for (auto _ : state) {
    const long before = allocationCount;
    field.stepAccumulator = 0.0f;
    field.step(kOneSubStepFrame);
    allocations += allocationCount - before;
    state.PauseTiming();
    field.remove(field.bubbles.back());
    state.ResumeTiming();
  }
  state.counters["allocsPerSubStep"] =
      static_cast<double>(allocations) / static_cast<double>(state.iterations());
  if (allocations != state.iterations()) state.SkipWithError("a sub-step allocated more than its new bubble");
}
BENCHMARK(BM_BubbleFieldSubStepWithSpawn);

}  // namespace
