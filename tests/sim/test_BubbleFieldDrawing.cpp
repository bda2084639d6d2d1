#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <utility>

#include "assets/AssetTree.h"
#include "gfx/GlIncludes.h"
#include "sim/BubbleField.h"
#include "support/GlTestWindow.h"
#include "support/PlayState.h"
#include "support/ScratchDir.h"

namespace {

struct Colour {
  int r, g, b;
};
constexpr Colour kClear{0, 0, 0};
using Offsets = std::initializer_list<std::pair<float, float>>;

// The field's pictures: the shell a ring in the outer quarter of its square,
// each germ a square over the middle half, only the top-right quarter of the
// selection ring (so its turn shows), the glow a solid square.
class BubbleDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch.maskImage(AssetTree::kBubbleImage, [](float dx, float dy) {
      const float r = std::hypot(dx, dy);
      return r >= 12.0f && r < 16.0f;
    });
    for (const AssetTree::File& germ : AssetTree::kGermImages)
      scratch.maskImage(germ,
                        [](float dx, float dy) { return std::fabs(dx) < 8.0f && std::fabs(dy) < 8.0f; });
    scratch.maskImage(AssetTree::kSelectionImage, [](float dx, float dy) { return dx > 0.0f && dy < 0.0f; });
    scratch.solidImage(AssetTree::kGlowImage, 255, 255, 255);
    scratch.solidImage(AssetTree::kGooImage, 255, 255, 255);
    field.loadSprites();
  }

  // A bubble of the given radius at world (0, 3) plus the offset, unrotated and
  // at its resting size.
  Bubble& placeBubble(int kind, float radius, float dx = 0.0f, float dy = 0.0f) {
    Bubble& bubble = *addBubble(field, kind, dx, 3.0f + dy, (radius / 0.23f) * (radius / 0.23f));
    bubble.shellList = field.bubbleList;
    return bubble;
  }

  // Draws the field; then the offsets from world (0, 3) in `lit` must show the
  // colour, those in `clear` nothing, and the drawing state must be off again.
  void expectDrawn(const char* what, Colour colour, Offsets lit, Offsets clear = {}) {
    const int depth = GlTestWindow::modelViewDepth();
    window.clear();
    field.render();
    EXPECT_EQ(GlTestWindow::modelViewDepth(), depth) << what;
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_BLEND) || glIsEnabled(GL_ALPHA_TEST)) << what;
    for (const auto& [offsets, expected] : {std::pair{lit, colour}, {clear, kClear}}) {
      for (const auto& [dx, dy] : offsets) {
        EXPECT_TRUE(window.shows(dx, 3.0f + dy, expected.r, expected.g, expected.b)) << what;
      }
    }
  }

  GlTestWindow& window = GlTestWindow::open();
  ScratchDir scratch;
  BubbleField field;
};

TEST_F(BubbleDrawingTest, BubbleShowsItsSpinningGermInsideItsBreathingShellInItsKindsTint) {
  const Colour tint{255, 128, 64};  // kind 6 is tinted (1, 0.5, 0.25)
  Bubble& bubble = placeBubble(6, 1.0f);
  expectDrawn("germ and shell in the kind's tint, clear between and outside", tint,
              {{0, 0}, {0.4f, 0.4f}, {0.875f, 0}, {0, -0.875f}}, {{0.62f, 0}, {1.2f, 0}});
  bubble.innerRotation = 45.0f;
  expectDrawn("the germ turned 45 degrees in the round shell", tint, {{0.55f, 0}, {0.875f, 0}},
              {{0.4f, 0.4f}});
  bubble.innerRotation = 0.0f;
  bubble.wobbleScale = 0.8f;
  expectDrawn("the breathing size scales the shell", tint, {{0.65f, 0}}, {{0.9f, 0}});
  bubble.wobbleScale = 1.0f;
  bubble.kind = 7;
  expectDrawn("the plain kind: a white shell, no germ", {255, 255, 255}, {{0.875f, 0}}, {{0, 0}});
}

// The first case sees no glow around an ordinary bubble.
TEST_F(BubbleDrawingTest,
       SpecialBubbleGlowsAndPulsesAndTheSelectionRingTurnsClockwiseOverEveryBubbleAndGlow) {
  Bubble& special = placeBubble(1, 0.4f, -1.5f);
  special.special = true;
  const Colour glow{77, 153, 77};  // kind 1's tint (0.5, 1, 0.5) at 60 %
  expectDrawn("the glow is 3.5 radii wide", glow, {{-0.9f, 0}, {-1.5f, -0.66f}}, {{-0.77f, 0}});
  field.clock = static_cast<float>(std::numbers::pi / 74.0);  // the pulse at its widest
  expectDrawn("0.12 wider at the top of the pulse", glow, {{-0.77f, 0}}, {{-0.71f, 0}});

  field.clock = 0.0f;
  const Colour ring{222, 222, 222};  // white at 87 %
  field.selectedBubble = &placeBubble(3, 0.5f);
  expectDrawn("the ring's quarter, 2.5 radii wide, over the bubble", ring, {{0.45f, 0.45f}, {0.6f, 0.1f}},
              {{0.66f, 0.1f}, {0.45f, -0.45f}});
  field.clock = 1.0f / 3.0f;
  expectDrawn("a third of a second on, turned 90 degrees clockwise", ring, {{0.45f, -0.45f}},
              {{0.45f, 0.45f}});
  // A later special bubble of kind 0, (1, 1, 0.5), lies over the ring with its
  // germ and glow; the ring still shows over both.
  placeBubble(0, 0.5f, 0.45f, -0.45f).special = true;
  expectDrawn("the ring over a later bubble and its glow", {255, 255, 238}, {{0.45f, -0.45f}});
}

}  // namespace
