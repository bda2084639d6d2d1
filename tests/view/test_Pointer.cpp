#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/GameState.h"
#include "audio/SoundBank.h"
#include "fx/BurstList.h"
#include "gfx/GlIncludes.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"
#include "support/ScriptedRandom.h"
#include "support/GlTestWindow.h"
#include "support/RecordingAudio.h"
#include "view/Camera.h"
#include "view/Pointer.h"

namespace {

constexpr int kStartMoney = 20000;
constexpr float kPixel = 1.0f / 128.0f;  // world units a window pixel, default camera

class PointerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    audio = RecordingAudio::install();
    Wallet::instance() = Wallet();
    BurstList::instance() = BurstList();
    Camera::instance() = Camera();
    Pointer::instance() = Pointer();
    clearField();
    GameState = kPlaying;
  }
  void TearDown() override { clearField(); }

  static void clearField() {
    while (!bubbleField.bubbles.empty()) bubbleField.remove(bubbleField.bubbles.back());
    bubbleField.selectedBubble = nullptr;
  }

  static Bubble* place(float x, float y, float mass = 0.5f) {
    auto* bubble = new Bubble();
    bubble->setMass(mass);
    bubble->x = x;
    bubble->y = y;
    bubbleField.bubbles.push_back(bubble);
    return bubble;
  }

  static void hoverAt(float x, float y) {
    const auto pixel = GlTestWindow::worldToPixel(x, y);
    Pointer::instance().onHover(pixel[0], pixel[1]);
  }
  static void dragTo(float x, float y) {
    const auto pixel = GlTestWindow::worldToPixel(x, y);
    Pointer::instance().onDrag(pixel[0], pixel[1]);
  }
  static void press(int button) { Pointer::instance().onButton(button, GLUT_DOWN, 0, 0); }
  static void release(int button) { Pointer::instance().onButton(button, GLUT_UP, 0, 0); }

  std::shared_ptr<RecordingAudio::Log> audio;
};

TEST_F(PointerTest, HoveringSelectsTheNearestBubbleHoweverFar) {
  Bubble* left = place(-2.0f, 2.0f);
  Bubble* middle = place(0.0f, 2.0f);
  Bubble* high = place(2.0f, 4.0f);
  hoverAt(0.25f, 2.125f);
  EXPECT_EQ(bubbleField.selectedBubble, middle);
  EXPECT_NEAR(Pointer::instance().worldX, 0.25f, kPixel);
  EXPECT_NEAR(Pointer::instance().worldY, 2.125f, kPixel);
  hoverAt(3.9f, 5.9f);
  EXPECT_EQ(bubbleField.selectedBubble, high);

  // Moving with only the middle button held selects just the same.
  press(GLUT_MIDDLE_BUTTON);
  dragTo(-3.0f, 1.0f);
  EXPECT_EQ(bubbleField.selectedBubble, left);
  release(GLUT_MIDDLE_BUTTON);

  clearField();
  hoverAt(0.0f, 3.0f);
  EXPECT_EQ(bubbleField.selectedBubble, nullptr) << "an empty field selects nothing";
  EXPECT_TRUE(audio->played.empty());
}

TEST_F(PointerTest, LeftPressBurstsTheSelectedBubbleAtAPrice) {
  Bubble* heavy = place(-2.0f, 2.0f, 1.5f);
  Bubble* light = place(0.0f, 2.0f, 0.125f);
  Bubble* far = place(2.0f, 4.0f);
  const float lightRadius = light->radius;
  Wallet::instance().chain = 3;
  Wallet::instance().bestChain = 5;
  hoverAt(0.125f, 2.0f);
  ASSERT_EQ(bubbleField.selectedBubble, light);

  ScriptedRandom random;
  random.values = {3};  // click sound 20 + 3
  // The press acts where the pointer was last seen, not at its own coordinates.
  const auto farPixel = GlTestWindow::worldToPixel(far->x, far->y);
  Pointer::instance().onButton(GLUT_LEFT_BUTTON, GLUT_DOWN, farPixel[0], farPixel[1]);

  EXPECT_EQ(audio->played, std::vector<int>({23}));
  ASSERT_EQ(bubbleField.bubbles.size(), 2u);
  EXPECT_EQ(bubbleField.bubbles[0], heavy);
  EXPECT_EQ(bubbleField.bubbles[1], far);
  EXPECT_EQ(bubbleField.selectedBubble, heavy) << "the nearest bubble to the pointer is selected anew";
  EXPECT_EQ(Wallet::instance().money, kStartMoney - 12)
      << "mass 0.125 costs 12: the half goes to the lower cost";
  EXPECT_EQ(Wallet::instance().chain, 0);
  EXPECT_EQ(Wallet::instance().bestChain, 5);
  const auto& bursts = BurstList::instance().bursts;
  ASSERT_EQ(bursts.size(), 1u);
  EXPECT_EQ(bursts[0].launchSpeed, PopBurst::kClickLaunch) << "a click gets the click burst";
  for (const Spark& spark : bursts[0].sparks) {
    ASSERT_NEAR(std::hypot(spark.x - 0.0f, spark.y - 2.0f), lightRadius, 1e-4)
        << "the burst rings the bubble";
  }

  // Without moving, the next click bursts the bubble selected after the last.
  release(GLUT_LEFT_BUTTON);
  random.values = {0};
  press(GLUT_LEFT_BUTTON);
  EXPECT_EQ(audio->played, std::vector<int>({23, 20}));
  ASSERT_EQ(bubbleField.bubbles.size(), 1u);
  EXPECT_EQ(bubbleField.bubbles[0], far);
  EXPECT_EQ(bubbleField.selectedBubble, far);
  EXPECT_EQ(Wallet::instance().money, kStartMoney - 12 - 150);
  EXPECT_EQ(BurstList::instance().bursts.size(), 2u);
}

TEST_F(PointerTest, ClickSoundIsOneOfTheSixClickSamples) {
  for (int i = 0; i < 40; ++i) place(static_cast<float>(i % 8) - 3.5f, 1.0f + static_cast<float>(i / 8));
  // A fixed, well-mixed sequence, so every click sample is reached for sure.
  ScriptedRandom random;
  unsigned state = 12345u;
  randomSource().draw = [&state] {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7fffu);
  };
  for (int i = 0; i < 40; ++i) {
    hoverAt(0.0f, 3.0f);
    press(GLUT_LEFT_BUTTON);
    release(GLUT_LEFT_BUTTON);
  }
  EXPECT_TRUE(bubbleField.bubbles.empty());
  ASSERT_EQ(audio->played.size(), 40u);
  bool seen[SoundBank::kClickCount] = {};
  for (int index : audio->played) {
    ASSERT_GE(index, 20);
    ASSERT_LE(index, 25);
    seen[index - 20] = true;
  }
  for (int i = 0; i < SoundBank::kClickCount; ++i) EXPECT_TRUE(seen[i]) << "click sound " << 20 + i;
}

TEST_F(PointerTest, OtherButtonsAndReleasesDoNothingInPlay) {
  Bubble* bubble = place(0.0f, 2.0f, 2.0f);
  place(1.0f, 2.0f);
  hoverAt(0.0f, 2.0f);
  for (int button : {GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON, 3, 4}) {
    press(button);
    release(button);
  }
  release(GLUT_LEFT_BUTTON);
  EXPECT_EQ(bubbleField.bubbles.size(), 2u);
  EXPECT_EQ(bubbleField.selectedBubble, bubble);
  EXPECT_TRUE(audio->played.empty());
  EXPECT_EQ(Wallet::instance().money, kStartMoney);
  EXPECT_TRUE(BurstList::instance().bursts.empty());
  EXPECT_EQ(GameState, kPlaying);
}

TEST_F(PointerTest, MovingWithTheLeftButtonHeldKeepsTheSelection) {
  Bubble* first = place(-2.0f, 2.0f);
  Bubble* second = place(0.0f, 2.0f);
  Bubble* third = place(2.0f, 2.0f);
  hoverAt(-2.0f, 2.0f);
  press(GLUT_LEFT_BUTTON);  // bursts the first, selects the second
  ASSERT_EQ(bubbleField.selectedBubble, second);
  (void)first;

  dragTo(2.0f, 2.0f);
  EXPECT_EQ(bubbleField.selectedBubble, second);
  EXPECT_NEAR(Pointer::instance().worldX, 2.0f, kPixel) << "the pointer position still follows";
  press(GLUT_RIGHT_BUTTON);  // left and right together: still no change, no line
  testing::internal::CaptureStdout();
  dragTo(2.0f, 2.5f);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(bubbleField.selectedBubble, second);
  release(GLUT_RIGHT_BUTTON);

  release(GLUT_LEFT_BUTTON);
  hoverAt(2.0f, 2.0f);
  EXPECT_EQ(bubbleField.selectedBubble, third) << "released, the next move selects again";
}

TEST_F(PointerTest, MovingWithOnlyTheRightButtonHeldPrintsThePosition) {
  Bubble* bubble = place(-2.0f, 2.0f);
  place(0.0f, 3.0f);
  hoverAt(-2.0f, 2.0f);
  press(GLUT_RIGHT_BUTTON);
  testing::internal::CaptureStdout();
  Pointer::instance().onDrag(512, 384);
  Pointer::instance().onDrag(0, 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "\nmouse: x: 0.000000, y: 3.000000\nmouse: x: -4.000000, y: 6.000000");
  EXPECT_EQ(bubbleField.selectedBubble, bubble) << "the right button only prints";
  EXPECT_TRUE(audio->played.empty());
}

TEST_F(PointerTest, ButtonNumbersAboveTwoAreNotRecorded) {
  hoverAt(1.0f, 1.0f);
  const float x = Pointer::instance().worldX;
  const float y = Pointer::instance().worldY;
  for (int button : {3, 4, 7, 300}) {
    press(button);
    release(button);
  }
  press(3);
  const Pointer& pointer = Pointer::instance();
  EXPECT_EQ(pointer.buttons[0], 1);
  EXPECT_EQ(pointer.buttons[1], 1);
  EXPECT_EQ(pointer.buttons[2], 1);
  EXPECT_EQ(pointer.worldX, x);
  EXPECT_EQ(pointer.worldY, y);
  press(GLUT_RIGHT_BUTTON);
  EXPECT_EQ(pointer.buttons[2], 0) << "the real buttons are still recorded";
}

TEST_F(PointerTest, LeftPressWithNothingSelectedTouchesNothing) {
  press(GLUT_LEFT_BUTTON);  // empty field
  release(GLUT_LEFT_BUTTON);
  Bubble* kept = place(0.0f, 2.0f);
  place(1.0f, 2.0f);
  hoverAt(0.0f, 2.0f);
  bubbleField.remove(kept);  // the selection is destroyed by the field
  ASSERT_EQ(bubbleField.selectedBubble, nullptr);
  Wallet::instance().chain = 2;
  press(GLUT_LEFT_BUTTON);
  EXPECT_EQ(bubbleField.bubbles.size(), 1u);
  EXPECT_EQ(Wallet::instance().money, kStartMoney);
  EXPECT_EQ(Wallet::instance().chain, 2);
  EXPECT_TRUE(BurstList::instance().bursts.empty());
  EXPECT_TRUE(audio->played.empty());
}

TEST_F(PointerTest, AnyButtonPressMovesThroughTheScreensAndDoesNothingElse) {
  GameState = kTitleScreen;
  Bubble* bubble = place(0.0f, 2.0f);
  bubbleField.selectedBubble = bubble;
  press(GLUT_LEFT_BUTTON);
  EXPECT_EQ(GameState, kInstructionsScreen);
  release(GLUT_LEFT_BUTTON);
  EXPECT_EQ(GameState, kInstructionsScreen) << "a release changes nothing";
  press(GLUT_RIGHT_BUTTON);
  EXPECT_EQ(Pointer::instance().buttons[2], 0) << "the press is still recorded";
  EXPECT_EQ(GameState, kPlaying);
  release(GLUT_RIGHT_BUTTON);
  EXPECT_EQ(bubbleField.bubbles.size(), 1u) << "a screen press bursts nothing";
  EXPECT_TRUE(audio->played.empty());
  EXPECT_EQ(Wallet::instance().money, kStartMoney);

  press(GLUT_LEFT_BUTTON);
  EXPECT_TRUE(bubbleField.bubbles.empty()) << "in play the left press bursts";
  EXPECT_EQ(GameState, kPlaying) << "play never goes back";
}

TEST_F(PointerTest, ZoomKeysMoveTheCameraOnEveryScreen) {
  GlTestWindow::open();
  GameState = kTitleScreen;
  Pointer::instance().onKey('w', 0, 0);
  Pointer::instance().onKey('w', 100, 100);
  EXPECT_DOUBLE_EQ(Camera::instance().offsetZ, -4.0);
  Pointer::instance().onKey('W', 0, 0);
  EXPECT_DOUBLE_EQ(Camera::instance().offsetZ, -4.0);
  Pointer::instance().onKey('s', 0, 0);
  EXPECT_DOUBLE_EQ(Camera::instance().offsetZ, -3.5);
  EXPECT_EQ(GameState, kTitleScreen) << "keys never move the screens on";
}

}  // namespace
