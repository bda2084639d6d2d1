#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <tuple>
#include <utility>

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
#include "support/PlayState.h"
#include "support/RecordingAudio.h"
#include "support/ScratchDir.h"
#include "support/ScriptedRandom.h"
#include "view/GameState.h"

namespace {

TEST(FrameClockTick, MeasuresTheFrameClampsStallsAndSurvivesTheCountersWrap) {
  struct Tick {
    std::int32_t last, now;
    double dt;
  };
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  for (const Tick& tick : {Tick{1000, 1016, 0.016},
                           {1016, 1016, 0.0},
                           {1016, 1136, 0.12},
                           {1136, 1636, 0.12},              // a stall advances the game by 0.12 s only
                           {-6, 5, 0.011},                  // the 32-bit counter wraps
                           {kMax - 9, kMin + 10, 0.02}}) {  // a signed difference would go wrong
    FrameClock clock;
    clock.lastMs = tick.last;
    clock.tickAt(tick.now);
    EXPECT_DOUBLE_EQ(clock.dt(), tick.dt) << tick.last << " to " << tick.now;
    EXPECT_EQ(clock.lastMs, tick.now);
  }
}

// The frame, drawn for real: each screen picture in its own colour. Every draw
// is pinned mid-range, so a playing frame spawns ordinary kind-0 bubbles at
// x = -1: never the plain kind, never near the bubbles a case places right of it.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = &GlTestWindow::open();
    scratch.solidImage(AssetTree::kTitleImage, 200, 30, 30);
    scratch.solidImage(AssetTree::kInstructionsImage, 30, 200, 30);
    scratch.solidImage(AssetTree::kBackgroundImage, 30, 30, 200);
    audio = RecordingAudio::install();
    resetPlayState();
    patient.clock = 0.0f;
    Backdrop::instance() = Backdrop();  // sprites of this case's own pictures
    Backdrop::instance().loadSprites();
    Backdrop::instance().setRect(6, 4, 0, -4);
    FrameClock::instance().started = true;
  }

  // Runs one frame as if `elapsed` seconds had passed since the last one.
  void frameAfter(double elapsed) {
    FrameClock& clock = FrameClock::instance();
    clock.lastMs = glutGet(GLUT_ELAPSED_TIME) - static_cast<int>(elapsed * 1000);
    const int depth = GlTestWindow::modelViewDepth();
    clock.drawFrame();
    EXPECT_EQ(GlTestWindow::modelViewDepth(), depth)
        << "a frame must leave the model-view stack as it found it";
  }

  ScriptedRandom random{5000};
  ScratchDir scratch;
  GlTestWindow* window = nullptr;
  std::shared_ptr<RecordingAudio::Log> audio;
};

TEST_F(FrameTest, FirstScreensShowTheirPictureAndTickTheClockPlayingFramesMoveEverythingOnceStarted) {
  GameState = kTitleScreen;
  const std::int32_t titleFrameStart = glutGet(GLUT_ELAPSED_TIME);
  frameAfter(0.5);  // a long look at the title
  EXPECT_TRUE(near(window->pixel(512, 384), 200, 30, 30) && near(window->pixel(0, 0), 200, 30, 30));
  EXPECT_GE(FrameClock::instance().lastMs, titleFrameStart)
      << "a title frame must tick, or the first playing frame makes up for the title's time";
  GameState = kInstructionsScreen;
  frameAfter(0.5);
  EXPECT_TRUE(near(window->pixel(1023, 767), 30, 200, 30));
  EXPECT_TRUE(bubbleField.bubbles.empty() && bubbleField.clock == 0.0f && patient.clock == 0.0f)
      << "something moved before play";

  GameState = kPlaying;
  FrameClock::instance().started = false;
  frameAfter(0.05);
  EXPECT_TRUE(bubbleField.clock == 0.0f && bubbleField.bubbles.empty()) << "updated before start-up finished";
  EXPECT_TRUE(near(window->pixel(1010, 10), 30, 30, 200)) << "drawing does not depend on the started flag";
  FrameClock::instance().started = true;
  const std::int32_t lastTick = FrameClock::instance().lastMs;
  FrameClock::instance().drawFrame();
  EXPECT_LE(bubbleField.clock, static_cast<float>((glutGet(GLUT_ELAPSED_TIME) - lastTick) * 0.001 + 0.001));
  const float before = bubbleField.clock;
  frameAfter(0.5);
  EXPECT_NEAR(bubbleField.clock - before, 0.12f, 1e-6f) << "a long frame advances the field by 0.12 s";
  EXPECT_NEAR(patient.clock - before, 0.12f, 1e-6f);
}

TEST_F(FrameTest,
       PlayingFrameDrawsThePatientUnderTheBackgroundThenBubblesAndOverThemBurstsMoneyAndChainTexts) {
  // The background is clear on the window's left half and opaque white on the
  // right: the patient shows only where it is clear, everything drawn after it
  // shows on top of the white.
  scratch.maskImage(AssetTree::kBackgroundImage, [](float dx, float) { return dx > 0.0f; });
  Backdrop::instance() = Backdrop();
  Backdrop::instance().loadSprites();
  Backdrop::instance().setRect(6, 4, 0, -4);
  for (const AssetTree::File& part :
       {AssetTree::kHeadImage, AssetTree::kRightArmImage, AssetTree::kLeftArmImage, AssetTree::kRightLegImage,
        AssetTree::kLeftLegImage})
    scratch.solidImage(part, 220, 0, 0);
  scratch.solidImage(AssetTree::kBubbleImage, 0, 200, 0);
  scratch.solidImage(AssetTree::kSparkImage, 255, 0, 0);
  std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                             scratch.path() / "res" / "fonts" / "Cookies.ttf");
  patient.loadSprites();
  bubbleField.bubbleList = kNoSprite;  // this case's bubble picture, after any other case's
  bubbleField.loadSprites();
  Wallet::instance().initialise();
  Wallet::instance().shownMoney = 88888.0f;

  // A grown bubble that bursts in the frame's first sub-step, and a big one,
  // 0.92 world units across, that stays, clear of the wall.
  for (const auto& [mass, x, y] : {std::tuple{5.0f, -2.0f, 2.0f}, {4.0f, 0.6f, 1.5f}})
    addBubble(bubbleField, Bubble::kPlainKind, x, y, mass)->shellList = bubbleField.bubbleList;
  // A click's sparks start bright over the big bubble's lower half and stay
  // there: at every angle round the circle, launched at no speed.
  for (int spark = 0; spark < PopBurst::kSparkCount; ++spark)
    random.values.insert(random.values.end(), {spark * 100, 0, 0});
  BurstList::instance().spawnClickBurst(0.6f, 1.25f, 0.05f);
  // A chain of two shows its text where the second burst was; risen and grown
  // for 0.4 s, its first letters lie across the top of the big bubble.
  Wallet::instance().registerPop(0.3f, 0.8f);
  Wallet::instance().registerPop(0.3f, 0.8f);
  for (int tenth = 0; tenth < 4; ++tenth) FloatingTextList::instance().update(0.1f);
  GameState = kPlaying;
  frameAfter(0.02);

  const auto& bursts = BurstList::instance().bursts;
  ASSERT_GE(bursts.size(), 2u) << "the grown bubble must burst";
  EXPECT_GT(bursts[1].phaseClock, 0.0f) << "a burst born in the field's step is updated in the same frame";
  EXPECT_TRUE(window->shows(Patient::kHeadRig.x, static_cast<float>(Patient::kHeadRig.y), 220, 0, 0))
      << "the patient shows where the background is clear";
  EXPECT_TRUE(
      window->shows(Patient::kLeftArmRig.x, static_cast<float>(Patient::kLeftArmRig.y), 255, 255, 255))
      << "the background covers the patient where it is opaque";
  EXPECT_TRUE(window->shows(0.98f, 1.12f, 0, 200, 0)) << "bubbles lie over the background";
  // How many pixels of a world box, every second one each way, pass.
  const auto count = [&](float x0, float y0, float x1, float y1, auto pass) {
    const auto from = GlTestWindow::worldToPixel(x0, y1), to = GlTestWindow::worldToPixel(x1, y0);
    int n = 0;
    for (int py = from[1]; py < to[1]; py += 2)
      for (int px = from[0]; px < to[0]; px += 2) n += pass(window->pixel(px, py)) ? 1 : 0;
    return n;
  };
  EXPECT_GT(count(0.3f, 1.08f, 0.9f, 1.5f, [](Rgba p) { return near(p, 178, 0, 0, 60); }), 5)
      << "the sparks are hidden behind the bubble";
  EXPECT_GT(count(0.32f, 1.64f, 1.02f, 1.92f, [](Rgba p) { return !near(p, 0, 200, 0, 40); }), 100)
      << "the chain text is hidden behind the bubble it was written over";
  // Ink just above and right of where each number starts.
  for (const auto& [x, y] :
       {std::pair{Wallet::kMoneyX, Wallet::kMoneyY}, {Wallet::kBestChainX, Wallet::kBestChainY}})
    EXPECT_GT(count(x, y, x + 0.94f, y + 0.39f, [](Rgba p) { return near(p, 0, 0, 0, 60); }), 20)
        << "the money or the best chain at (" << x << ", " << y << ") is not printed over the background";
}

}  // namespace
