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

#include "app/Backdrop.h"
#include "app/FrameClock.h"
#include "assets/AssetTree.h"
#include "fx/BurstList.h"
#include "fx/Patient.h"
#include "gfx/GlIncludes.h"
#include "score/FloatingTextList.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"
#include "support/GlTestWindow.h"
#include "support/RecordingAudio.h"
#include "view/GameState.h"

namespace {

constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int kSceneBubbles = 135;
constexpr int kSceneBursts = 10;
constexpr int kSceneTexts = 2;
// The scene is put back every so many frames, so the field, bursts and texts
// stay as full as the scene asks: a pop burst lives about 42 frames and the
// oldest snapshot burst is 10 frames old.
constexpr int kFramesPerRestore = 30;
constexpr int kWarmUpFramesMax = 60 * 60;
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

// Everything the frame touches, as it stood when the scene was first built.
struct Scene {
  std::vector<Bubble> bubbles;
  std::vector<PopBurst> bursts;
  std::vector<FloatingText> texts;
  Patient figure;
  Wallet wallet;
};

Scene* scene = nullptr;
const char* sceneError = nullptr;
double clearSwapSecondsPerFrame = 0.0;

void updatePass() {
  FrameClock::instance().dtSeconds = kFrameSeconds;
  FrameClock::instance().updateAll();
}

void restoreScene() {
  for (Bubble* bubble : bubbleField.bubbles) delete bubble;
  bubbleField.bubbles.clear();
  for (const Bubble& bubble : scene->bubbles) bubbleField.bubbles.push_back(new Bubble(bubble));
  bubbleField.selectedBubble = bubbleField.nearest(-1.0f, 2.0f);
  bubbleField.stepAccumulator = 0.0f;
  BurstList::instance().bursts = scene->bursts;
  FloatingTextList::instance().texts = scene->texts;
  patient = scene->figure;
  Wallet::instance() = scene->wallet;
}

// Opens the window, loads every sprite and the font the way the game's start-up
// does, then plays until the stomach is full and adds the bursts and texts.
bool buildScene() {
  if (scene != nullptr) return true;
  if (sceneError != nullptr) return false;
  const fs::path root = findAssetRoot();
  if (root.empty()) {
    sceneError =
        "no asset tree (res/fonts/Cookies.ttf): build the assets or run from a directory holding res/";
    return false;
  }

  GlTestWindow::open();
  RecordingAudio::install();
  const fs::path previous = fs::current_path();
  fs::current_path(root);
  Backdrop::instance().loadSprites();
  Backdrop::instance().setRect(6.0, 4.0, 0.0, -4.0);
  Wallet::instance().initialise();
  bubbleField.loadSprites();
  patient.loadSprites();
  BurstList::instance().spawnPopBurst(0.0f, 3.0f, 0.2f);  // reads the spark image
  fs::current_path(previous);
  GameState = kPlaying;
  FrameClock::instance().started = true;

  BurstList::instance().bursts.clear();
  for (int frame = 0; frame < kWarmUpFramesMax; ++frame) {
    updatePass();
    if (static_cast<int>(bubbleField.bubbles.size()) >= kSceneBubbles && frame > 120) break;
  }
  // Bursts a frame apart, so they stand in every phase of their life.
  BurstList::instance().bursts.clear();
  FloatingTextList::instance().texts.clear();
  for (int i = 0; i < kSceneBursts; ++i) {
    const Bubble& source = *bubbleField.bubbles[static_cast<std::size_t>(i * 7) % bubbleField.bubbles.size()];
    BurstList::instance().spawnPopBurst(source.x, source.y, source.radius);
    BurstList::instance().update(kFrameSeconds);
  }
  FloatingTextList::instance().addText(-2.0f, 2.5f, "%d chain!", 2);
  for (int i = 0; i < kSceneBursts; ++i) FloatingTextList::instance().update(kFrameSeconds);
  FloatingTextList::instance().addText(0.0f, 3.5f, "%d chain!", 3);
  Wallet::instance().money = 23450;
  Wallet::instance().shownMoney = 21000.0f;

  scene = new Scene();
  for (const Bubble* bubble : bubbleField.bubbles) scene->bubbles.push_back(*bubble);
  scene->bursts = BurstList::instance().bursts;
  scene->texts = FloatingTextList::instance().texts;
  scene->figure = patient;
  scene->wallet = Wallet::instance();
  return true;
}

void reportScene(benchmark::State& state) {
  state.counters["bubbles"] = static_cast<double>(scene->bubbles.size());
  state.counters["bursts"] = static_cast<double>(scene->bursts.size());
  int puffs = 0;
  for (const SmokeParticle& p : scene->figure.smoke.particles) puffs += p.active ? 1 : 0;
  state.counters["puffs"] = puffs;
  state.counters["texts"] = static_cast<double>(scene->texts.size());
}

using Clock = std::chrono::steady_clock;

void BM_ClearAndSwapFrame(benchmark::State& state) {
  if (!buildScene()) {
    state.SkipWithError(sceneError);
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
    restoreScene();
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
    state.SkipWithError(sceneError);
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
    state.SkipWithError(sceneError);
    return;
  }
  state.counters["ms_per_frame"] = secondsPerRestoredFrame(state, [] { updatePass(); }) * 1e3;
  reportScene(state);
}
BENCHMARK(BM_PlayingFrameUpdateOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
