#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "gfx/GlIncludes.h"
#include "sim/BubbleField.h"
#include "sim/KindStyle.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"
#include "support/TgaWriter.h"

namespace {

constexpr int kSize = 32;  // pixels of every test picture

// A square picture, opaque white where the test says, clear elsewhere.
template <typename Inside>
void writeMask(const std::string& path, Inside inside) {
  std::vector<std::uint8_t> rgba;
  for (int row = 0; row < kSize; ++row) {
    for (int column = 0; column < kSize; ++column) {
      // Distance from the picture's centre in pixels, at the pixel's centre.
      const float dx = column + 0.5f - kSize / 2.0f;
      const float dy = row + 0.5f - kSize / 2.0f;
      const std::uint8_t level = inside(dx, dy) ? 255 : 0;
      rgba.insert(rgba.end(), {level, level, level, level});
    }
  }
  writeTga(path, TgaLayout{kSize, kSize, 32, false, true}, rgba);
}

// The pictures of the field: the shell is a ring in the outer quarter of the
// square, each germ a square over the middle half, the glow and the selection
// ring solid squares.
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
    writeSolidTga(scratch.image("selection.tga"), kSize, kSize, 255, 255, 255);
    writeSolidTga(scratch.image("specialGlow.tga"), kSize, kSize, 255, 255, 255);
    writeSolidTga(scratch.image("mouseGoo.tga"), kSize, kSize, 255, 255, 255);
    field.loadSprites();
    window->clear();
  }

  // A bubble of the given radius at the window's centre, world (0, 3), unrotated
  // and at its resting size.
  Bubble& centreBubble(int kind, float radius) { return centreBubble(field, kind, radius); }
  static Bubble& centreBubble(BubbleField& owner, int kind, float radius) {
    auto* bubble = new Bubble();
    bubble->kind = kind;
    bubble->setMass((radius / 0.23f) * (radius / 0.23f));
    bubble->x = 0.0f;
    bubble->y = 3.0f;
    bubble->shellList = owner.bubbleList;
    owner.bubbles.push_back(bubble);
    return *bubble;
  }

  // The drawn pixel at a world offset from the window's centre.
  Rgba at(float dx, float dy) const {
    const auto pixel = GlTestWindow::worldToPixel(dx, 3.0f + dy);
    return window->pixel(pixel[0], pixel[1]);
  }

  static bool drawingStateOff() {
    return !glIsEnabled(GL_TEXTURE_2D) && !glIsEnabled(GL_BLEND) && !glIsEnabled(GL_ALPHA_TEST);
  }

  ScratchDir scratch;
  GlTestWindow* window = nullptr;
  BubbleField field;
};

TEST_F(BubbleDrawingTest, LoadingFillsTheKindTableOnceWithAGermForEveryKindButThePlainOne) {
  const int firstShell = field.bubbleList;
  for (int kind = 0; kind < 7; ++kind) EXPECT_GE(kindTable[kind].innerList, 0) << "kind " << kind;
  EXPECT_EQ(kindTable[7].innerList, kNoSprite) << "the plain kind has no germ picture";
  EXPECT_GE(field.bubbleList, 0);
  EXPECT_GE(field.gooList, 0);
  EXPECT_GE(field.selectionList, 0);
  EXPECT_GE(field.glowList, 0);
  EXPECT_EQ(kindTable[6].red, 1.0f);
  EXPECT_EQ(kindTable[6].green, 0.5f);
  EXPECT_EQ(kindTable[6].blue, 0.25f);
  EXPECT_EQ(kindTable[7].blue, 1.0f);

  const int firstGerm = kindTable[0].innerList;
  field.loadSprites();
  EXPECT_EQ(field.bubbleList, firstShell) << "a second load creates nothing new";
  EXPECT_EQ(kindTable[0].innerList, firstGerm);
}

TEST_F(BubbleDrawingTest, BubbleShowsItsGermAndShellInItsKindsTint) {
  Bubble& bubble = centreBubble(6, 1.0f);
  const int depth = GlTestWindow::modelViewDepth();
  field.render();
  EXPECT_TRUE(near(at(0.0f, 0.0f), 255, 128, 64)) << "the germ picture, tinted (1, 0.5, 0.25)";
  EXPECT_TRUE(near(at(0.875f, 0.0f), 255, 128, 64)) << "the shell, same tint";
  EXPECT_TRUE(near(at(0.0f, -0.875f), 255, 128, 64));
  EXPECT_TRUE(near(at(0.62f, 0.0f), 0, 0, 0)) << "between germ and shell the bubble is clear";
  EXPECT_TRUE(near(at(1.2f, 0.0f), 0, 0, 0)) << "nothing outside the bubble";
  EXPECT_TRUE(near(at(0.4f, 0.4f), 255, 128, 64)) << "the unturned germ square reaches its corner";
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);
  EXPECT_TRUE(drawingStateOff());

  // The germ spins inside the shell: turned by 45 degrees its corner leaves.
  window->clear();
  bubble.innerRotation = 45.0f;
  field.render();
  EXPECT_TRUE(near(at(0.4f, 0.4f), 0, 0, 0));
  EXPECT_TRUE(near(at(0.55f, 0.0f), 255, 128, 64)) << "the turned square's corner points along x";
  EXPECT_TRUE(near(at(0.875f, 0.0f), 255, 128, 64)) << "the round shell looks the same";

  // The breathing size scales the whole bubble.
  window->clear();
  bubble.innerRotation = 0.0f;
  bubble.wobbleScale = 0.8f;
  field.render();
  EXPECT_TRUE(near(at(0.65f, 0.0f), 255, 128, 64)) << "the shrunk shell";
  EXPECT_TRUE(near(at(0.9f, 0.0f), 0, 0, 0));
}

TEST_F(BubbleDrawingTest, PlainBubbleHasOnlyAWhiteShell) {
  centreBubble(7, 1.0f);
  field.render();
  EXPECT_TRUE(near(at(0.0f, 0.0f), 0, 0, 0)) << "no germ picture in a plain bubble";
  EXPECT_TRUE(near(at(0.875f, 0.0f), 255, 255, 255));
  EXPECT_TRUE(drawingStateOff());
}

TEST_F(BubbleDrawingTest, SpecialBubbleGlowsInItsTintAndPulsesWithTheClock) {
  Bubble& bubble = centreBubble(1, 0.4f);
  field.render();
  EXPECT_TRUE(near(at(0.6f, 0.0f), 0, 0, 0)) << "an ordinary bubble has no glow";

  bubble.special = true;
  window->clear();
  field.render();
  // 3.5 radii wide: 0.7 either side, in (0.5, 1, 0.5) at 60 %.
  EXPECT_TRUE(near(at(0.6f, 0.0f), 77, 153, 77));
  EXPECT_TRUE(near(at(0.0f, -0.66f), 77, 153, 77));
  EXPECT_TRUE(near(at(0.73f, 0.0f), 0, 0, 0));
  EXPECT_TRUE(drawingStateOff());

  window->clear();
  field.clock = static_cast<float>(std::numbers::pi / 74.0);  // the pulse at its widest
  field.render();
  EXPECT_TRUE(near(at(0.73f, 0.0f), 77, 153, 77)) << "the glow grows by 0.12 at the top of the pulse";
  EXPECT_TRUE(near(at(0.79f, 0.0f), 0, 0, 0));
}

TEST_F(BubbleDrawingTest, SelectedBubbleWearsARingTurningClockwise) {
  // Only the top-right quarter of this ring picture is drawn, so its turn shows.
  writeMask(scratch.image("selection.tga"), [](float dx, float dy) { return dx > 0.0f && dy < 0.0f; });
  BubbleField ringField;
  ringField.loadSprites();
  Bubble& bubble = centreBubble(ringField, 3, 0.5f);
  ringField.render();
  EXPECT_TRUE(near(at(0.45f, 0.45f), 0, 0, 0)) << "no ring without a selection";

  ringField.selectedBubble = &bubble;
  window->clear();
  ringField.render();
  // 2.5 radii wide, white at 87 %, over everything.
  EXPECT_TRUE(near(at(0.45f, 0.45f), 222, 222, 222));
  EXPECT_TRUE(near(at(0.6f, 0.1f), 222, 222, 222));
  EXPECT_TRUE(near(at(0.66f, 0.1f), 0, 0, 0)) << "the ring ends 1.25 radii out";
  EXPECT_TRUE(near(at(0.45f, -0.45f), 0, 0, 0));
  EXPECT_TRUE(drawingStateOff());

  // A third of a second later the ring has turned 90 degrees clockwise.
  window->clear();
  ringField.clock = 1.0f / 3.0f;
  ringField.render();
  EXPECT_TRUE(near(at(0.45f, -0.45f), 222, 222, 222));
  EXPECT_TRUE(near(at(0.45f, 0.45f), 0, 0, 0));

  // After a second, -270 degrees stands where +90 would.
  window->clear();
  ringField.clock = 1.0f;
  ringField.render();
  EXPECT_TRUE(near(at(-0.45f, 0.45f), 222, 222, 222));
  EXPECT_TRUE(near(at(0.45f, 0.45f), 0, 0, 0));
}

TEST_F(BubbleDrawingTest, EmptyFieldDrawsNothingAndLeavesTheStateOff) {
  const int depth = GlTestWindow::modelViewDepth();
  field.render();
  glFinish();
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(1024) * 768 * 4, 0xff);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  std::size_t lit = 0;
  for (std::size_t i = 0; i < pixels.size(); i += 4)
    lit += (pixels[i] | pixels[i + 1] | pixels[i + 2]) ? 1 : 0;
  EXPECT_EQ(lit, 0u);
  EXPECT_TRUE(drawingStateOff());
  EXPECT_EQ(GlTestWindow::modelViewDepth(), depth);
}

}  // namespace
