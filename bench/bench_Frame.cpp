// The cost of one playing frame with a full screen: 135 bubbles, 10 live pop
// bursts, the patient with all 80 smoke puffs, the money and two floating
// texts. Drawn through the game's own frame under the virtual X server (Mesa's
// software OpenGL at 1024 x 768) and compared with a frame that only clears and
// swaps; and the update pass alone, without drawing.
//
// The assets are read from the first of: the working directory, the build
// directory compiled in by the test support, the build directory holding this
// program. Run as
//   xvfb-run -a build-rel/bench/plombrix_bench --benchmark_filter=Frame

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <vector>

#include "FrameScene.h"
#include "app/FrameClock.h"
#include "assets/AssetTree.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"

namespace {

constexpr int kFramesPerRestore = frameScene::kFramesPerRestore;
constexpr const char* kFontFile = AssetTree::kFont.path;

namespace fs = std::filesystem;

fs::path findAssetRoot() {
  std::vector<fs::path> candidates = {fs::current_path()};
#ifdef PLOMBRIX_BUILD_DIR
  candidates.emplace_back(PLOMBRIX_BUILD_DIR);
#endif
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (!error) candidates.push_back(self.parent_path().parent_path());
  for (const fs::path& root : candidates) {
    if (fs::exists(root / kFontFile)) return root;
  }
  return {};
}

double clearSwapSecondsPerFrame = 0.0;

bool buildScene() {
  GlTestWindow::open();
  return frameScene::build(findAssetRoot());
}

void reportScene(benchmark::State& state) {
  state.counters["bubbles"] = frameScene::bubbleCount();
  state.counters["bursts"] = frameScene::burstCount();
  state.counters["puffs"] = frameScene::puffCount();
  state.counters["texts"] = frameScene::textCount();
}

using Clock = std::chrono::steady_clock;

void BM_ClearAndSwapFrame(benchmark::State& state) {
  if (!buildScene()) {
    state.SkipWithError(frameScene::error());
    return;
  }
  Clock::duration spent{};
  std::int64_t frames = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
    glFinish();
    spent += Clock::now() - start;
    ++frames;
  }
  clearSwapSecondsPerFrame = std::chrono::duration<double>(spent).count() / static_cast<double>(frames);
  state.counters["fps"] = 1.0 / clearSwapSecondsPerFrame;
  state.counters["ms_per_frame"] = clearSwapSecondsPerFrame * 1e3;
}
// Mesa and the X server do most of the drawing work outside this thread's CPU
// time, so the drawn frames are measured in wall-clock time.
BENCHMARK(BM_ClearAndSwapFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// Runs frames in batches from the restored scene, so the counts stay at their
// full values, and returns the wall-clock seconds one frame took; the restore
// itself is left out of the time.
template <typename Frame>
double secondsPerRestoredFrame(benchmark::State& state, Frame frame) {
  Clock::duration spent{};
  std::int64_t frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    frameScene::restore();
    FrameClock::instance().tick();  // the restore's own time is not a frame's
    state.ResumeTiming();
    const auto start = Clock::now();
    for (int i = 0; i < kFramesPerRestore; ++i) frame();
    spent += Clock::now() - start;
    frames += kFramesPerRestore;
  }
  return std::chrono::duration<double>(spent).count() / static_cast<double>(frames);
}

void BM_PlayingFrame(benchmark::State& state) {
  if (!buildScene()) {
    state.SkipWithError(frameScene::error());
    return;
  }
  const double perFrame = secondsPerRestoredFrame(state, [] {
    FrameClock::instance().drawFrame();
    glFinish();
  });
  state.counters["fps"] = 1.0 / perFrame;
  state.counters["ms_per_frame"] = perFrame * 1e3;
  if (clearSwapSecondsPerFrame > 0.0) state.counters["x_clear_swap"] = perFrame / clearSwapSecondsPerFrame;
  reportScene(state);
}
BENCHMARK(BM_PlayingFrame)->Unit(benchmark::kMillisecond)->MinTime(5.0)->UseRealTime();

void BM_PlayingFrameUpdateOnly(benchmark::State& state) {
  if (!buildScene()) {
    state.SkipWithError(frameScene::error());
    return;
  }
  state.counters["ms_per_frame"] = secondsPerRestoredFrame(state, [] { frameScene::update(); }) * 1e3;
  reportScene(state);
}
BENCHMARK(BM_PlayingFrameUpdateOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
