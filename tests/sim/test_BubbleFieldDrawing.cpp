#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <numbers>
#include <vector>

#include "gfx/GlIncludes.h"
#include "sim/BubbleField.h"
#include "sim/KindStyle.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"
#include "support/TgaWriter.h"

namespace {

constexpr int kSize = 32;  // pixels of every masked test picture

// A square picture, opaque white where `inside` holds for the offset of a
// pixel's centre from the picture's centre (y down), clear elsewhere.
template <typename Inside>
void writeMask(const std::string& path, Inside inside) {
  std::vector<std::uint8_t> rgba;
  for (int row = 0; row < kSize; ++row) {
    for (int column = 0; column < kSize; ++column) {
      const std::uint8_t level = inside(column + 0.5f - kSize / 2.0f, row + 0.5f - kSize / 2.0f) ? 255 : 0;
      rgba.insert(rgba.end(), {level, level, level, level});
    }
  }
  writeTga(path, TgaLayout{kSize, kSize, 32, false, true}, rgba);
}

struct Colour {
  int r, g, b;
};
constexpr Colour kClear{0, 0, 0};
using Offsets = std::initializer_list<std::array<float, 2>>;

// The field's pictures: the shell a ring in the outer quarter of its square,
// each germ a square over the middle half, only the top-right quarter of the
// selection ring (so its turn shows), the glow a solid square.
class BubbleDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = &GlTestWindow::open();
    writeMask(scratch.image("diseaseBubble.tga"), [](float dx, float dy) {
      const float r = std::hypot(dx, dy);
      return r >= 12.0f && r < 16.0f;
    });
    for (const char* path : KindStyle::germImages()) {
      writeMask(path, [](float dx, float dy) { return std::fabs(dx) < 8.0f && std::fabs(dy) < 8.0f; });
    }
    writeMask(scratch.image("selection.tga"), [](float dx, float dy) { return dx > 0.0f && dy < 0.0f; });
    scratch.solidImage("specialGlow.tga", 255, 255, 255);
    scratch.solidImage("mouseGoo.tga", 255, 255, 255);
    field.loadSprites();
  }

  // A bubble of the given radius at the window's centre, world (0, 3), unrotated
  // and at its resting size.
  Bubble& centreBubble(int kind, float radius) {
    Bubble& bubble = *field.bubbles.emplace_back(new Bubble());
    bubble.kind = kind;
    bubble.setMass((radius / 0.23f) * (radius / 0.23f));
    bubble.y = 3.0f;
    bubble.shellList = field.bubbleList;
    return bubble;
  }

  void redraw() {
    window->clear();
    field.render();
  }

  // The offsets from the bubble's centre (world units) in `lit` show the
  // colour, those in `clear` nothing.
  void expectPixels(const char* what, Colour colour, Offsets lit, Offsets clear = {}) const {
    auto check = [&](Offsets offsets, Colour expected) {
      for (const auto& [dx, dy] : offsets) {
        const auto pixel = GlTestWindow::worldToPixel(dx, 3.0f + dy);
        EXPECT_TRUE(near(window->pixel(pixel[0], pixel[1]), expected.r, expected.g, expected.b))
            << what << ", at offset (" << dx << ", " << dy << ")";
      }
    };
    check(lit, colour);
    check(clear, kClear);
  }

  static bool drawingStateOff() {
    return !glIsEnabled(GL_TEXTURE_2D) && !glIsEnabled(GL_BLEND) && !glIsEnabled(GL_ALPHA_TEST);
  }

  ScratchDir scratch;
  GlTestWindow* window = nullptr;
  BubbleField field;
};

TEST_F(BubbleDrawingTest, BubbleShowsItsSpinningGermInsideItsShellInItsKindsTint) {
  const Colour tint{255, 128, 64};  // kind 6 is tinted (1, 0.5, 0.25)
  Bubble& bubble = centreBubble(6, 1.0f);
  const int depth = GlTestWindow::modelViewDepth();
  redraw();
  expectPixels("germ and shell in the kind's tint, clear between and outside", tint,
               {{0, 0}, {0.4f, 0.4f}, {0.875f, 0}, {0, -0.875f}}, {{0.62f, 0}, {1.2f, 0}});
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);
  EXPECT_TRUE(drawingStateOff());

  bubble.innerRotation = 45.0f;
  redraw();
  expectPixels("the germ turned 45 degrees in the round shell", tint, {{0.55f, 0}, {0.875f, 0}},
               {{0.4f, 0.4f}});

  bubble.innerRotation = 0.0f;
  bubble.wobbleScale = 0.8f;
  redraw();
  expectPixels("the breathing size scales the shell", tint, {{0.65f, 0}}, {{0.9f, 0}});

  bubble.wobbleScale = 1.0f;
  bubble.kind = 7;
  redraw();
  expectPixels("the plain kind: a white shell, no germ", {255, 255, 255}, {{0.875f, 0}}, {{0, 0}});
}

TEST_F(BubbleDrawingTest, SpecialBubbleGlowsInItsTintAndPulsesWithTheClock) {
  const Colour glow{77, 153, 77};  // kind 1's tint (0.5, 1, 0.5) at 60 %
  Bubble& bubble = centreBubble(1, 0.4f);
  redraw();
  expectPixels("an ordinary bubble has no glow", kClear, {{0.6f, 0}});

  bubble.special = true;
  redraw();
  expectPixels("the glow is 3.5 radii wide", glow, {{0.6f, 0}, {0, -0.66f}}, {{0.73f, 0}});
  EXPECT_TRUE(drawingStateOff());

  field.clock = static_cast<float>(std::numbers::pi / 74.0);  // the pulse at its widest
  redraw();
  expectPixels("0.12 wider at the top of the pulse", glow, {{0.73f, 0}}, {{0.79f, 0}});
}

TEST_F(BubbleDrawingTest, SelectedBubbleWearsARingTurningClockwise) {
  const Colour ring{222, 222, 222};  // white at 87 %
  Bubble& bubble = centreBubble(3, 0.5f);
  redraw();
  expectPixels("no ring without a selection", kClear, {{0.45f, 0.45f}});

  field.selectedBubble = &bubble;
  redraw();
  expectPixels("the ring's quarter, 2.5 radii wide, over the bubble", ring, {{0.45f, 0.45f}, {0.6f, 0.1f}},
               {{0.66f, 0.1f}, {0.45f, -0.45f}});
  EXPECT_TRUE(drawingStateOff());

  field.clock = 1.0f / 3.0f;
  redraw();
  expectPixels("a third of a second on, turned 90 degrees clockwise", ring, {{0.45f, -0.45f}},
               {{0.45f, 0.45f}});
}

TEST_F(BubbleDrawingTest, EmptyFieldDrawsNothingAndLeavesTheStateOff) {
  const int depth = GlTestWindow::modelViewDepth();
  redraw();
  std::vector<std::uint8_t> rgb(std::size_t{1024} * 768 * 3, 0xff);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  EXPECT_EQ(std::count(rgb.begin(), rgb.end(), 0), std::ssize(rgb)) << "an empty field drew something";
  EXPECT_TRUE(drawingStateOff());
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);
}

}  // namespace
