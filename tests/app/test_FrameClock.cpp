#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "app/Backdrop.h"
#include "app/FrameClock.h"
#include "app/GameState.h"
#include "fx/Patient.h"
#include "gfx/GlIncludes.h"
#include "sim/BubbleField.h"
#include "support/GlTestWindow.h"
#include "support/RecordingAudio.h"
#include "support/ScratchDir.h"
#include "support/TgaWriter.h"

namespace {

FrameClock clockAt(std::int32_t lastMs) {
  FrameClock clock;
  clock.lastMs = lastMs;
  return clock;
}

TEST(FrameClockTick, MeasuresTheFrameAndClampsStalls) {
  FrameClock clock = clockAt(1000);
  clock.tickAt(1016);
  EXPECT_DOUBLE_EQ(clock.dt(), 0.016);
  clock.tickAt(1016);
  EXPECT_DOUBLE_EQ(clock.dt(), 0.0) << "two ticks in the same millisecond";
  clock.tickAt(1136);
  EXPECT_DOUBLE_EQ(clock.dt(), 0.12) << "exactly 0.12 s stays";
  clock.tickAt(1636);
  EXPECT_DOUBLE_EQ(clock.dt(), 0.12) << "a 500 ms stall advances the game by 0.12 s only";
  EXPECT_EQ(clock.lastMs, 1636);
}

TEST(FrameClockTick, SurvivesTheWrapOfTheMillisecondCounter) {
  // 6 ms below the 32-bit wrap, then a reading of 5: 11 ms have passed.
  FrameClock clock = clockAt(static_cast<std::int32_t>(std::numeric_limits<std::uint32_t>::max() - 5));
  clock.tickAt(5);
  EXPECT_DOUBLE_EQ(clock.dt(), 0.011);
  // And across the signed boundary, which a signed difference would get wrong.
  clock = clockAt(std::numeric_limits<std::int32_t>::max() - 9);
  clock.tickAt(std::numeric_limits<std::int32_t>::min() + 10);
  EXPECT_DOUBLE_EQ(clock.dt(), 0.02);
}

// The frame, drawn for real: each screen picture in its own colour.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = &GlTestWindow::open();
    writeSolidTga(scratch.image("titlescreen.tga"), 8, 8, 200, 30, 30);
    writeSolidTga(scratch.image("instructions.tga"), 8, 8, 30, 200, 30);
    writeSolidTga(scratch.image("background.tga"), 8, 8, 30, 30, 200);
    audio = RecordingAudio::install();
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
    EXPECT_EQ(GlTestWindow::modelViewDepth(), depth) << "a frame must leave the model-view stack as it found it";
  }

  Rgba shown(int x, int y) { return window->pixel(x, y); }

  ScratchDir scratch;
  GlTestWindow* window = nullptr;
  std::shared_ptr<RecordingAudio::Log> audio;
};

TEST_F(FrameTest, TitleAndInstructionsShowTheirPictureAndNothingMoves) {
  GameState = kTitleScreen;
  frameAfter(0.5);
  EXPECT_TRUE(near(shown(512, 384), 200, 30, 30));
  EXPECT_TRUE(near(shown(0, 0), 200, 30, 30));
  GameState = kInstructionsScreen;
  frameAfter(0.5);
  EXPECT_TRUE(near(shown(512, 384), 30, 200, 30));
  EXPECT_TRUE(near(shown(1023, 767), 30, 200, 30));
  EXPECT_TRUE(bubbleField.bubbles.empty()) << "no bubble may spawn before play";
  EXPECT_FLOAT_EQ(bubbleField.clock, 0.0f);
  EXPECT_FLOAT_EQ(patient.clock, 0.0f);
}

TEST_F(FrameTest, PlayingFramesAdvanceEverythingByTheClampedFrameTime) {
  GameState = kPlaying;
  frameAfter(0.5);
  EXPECT_FLOAT_EQ(bubbleField.clock, 0.12f) << "a long frame advances the field by 0.12 s";
  EXPECT_FLOAT_EQ(patient.clock, 0.12f);
  EXPECT_FALSE(bubbleField.bubbles.empty()) << "the first playing frame spawns bubbles";
  // Where nothing else is drawn, the playing background shows.
  EXPECT_TRUE(near(shown(1010, 10), 30, 30, 200));
}

TEST_F(FrameTest, NothingIsUpdatedBeforeInitialisationHasFinished) {
  GameState = kPlaying;
  FrameClock::instance().started = false;
  frameAfter(0.05);
  EXPECT_FLOAT_EQ(bubbleField.clock, 0.0f);
  EXPECT_TRUE(bubbleField.bubbles.empty());
  EXPECT_TRUE(near(shown(1010, 10), 30, 30, 200)) << "drawing does not depend on the started flag";
}

}  // namespace
