#include "app/FrameClock.h"

#include "app/Backdrop.h"
#include "app/GlState.h"
#include "assets/AssetTree.h"
#include "audio/SoundBank.h"
#include "fx/BurstList.h"
#include "fx/Patient.h"
#include "gfx/GlIncludes.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"
#include "view/Camera.h"
#include "view/GameState.h"
#include "view/Pointer.h"

namespace {
constexpr double kSecondsPerMs = 0.001;
}  // namespace

FrameClock::FrameClock() : lastMs(glutGet(GLUT_ELAPSED_TIME)) {}

FrameClock& FrameClock::instance() {
  static FrameClock* clock = new FrameClock();
  return *clock;
}

void FrameClock::tick() { tickAt(glutGet(GLUT_ELAPSED_TIME)); }

void FrameClock::tickAt(std::int32_t elapsedMs) {
  nowMs = elapsedMs;
  const std::uint32_t difference = static_cast<std::uint32_t>(nowMs) - static_cast<std::uint32_t>(lastMs);
  dtSeconds = difference * kSecondsPerMs;
  if (dtSeconds > kMaxFrameSeconds) dtSeconds = kMaxFrameSeconds;
  lastMs = nowMs;
}

void FrameClock::initialise() {
  applyFixedGlState();
  Backdrop::instance().loadSprites();
  Backdrop::instance().setRect(Camera::kWorldTop, Camera::kWorldRight, Camera::kWorldBottom,
                               Camera::kWorldLeft);
  Wallet::instance().initialise();
  bubbleField.loadSprites();
  patient.loadSprites();
  SoundBank::instance().loadSounds();
  SoundBank::instance().playMusic(AssetTree::kMusic.path);
  GameState = kTitleScreen;
  started = true;
}

void FrameClock::drawFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  tick();

  // Nothing moves on the first two screens: only their picture is drawn.
  if (GameState == kTitleScreen || GameState == kInstructionsScreen) {
    if (GameState == kTitleScreen) {
      Backdrop::instance().drawTitle();
    } else {
      Backdrop::instance().drawInstructions();
    }
    glutSwapBuffers();
    glPopMatrix();
    return;
  }

  if (started) updateAll();

  patient.render();
  Backdrop::instance().drawBackground();
  bubbleField.render();
  BurstList::instance().render();
  Wallet::instance().draw();

  glutSwapBuffers();
  glPopMatrix();
}

void FrameClock::updateAll() {
  const float frameSeconds = static_cast<float>(dtSeconds);
  bubbleField.step(frameSeconds);
  Pointer::instance().keepSelection();
  BurstList::instance().update(frameSeconds);
  patient.update(frameSeconds);
  Wallet::instance().update(frameSeconds);
}

void FrameClock::requestRedisplay() { glutPostRedisplay(); }
