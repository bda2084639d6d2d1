#include <gtest/gtest.h>

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <filesystem>

#include "app/Game.h"
#include "assets/AssetTree.h"
#include "gfx/GlIncludes.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"
#include "support/GlTestWindow.h"
#include "support/PlayState.h"
#include "support/RecordingAudio.h"
#include "support/ScratchDir.h"
#include "view/Camera.h"
#include "view/GameState.h"

namespace {

// Real X events into the game's own window, delivered through GLUT's own
// dispatch to whatever callbacks the start-up registered.
class GameWindowEvents {
 public:
  GameWindowEvents() : display(glXGetCurrentDisplay()), window(glXGetCurrentDrawable()) {}

  void key(KeySym symbol, bool press) {
    XEvent event{};
    fill(event.xkey, press ? KeyPress : KeyRelease);
    event.xkey.keycode = XKeysymToKeycode(display, symbol);
    send(event, press ? KeyPressMask : KeyReleaseMask);
  }
  void button(unsigned number, bool press, int x, int y) {
    XEvent event{};
    fill(event.xbutton, press ? ButtonPress : ButtonRelease);
    event.xbutton.button = number;
    event.xbutton.x = x;
    event.xbutton.y = y;
    send(event, press ? ButtonPressMask : ButtonReleaseMask);
  }
  void motion(int x, int y) {
    XEvent event{};
    fill(event.xmotion, MotionNotify);
    event.xmotion.x = x;
    event.xmotion.y = y;
    send(event, PointerMotionMask);
  }

 private:
  template <typename Event>
  void fill(Event& event, int type) {
    event.type = type;
    event.display = display;
    event.window = window;
    event.root = DefaultRootWindow(display);
    event.time = ++time;
    event.same_screen = True;
  }
  void send(XEvent& event, long mask) {
    XSendEvent(display, window, True, mask, &event);
    XSync(display, False);
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
  }

  Display* display;
  Window window;
  Time time = 1000;
};

TEST(GameStartUp, OpensTheWindowLoadsTheSoundsStartsTheMusicAndHearsOnlyItsOwnInput) {
  ScratchDir scratch;
  for (const AssetTree::File& picture : {AssetTree::kTitleImage, AssetTree::kInstructionsImage,
                                         AssetTree::kBackgroundImage, AssetTree::kBubbleImage})
    scratch.solidImage(picture, 90, 90, 90);
  std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                             scratch.file(AssetTree::kFont));
  auto audio = RecordingAudio::install();
  char name[] = "plombrix";
  char* argv[] = {name, nullptr};
  GlTestWindow::beforeFirstWindow();
  openGame(1, argv);
  for (int i = 0; i < 20; ++i) glutMainLoopEvent();

  EXPECT_EQ(glutDeviceGet(GLUT_DEVICE_IGNORE_KEY_REPEAT), 1) << "a held key must act once, not stream";
  EXPECT_EQ(audio->loaded.size(), AssetTree::kSounds.size()) << "every effect sound loads at start-up";
  EXPECT_EQ(audio->music, std::vector<std::string>{AssetTree::kMusic.path}) << "the music starts";
  EXPECT_EQ(GameState, kTitleScreen);

  // Key releases, special keys and other keys do nothing, on any screen.
  GameWindowEvents events;
  for (KeySym ignored : {XK_F1, XK_Up, XK_Page_Down, XK_a}) {
    events.key(ignored, true);
    events.key(ignored, false);
  }
  events.key(XK_s, false);
  EXPECT_DOUBLE_EQ(Camera::instance().offsetZ, -3.0) << "only a press of 's' or 'w' zooms";
  EXPECT_EQ(GameState, kTitleScreen);
  events.key(XK_s, true);
  EXPECT_DOUBLE_EQ(Camera::instance().offsetZ, -2.5) << "the press itself must reach the camera";
  events.key(XK_s, false);

  // In play the wheel (buttons 4 and 5) neither bursts nor pays.
  GameState = kPlaying;
  const Bubble* bubble = addBubble(bubbleField, 0, 0.0f, 3.0f, 1.0f);
  events.motion(512, 384);
  ASSERT_EQ(bubbleField.selectedBubble, bubble) << "a hover selects through the real callback";
  const int money = Wallet::instance().money;
  for (unsigned wheel : {4u, 5u}) {
    events.button(wheel, true, 512, 384);
    events.button(wheel, false, 512, 384);
  }
  EXPECT_EQ(bubbleField.bubbles.size(), 1u) << "turning the wheel burst a bubble";
  EXPECT_EQ(Wallet::instance().money, money);
  events.button(Button1, true, 512, 384);
  EXPECT_TRUE(bubbleField.bubbles.empty()) << "a left press through GLUT bursts";
}

}  // namespace
