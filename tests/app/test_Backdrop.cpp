#include <gtest/gtest.h>

#include <vector>

#include "app/Backdrop.h"
#include "assets/AssetTree.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"
#include "support/ScratchDir.h"
#include "support/TgaWriter.h"

namespace {

// Four quadrants: red top-left, green top-right, blue bottom-left, white
// bottom-right. A mirrored or flipped picture puts a colour in the wrong corner.
// Large enough that the linear filter's wrap-around at the very edge stays
// within a few pixels of the border.
constexpr int kPictureWidth = 128;
constexpr int kPictureHeight = 96;

std::vector<std::uint8_t> quadrants() {
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      const bool right = x >= kPictureWidth / 2, bottom = y >= kPictureHeight / 2;
      const auto on = [](bool lit) { return static_cast<std::uint8_t>(lit ? 255 : 0); };
      rgba.insert(rgba.end(), {on(right == bottom), on(right), on(bottom), 255});
    }
  }
  return rgba;
}

TEST(Backdrop, EveryPictureFillsTheWindowEdgeToEdgeUprightWhicheverOrderTheEdgesCome) {
  GlTestWindow& window = GlTestWindow::open();
  const ScratchDir scratch;
  for (const AssetTree::File& picture :
       {AssetTree::kBackgroundImage, AssetTree::kTitleImage, AssetTree::kInstructionsImage})
    writeTga(scratch.file(picture), TgaLayout{kPictureWidth, kPictureHeight, 32, false, true}, quadrants());
  Backdrop& backdrop = Backdrop::instance();
  backdrop = Backdrop();  // sprites of this case's own pictures
  backdrop.loadSprites();
  for (bool reversed : {false, true}) {
    // Reversed: bottom above top, left right of right.
    reversed ? backdrop.setRect(0, -4, 6, 4) : backdrop.setRect(6, 4, 0, -4);
    for (auto draw : {&Backdrop::drawTitle, &Backdrop::drawInstructions, &Backdrop::drawBackground}) {
      window.clear();
      (backdrop.*draw)();
      EXPECT_TRUE(near(window.pixel(12, 12), 255, 0, 0)) << "top-left corner";
      EXPECT_TRUE(near(window.pixel(1011, 12), 0, 255, 0)) << "top-right corner";
      EXPECT_TRUE(near(window.pixel(12, 755), 0, 0, 255)) << "bottom-left corner";
      EXPECT_TRUE(near(window.pixel(1011, 755), 255, 255, 255)) << "bottom-right corner";
      // Just inside the centre lines the colours change: the picture is not
      // shifted or squeezed.
      EXPECT_TRUE(near(window.pixel(500, 370), 255, 0, 0));
      EXPECT_TRUE(near(window.pixel(524, 398), 255, 255, 255));
      // The very edge pixels are covered too: no black seam at the border.
      EXPECT_FALSE(near(window.pixel(0, 0), 0, 0, 0, 2));
      EXPECT_FALSE(near(window.pixel(1023, 767), 0, 0, 0, 2));
    }
  }
}

}  // namespace
