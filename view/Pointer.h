#pragma once
// Turns GLUT's mouse and keyboard events into game actions: keeps the pointer's
// world position, keeps the nearest bubble selected while the mouse moves, asks
// the field for a click's burst on a left press, moves the screens on with any
// button, and zooms the camera with 'w' and 's'. Called only by the GLUT
// callbacks (and, once a frame, to keep the selection).

#include <array>
#include <cstdint>

class Pointer {
 public:
  static constexpr int kButtonCount = 3;  // GLUT's left, middle and right

  static Pointer& instance();

  void onButton(int button, int state, int x, int y);
  void onDrag(int x, int y);
  void onHover(int x, int y);
  void onKey(unsigned char key, int x, int y);
  void mapToWorld(double x, double y);
  // Called after the field's step, before the frame is drawn: while the field
  // holds bubbles, a pointer that has been seen always has a selection, so a
  // still pointer's next click is never lost when the field destroyed the
  // selected bubble (a merge or a burst) since the last motion event.
  void keepSelection();

  float worldX = 0.0f;
  float worldY = 0.0f;
  bool seen = false;  // whether any motion event has placed the pointer yet
  // The last GLUT state of each button: 0 down, 1 up.
  std::array<std::int16_t, kButtonCount> buttons{1, 1, 1};
};

// What a button event does in play: a left press bursts the selected bubble.
void handlePress(float x, float y, bool leftPressed, bool isPress);
// What a motion event does: re-select, print the position, or nothing.
void handleMove(float x, float y, bool leftHeld, bool rightHeldAlone);
