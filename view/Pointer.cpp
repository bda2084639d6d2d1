#include "view/Pointer.h"

#include <cstdio>

#include "gfx/GlIncludes.h"
#include "sim/BubbleField.h"
#include "view/Camera.h"
#include "view/GameState.h"

namespace {
constexpr double kZoomStep = 0.5;  // world units of camera z per key press
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
  if (isPress && leftPressed) bubbleField.clickBurst(x, y);
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
