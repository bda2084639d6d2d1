#pragma once
// The one GLUT window of the browser build: the page's canvas, its WebGL
// context, the callbacks a GLUT program registers, and the rules by which
// browser events become GLUT events.
//
// The page's script (library_web_window.js) turns pointer, touch, wheel and
// key events into calls of the plombrix_window_* functions below, with
// positions already in drawing-buffer pixels, however the canvas is scaled.
// Everything GLUT promises is decided here: which motion is a drag, that a
// held key repeats only when asked, that the first frame is preceded by a
// reshape, that frames stop while the page is hidden.

#include <cstdint>

class WebWindow {
 public:
  using DisplayFunc = void (*)();
  using ReshapeFunc = void (*)(int, int);
  using MouseFunc = void (*)(int, int, int, int);
  using MotionFunc = void (*)(int, int);
  using KeyboardFunc = void (*)(unsigned char, int, int);
  using SpecialFunc = void (*)(int, int, int);

  static constexpr int kButtons = 5;  // left, middle, right and the wheel's two
  static constexpr int kWheelUpButton = 3;
  static constexpr int kWheelDownButton = 4;

  static WebWindow& instance();

  void initialise();
  void setInitialSize(int width, int height);
  // Makes the WebGL context on the canvas; false when the browser has none.
  bool create(const char* title);
  bool created() const { return context_ != 0; }
  void setTitle(const char* title);
  void requestSize(int width, int height);

  // The browser's events, as the page's script reports them.
  void onPointerMove(int x, int y);
  void onButton(int button, bool down, int x, int y, int modifiers);
  void onKey(int code, bool special, bool down, bool repeat, int modifiers);

  // One animation frame: a pending reshape, the idle callback, then the
  // display callback when a redisplay was posted.
  void runFrame();
  void mainLoop();

  int elapsedMs() const;
  int modifiers() const { return modifiers_; }

  DisplayFunc display = nullptr;
  ReshapeFunc reshape = nullptr;
  DisplayFunc idle = nullptr;
  MouseFunc mouse = nullptr;
  MotionFunc motion = nullptr;
  MotionFunc passiveMotion = nullptr;
  KeyboardFunc keyboard = nullptr;
  KeyboardFunc keyboardUp = nullptr;
  SpecialFunc special = nullptr;
  SpecialFunc specialUp = nullptr;

  bool ignoreKeyRepeat = false;
  bool redisplayPending = true;  // a new window is drawn once, as GLUT does
  int width = 300;
  int height = 300;

 private:
  double startMs_ = 0.0;
  std::intptr_t context_ = 0;
  bool reshapePending_ = true;
  bool pointerKnown_ = false;  // whether a position was reported since the window opened
  int pointerX_ = 0;
  int pointerY_ = 0;
  bool buttonDown_[kButtons] = {};
  int modifiers_ = 0;
};
