#include "FrameScene.h"

#include <memory>
#include <string>
#include <vector>

#include "app/FrameClock.h"
#include "assets/AssetTree.h"
#include "audio/AudioBackend.h"
#include "audio/SoundBank.h"
#include "fx/BurstList.h"
#include "fx/Patient.h"
#include "score/FloatingTextList.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"
#include "view/GameState.h"

namespace frameScene {
namespace {

constexpr int kSceneBubbles = 135;
constexpr int kSceneBursts = 10;
constexpr int kWarmUpFramesMax = 60 * 60;
constexpr int kWarmUpFramesMin = 120;  // long enough for the first merges and bursts

// The benchmarks measure drawing and simulation, not the mixer.
class QuietAudio : public AudioBackend {
 public:
  bool open() override { return false; }
  bool loadSample(int, const std::string&) override { return false; }
  void playSample(int) override {}
  void playMusic(const std::string&) override {}
};

// Everything the frame touches, as it stood when the scene was first built.
struct Snapshot {
  std::vector<Bubble> bubbles;
  std::vector<PopBurst> bursts;
  std::vector<FloatingText> texts;
  Patient figure;
  Wallet wallet;
};

Snapshot* snapshot = nullptr;
const char* failure = nullptr;

}  // namespace

void update() {
  FrameClock::instance().dtSeconds = kFrameSeconds;
  FrameClock::instance().updateAll();
}

void restore() {
  for (Bubble* bubble : bubbleField.bubbles) delete bubble;
  bubbleField.bubbles.clear();
  for (const Bubble& bubble : snapshot->bubbles) bubbleField.bubbles.push_back(new Bubble(bubble));
  bubbleField.selectedBubble = bubbleField.nearest(-1.0f, 2.0f);
  bubbleField.stepAccumulator = 0.0f;
  BurstList::instance().bursts = snapshot->bursts;
  FloatingTextList::instance().texts = snapshot->texts;
  patient = snapshot->figure;
  Wallet::instance() = snapshot->wallet;
}

bool build(const std::filesystem::path& assetRoot) {
  if (snapshot != nullptr) return true;
  if (failure != nullptr) return false;
  namespace fs = std::filesystem;
  if (assetRoot.empty() || !fs::exists(assetRoot / AssetTree::kFont.path)) {
    static const std::string missing = std::string("no asset tree (") + AssetTree::kFont.path +
                                       "): build the assets or run from a directory holding res/";
    failure = missing.c_str();
    return false;
  }

  SoundBank::instance().useBackend(std::make_unique<QuietAudio>());
  const fs::path previous = fs::current_path();
  fs::current_path(assetRoot);
  FrameClock::instance().initialise();  // the game's own start-up, so the scene loads what the game loads
  BurstList::instance().spawnPopBurst(0.0f, 3.0f, 0.2f);  // reads the spark image
  fs::current_path(previous);
  GameState = kPlaying;

  BurstList::instance().bursts.clear();
  for (int frame = 0; frame < kWarmUpFramesMax; ++frame) {
    update();
    if (static_cast<int>(bubbleField.bubbles.size()) >= kSceneBubbles && frame > kWarmUpFramesMin) break;
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

  snapshot = new Snapshot();
  for (const Bubble* bubble : bubbleField.bubbles) snapshot->bubbles.push_back(*bubble);
  snapshot->bursts = BurstList::instance().bursts;
  snapshot->texts = FloatingTextList::instance().texts;
  snapshot->figure = patient;
  snapshot->wallet = Wallet::instance();
  return true;
}

const char* error() { return failure; }

int bubbleCount() { return snapshot ? static_cast<int>(snapshot->bubbles.size()) : 0; }
int burstCount() { return snapshot ? static_cast<int>(snapshot->bursts.size()) : 0; }
int textCount() { return snapshot ? static_cast<int>(snapshot->texts.size()) : 0; }
int puffCount() {
  int puffs = 0;
  if (snapshot)
    for (const SmokeParticle& p : snapshot->figure.smoke.particles) puffs += p.active ? 1 : 0;
  return puffs;
}

}  // namespace frameScene
