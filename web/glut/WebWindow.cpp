#include "web/glut/WebWindow.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <memory>

#include "web/gl/LegacyGl.h"
#include "web/gl/WebGlDevice.h"

extern "C" {
// From library_web_window.js.
void plombrixWindowListen();
int plombrixWindowHidden();
void plombrixWindowSetTitle(const char* title);
void plombrixFlushConsole();
}

namespace {
constexpr const char* kCanvas = "#canvas";
constexpr int kGlutDown = 0;
constexpr int kGlutUp = 1;
constexpr int kUseAnimationFrames = 0;  // emscripten_set_main_loop's fps: the browser's pace

void frame() { WebWindow::instance().runFrame(); }

// The browser's console shows a line only once it ends, and the game starts
// its lines with the line break instead: what an event or a frame printed is
// shown when it is handled, not when the next line begins.
void showPrinted() {
  std::fflush(stdout);
  plombrixFlushConsole();
}
}  // namespace

WebWindow& WebWindow::instance() {
  static WebWindow* window = new WebWindow();  // lives as long as the page
  return *window;
}

void WebWindow::initialise() { startMs_ = emscripten_get_now(); }

void WebWindow::setInitialSize(int newWidth, int newHeight) {
  width = newWidth;
  height = newHeight;
}

void WebWindow::setTitle(const char* title) {
  if (title != nullptr) plombrixWindowSetTitle(title);
}

bool WebWindow::create(const char* title) {
  setTitle(title);
  emscripten_set_canvas_element_size(kCanvas, width, height);

  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  // GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH: no alpha in the window, a depth
  // buffer, no multisampling; the browser's compositing is the double buffer.
  attributes.alpha = false;
  attributes.depth = true;
  attributes.stencil = false;
  attributes.antialias = false;
  attributes.preserveDrawingBuffer = false;
  attributes.majorVersion = 2;
  context_ = emscripten_webgl_create_context(kCanvas, &attributes);
  bool webgl2 = context_ > 0;
  if (!webgl2) {
    attributes.majorVersion = 1;
    context_ = emscripten_webgl_create_context(kCanvas, &attributes);
  }
  if (context_ <= 0) {
    context_ = 0;
    return false;
  }
  emscripten_webgl_make_context_current(context_);
  LegacyGl::instance().attachDevice(std::make_unique<WebGlDevice>(webgl2));
  LegacyGl::instance().viewport(0, 0, width, height);
  plombrixWindowListen();
  return true;
}

void WebWindow::requestSize(int newWidth, int newHeight) {
  if (newWidth <= 0 || newHeight <= 0) return;
  if (newWidth != width || newHeight != height)
    emscripten_set_canvas_element_size(kCanvas, newWidth, newHeight);
  width = newWidth;
  height = newHeight;
  reshapePending_ = true;
}

void WebWindow::onPointerMove(int x, int y) {
  // The DOM also sends a pointermove when a second button goes down or up
  // while another is held; GLUT reports motion only when the pointer moved.
  if (pointerKnown_ && x == pointerX_ && y == pointerY_) return;
  pointerKnown_ = true;
  pointerX_ = x;
  pointerY_ = y;
  bool anyHeld = false;
  for (bool down : buttonDown_) anyHeld = anyHeld || down;
  if (anyHeld) {
    if (motion != nullptr) motion(x, y);
  } else if (passiveMotion != nullptr) {
    passiveMotion(x, y);
  }
  showPrinted();
}

void WebWindow::onButton(int button, bool down, int x, int y, int modifiers) {
  if (button < 0 || button >= kButtons) return;
  modifiers_ = modifiers;
  pointerKnown_ = true;
  pointerX_ = x;
  pointerY_ = y;
  buttonDown_[button] = down;
  if (mouse != nullptr) mouse(button, down ? kGlutDown : kGlutUp, x, y);
  modifiers_ = 0;
  showPrinted();
}

void WebWindow::onKey(int code, bool isSpecial, bool down, bool repeat, int modifiers) {
  if (repeat && ignoreKeyRepeat) return;
  modifiers_ = modifiers;
  if (isSpecial) {
    SpecialFunc handler = down ? special : specialUp;
    if (handler != nullptr) handler(code, pointerX_, pointerY_);
  } else {
    KeyboardFunc handler = down ? keyboard : keyboardUp;
    if (handler != nullptr) handler(static_cast<unsigned char>(code), pointerX_, pointerY_);
  }
  modifiers_ = 0;
  showPrinted();
}

void WebWindow::runFrame() {
  // A hidden page gets no frames; the first frame back measures the whole
  // absence, which the game's clock clamps.
  if (plombrixWindowHidden() != 0) return;
  if (reshapePending_) {
    reshapePending_ = false;
    if (reshape != nullptr) reshape(width, height);
  }
  if (idle != nullptr) idle();
  if (redisplayPending) {
    redisplayPending = false;
    if (display != nullptr) display();
  }
  showPrinted();
}

void WebWindow::mainLoop() {
  // Like glutMainLoop, this never returns: the page's animation frames call
  // runFrame from now on.
  if (!created()) emscripten_exit_with_live_runtime();
  emscripten_set_main_loop(frame, kUseAnimationFrames, true);
}

int WebWindow::elapsedMs() const { return static_cast<int>(emscripten_get_now() - startMs_); }

extern "C" {

EMSCRIPTEN_KEEPALIVE void plombrix_window_pointer_move(int x, int y) {
  WebWindow::instance().onPointerMove(x, y);
}

EMSCRIPTEN_KEEPALIVE void plombrix_window_button(int button, int down, int x, int y, int modifiers) {
  WebWindow::instance().onButton(button, down != 0, x, y, modifiers);
}

EMSCRIPTEN_KEEPALIVE void plombrix_window_key(int code, int special, int down, int repeat, int modifiers) {
  WebWindow::instance().onKey(code, special != 0, down != 0, repeat != 0, modifiers);
}

}  // extern "C"
