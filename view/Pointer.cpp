#include "view/Pointer.h"

#include <cstdio>

#include "app/GameState.h"
#include "audio/SoundBank.h"
#include "fx/BurstList.h"
#include "gfx/GlIncludes.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"
#include "util/MathHelpers.h"
#include "util/Random.h"
#include "view/Camera.h"

namespace {
constexpr double kZoomStep = 0.5;        // world units of camera z per key press
constexpr double kCostPerMass = -100.0;  // money per unit of a clicked bubble's mass
}  // namespace

Pointer& Pointer::instance() {
  static Pointer* pointer = new Pointer();
  return *pointer;
}

void Pointer::onButton(int button, int state, int /*x*/, int /*y*/) {
  if (button >= 0 && button < kButtonCount) buttons[button] = static_cast<std::int16_t>(state);

  if (state == GLUT_DOWN && GameState == kTitleScreen) {
    GameState = kInstructionsScreen;
    return;
  }
  if (state == GLUT_DOWN && GameState == kInstructionsScreen) {
    GameState = kPlaying;
    return;
  }
  // The press acts where the pointer was last seen moving, not at the event's
  // own coordinates.
  handlePress(worldX, worldY, button == GLUT_LEFT_BUTTON && state == GLUT_DOWN, state == GLUT_DOWN);
}

void Pointer::onDrag(int x, int y) {
  mapToWorld(x, y);
  const bool leftHeld = buttons[GLUT_LEFT_BUTTON] == GLUT_DOWN;
  const bool rightHeldAlone = buttons[GLUT_RIGHT_BUTTON] == GLUT_DOWN && !leftHeld;
  handleMove(worldX, worldY, leftHeld, rightHeldAlone);
}

void Pointer::onHover(int x, int y) {
  mapToWorld(x, y);
  handleMove(worldX, worldY, false, false);
}

void Pointer::onKey(unsigned char key, int /*x*/, int /*y*/) {
  if (key == 'w') {
    Camera::instance().move(0.0, 0.0, -kZoomStep);
  } else if (key == 's') {
    Camera::instance().move(0.0, 0.0, kZoomStep);
  }
}

void Pointer::mapToWorld(double x, double y) {
  const Camera::WorldPoint world = Camera::instance().viewToWorld(x, y);
  worldX = world.x;
  worldY = world.y;
  seen = true;
}

void Pointer::keepSelection() {
  if (seen && bubbleField.selectedBubble == nullptr)
    bubbleField.selectedBubble = bubbleField.nearest(worldX, worldY);
}

void handlePress(float x, float y, bool leftPressed, bool isPress) {
  if (!isPress || !leftPressed) return;
  // The selected bubble is the one the ring shows, even if another has drifted
  // nearer since. With nothing selected (the field destroyed the selection
  // since the last frame) the click takes the bubble nearest the pointer; only
  // an empty field leaves it touching nothing at all, not even the sound.
  Bubble* bubble = bubbleField.selectedBubble;
  if (bubble == nullptr) bubble = bubbleField.nearest(x, y);
  if (bubble == nullptr) return;

  SoundBank::instance().playSound(SoundBank::kClickFirst + randBelow(SoundBank::kClickCount));
  const float bx = bubble->x;
  const float by = bubble->y;
  const float radius = bubble->radius;
  const float mass = bubble->mass;
  BurstList::instance().spawnClickBurst(bx, by, radius);
  bubbleField.remove(bubble);
  bubbleField.selectedBubble = bubbleField.nearest(x, y);
  Wallet::instance().addMoney(roundToInt(static_cast<double>(mass) * kCostPerMass));
  Wallet::instance().resetChain();
}

void handleMove(float x, float y, bool leftHeld, bool rightHeldAlone) {
  if (leftHeld) return;
  if (rightHeldAlone) {
    std::printf("\nmouse: x: %f, y: %f", static_cast<double>(x), static_cast<double>(y));
    std::fflush(stdout);
    return;
  }
  bubbleField.selectedBubble = bubbleField.nearest(x, y);
}
