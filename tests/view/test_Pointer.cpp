#include <gtest/gtest.h>

#include <memory>

#include "fx/BurstList.h"
#include "gfx/GlIncludes.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"
#include "support/GlTestWindow.h"
#include "support/PlayState.h"
#include "support/RecordingAudio.h"
#include "support/ScriptedRandom.h"
#include "view/Camera.h"
#include "view/GameState.h"
#include "view/Pointer.h"

namespace {

class PointerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    audio = RecordingAudio::install();
    resetPlayState();
    Camera::instance() = Camera();
    Pointer::instance() = Pointer();
    GameState = kPlaying;
  }
  static Bubble* place(float x, float y, float mass = 0.5f) { return addBubble(bubbleField, 0, x, y, mass); }
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

  // Nothing a player would notice has happened: no sound, burst, payment or pop.
  void expectUntouched(std::size_t bubbles) const {
    EXPECT_EQ(bubbleField.bubbles.size(), bubbles);
    EXPECT_TRUE(audio->played.empty());
    EXPECT_EQ(Wallet::instance().money, kStartMoney);
    EXPECT_TRUE(BurstList::instance().bursts.empty());
  }

  std::shared_ptr<RecordingAudio::Log> audio;
};

TEST_F(PointerTest, LeftPressBurstsTheSelectedBubbleAloneAtAPriceRoundedHalfUp) {
  Bubble* heavy = place(-2.0f, 2.0f, 0.557f);
  Bubble* light = place(0.0f, 2.0f, 0.125f);
  Bubble* far = place(2.0f, 4.0f);
  // A glowing bubble of the others' kind: grown, it would take them all along.
  for (Bubble* bubble : {heavy, light, far}) bubble->kind = 2;
  light->special = true;
  Wallet::instance().chain = 3;
  hoverAt(0.125f, 2.0f);
  ASSERT_EQ(bubbleField.selectedBubble, light);

  ScriptedRandom random;
  random.values = {3};  // click sound 20 + 3
  // The press acts where the pointer was last seen, not at its own coordinates.
  const auto farPixel = GlTestWindow::worldToPixel(far->x, far->y);
  Pointer::instance().onButton(GLUT_LEFT_BUTTON, GLUT_DOWN, farPixel[0], farPixel[1]);
  EXPECT_EQ(audio->played, std::vector<int>({23}));
  EXPECT_EQ(bubbleField.bubbles, (std::vector<Bubble*>{heavy, far})) << "a clicked bubble bursts alone";
  EXPECT_EQ(bubbleField.selectedBubble, heavy) << "the bubble nearest the pointer is selected anew";
  EXPECT_EQ(Wallet::instance().money, kStartMoney - 12)
      << "mass 0.125 costs 12: the half rounds to the lower cost";
  EXPECT_EQ(Wallet::instance().chain, 0) << "a click ends the chain";
  const auto& bursts = BurstList::instance().bursts;
  ASSERT_EQ(bursts.size(), 1u);
  EXPECT_EQ(bursts[0].launchSpeed, PopBurst::kClickLaunch) << "a click gets the click burst";

  release(GLUT_LEFT_BUTTON);
  random.values = {11};  // click sound 20 + 11 % 6
  press(GLUT_LEFT_BUTTON);
  EXPECT_EQ(audio->played, std::vector<int>({23, 25})) << "the last of the six click sounds";
  EXPECT_EQ(bubbleField.bubbles, (std::vector<Bubble*>{far})) << "the next click bursts the new selection";
  EXPECT_EQ(bubbleField.selectedBubble, far);
  EXPECT_EQ(Wallet::instance().money, kStartMoney - 12 - 56) << "mass 0.557 costs 56, not 55";
}

TEST_F(PointerTest, OnlyALeftPressWithABubbleSelectedDoesAnythingInPlay) {
  press(GLUT_LEFT_BUTTON);  // an empty field: nothing to burst
  release(GLUT_LEFT_BUTTON);
  Bubble* selected = place(0.0f, 2.0f, 2.0f);
  place(1.0f, 2.0f);
  hoverAt(0.0f, 2.0f);
  const Pointer& pointer = Pointer::instance();
  const float x = pointer.worldX;
  const float y = pointer.worldY;
  for (int button : {GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON, 3, 4, 7, 300}) {
    press(button);
    release(button);
  }
  press(3);
  EXPECT_EQ(bubbleField.selectedBubble, selected);
  EXPECT_TRUE(pointer.buttons[0] == 1 && pointer.buttons[1] == 1 && pointer.buttons[2] == 1);
  EXPECT_TRUE(pointer.worldX == x && pointer.worldY == y) << "a button past the three wrote over the pointer";

  Wallet::instance().chain = 2;
  bubbleField.remove(bubbleField.bubbles.back());
  bubbleField.remove(selected);
  press(GLUT_LEFT_BUTTON);
  expectUntouched(0);
  EXPECT_EQ(Wallet::instance().chain, 2) << "a click on an empty field keeps the chain";
  EXPECT_EQ(GameState, kPlaying);
}

TEST_F(PointerTest, AStillPointerKeepsASelectionSoNoClickIsLost) {
  Bubble* under = place(0.0f, 2.0f);
  Bubble* beside = place(0.75f, 2.0f);
  place(3.0f, 5.0f);
  Pointer::instance().keepSelection();
  EXPECT_EQ(bubbleField.selectedBubble, nullptr) << "a pointer never seen selects nothing";
  hoverAt(0.0f, 2.0f);
  ASSERT_EQ(bubbleField.selectedBubble, under);

  // The field merges or bursts the selected bubble while the pointer is still.
  bubbleField.remove(under);
  Pointer::instance().keepSelection();
  EXPECT_EQ(bubbleField.selectedBubble, beside) << "the ring moves to the bubble nearest the still pointer";

  // Destroyed again with no frame between: the press itself takes the nearest.
  bubbleField.remove(beside);
  press(GLUT_LEFT_BUTTON);
  release(GLUT_LEFT_BUTTON);
  EXPECT_TRUE(bubbleField.bubbles.empty()) << "the click must burst the bubble nearest the pointer";
  EXPECT_EQ(audio->played.size(), 1u);
  EXPECT_LT(Wallet::instance().money, kStartMoney);

  // With a selection, the press bursts the bubble the ring shows, even when
  // another has drifted nearer the pointer since.
  Bubble* ringed = place(1.0f, 2.0f);
  Bubble* drifter = place(2.0f, 4.0f);
  hoverAt(0.5f, 2.0f);
  ASSERT_EQ(bubbleField.selectedBubble, ringed);
  drifter->x = 0.5f;
  drifter->y = 2.0f;
  press(GLUT_LEFT_BUTTON);
  EXPECT_EQ(bubbleField.bubbles, (std::vector<Bubble*>{drifter}));
}

TEST_F(PointerTest, MovingSelectsTheNearestBubbleUnlessTheLeftOrOnlyTheRightButtonIsHeld) {
  hoverAt(0.0f, 3.0f);
  EXPECT_EQ(bubbleField.selectedBubble, nullptr) << "an empty field selects nothing";
  Bubble* left = place(-2.0f, 2.0f);
  Bubble* middle = place(0.0f, 2.0f);
  Bubble* high = place(2.0f, 4.0f);
  hoverAt(0.25f, 2.125f);
  EXPECT_EQ(bubbleField.selectedBubble, middle);
  hoverAt(3.9f, 5.9f);
  EXPECT_EQ(bubbleField.selectedBubble, high) << "however far";
  press(GLUT_MIDDLE_BUTTON);
  dragTo(-3.0f, 1.0f);
  EXPECT_EQ(bubbleField.selectedBubble, left) << "the middle button held selects just the same";
  release(GLUT_MIDDLE_BUTTON);
  expectUntouched(3);

  press(GLUT_LEFT_BUTTON);  // bursts the left one, selects the middle one
  ASSERT_EQ(bubbleField.selectedBubble, middle);
  dragTo(2.0f, 4.0f);
  EXPECT_EQ(bubbleField.selectedBubble, middle) << "the left button held keeps the selection";
  press(GLUT_RIGHT_BUTTON);
  testing::internal::CaptureStdout();
  dragTo(2.0f, 4.0f);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "left and right held: no line";
  EXPECT_EQ(bubbleField.selectedBubble, middle);

  release(GLUT_LEFT_BUTTON);
  testing::internal::CaptureStdout();
  Pointer::instance().onDrag(512, 384);
  Pointer::instance().onDrag(0, 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "\nmouse: x: 0.000000, y: 3.000000\nmouse: x: -4.000000, y: 6.000000");
  EXPECT_EQ(bubbleField.selectedBubble, middle) << "the right button alone only prints";
  release(GLUT_RIGHT_BUTTON);
  hoverAt(2.0f, 4.0f);
  EXPECT_EQ(bubbleField.selectedBubble, high) << "released, the next move selects again";
}

}  // namespace
