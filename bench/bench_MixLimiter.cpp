// The cost of the mix's limiter on one buffer, which SDL's audio thread pays
// every 23 ms on top of mixing 152 voices and decoding the music. Measured
// twice: on quiet play, which it only passes through, and on a storm of merges
// about eight times full scale, where the envelope and the soft clip both
// work on every frame. Run as
//   build-rel/bench/plombrix_bench --benchmark_filter=MixLimiter

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "audio/MixLimiter.h"
#include "audio/MixerBackend.h"

namespace {

constexpr double kToneHz = 440.0;

void BM_MixLimiterBuffer(benchmark::State& state) {
  const double loudness = static_cast<double>(state.range(0)) / 100.0;  // times full scale
  constexpr int kSides = MixerBackend::kOutputChannels;
  std::vector<float> mixed(MixerBackend::kMixFrames * kSides);
  for (std::size_t i = 0; i < mixed.size(); ++i) {
    const double t = static_cast<double>(i / kSides) / MixerBackend::kOutputRate;
    mixed[i] = static_cast<float>(loudness * std::sin(2.0 * std::numbers::pi * kToneHz * t));
  }
  MixLimiter limiter(MixerBackend::kOutputRate);
  std::vector<float> buffer(mixed.size());
  for (auto _ : state) {
    buffer = mixed;  // the limiter works in place
    limiter.process(buffer.data(), MixerBackend::kMixFrames, kSides);
    benchmark::DoNotOptimize(buffer.data());
  }
}
BENCHMARK(BM_MixLimiterBuffer)->Arg(30)->Arg(800)->Unit(benchmark::kMicrosecond);

}  // namespace
