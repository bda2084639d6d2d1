// The background and the patient's limbs are designed together: the game draws
// the limbs first and the background over them, so wherever the background is
// transparent a limb must be underneath, at every moment of its sway, or the
// black clear colour shows. The stomach must stay solid, and the chart must
// leave the money and the best chain on light paper.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Backdrop.h"
#include "fx/Patient.h"
#include "gfx/GlIncludes.h"
#include "gfx/TgaImage.h"
#include "support/GlTestWindow.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 1024, kHeight = 768;

class BackgroundArt : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::current_path(PLOMBRIX_BUILD_DIR);
    ASSERT_TRUE(background_.load("./res/images/background.tga"));
    ASSERT_EQ(background_.width, kWidth);
    ASSERT_EQ(background_.height, kHeight);
  }
  void TearDown() override { fs::current_path(previous_); }

  // The background texel under a world point (the picture fills the window).
  const std::uint8_t* texel(double wx, double wy) const {
    const int x = std::clamp(static_cast<int>((wx + 4.0) * 128.0), 0, kWidth - 1);
    const int y = std::clamp(static_cast<int>((6.0 - wy) * 128.0), 0, kHeight - 1);
    return &background_.pixels[(static_cast<std::size_t>(y) * kWidth + x) * 4];
  }

  TgaImage background_;

 private:
  fs::path previous_;
};

TEST_F(BackgroundArt, NoGapOpensAroundThePatientAsItSways) {
  GlTestWindow& window = GlTestWindow::open();
  ::testing::internal::CaptureStdout();
  patient.loadSprites();
  Backdrop::instance().loadSprites();
  ::testing::internal::GetCapturedStdout();
  Backdrop::instance().setRect(6, 4, 0, -4);

  // Moments spread over the sways' periods (0.18 s to 0.63 s), reaching every
  // combination of tilt and bobs closely enough.
  constexpr int kMoments = 40;
  constexpr float kStep = 0.0371f;  // seconds
  std::vector<unsigned char> frame(static_cast<std::size_t>(kWidth) * kHeight * 4);
  for (int k = 0; k < kMoments; ++k) {
    patient.clock = k * kStep;
    window.clear();
    patient.render();
    Backdrop::instance().drawBackground();
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    int gaps = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const unsigned char* p = &frame[(static_cast<std::size_t>(y) * kWidth + x) * 4];
        if (p[0] <= 12 && p[1] <= 12 && p[2] <= 12) {
          if (gaps++ == 0) {
            firstX = x;
            firstY = kHeight - 1 - y;
          }
        }
      }
    }
    EXPECT_EQ(gaps, 0) << "black shows through at clock " << patient.clock << " s, first at window pixel ("
                       << firstX << ", " << firstY << ")";
  }
}

TEST_F(BackgroundArt, TheStomachIsSolidAndEveryLimbHasAWindow) {
  // Inside the walls and above the floor, up past where the bubbles pile.
  for (double wy = 0.41; wy < 4.5; wy += 1.0 / 128.0)
    for (double wx = -3.4297 + 0.005; wx < 1.118 - 0.005; wx += 1.0 / 128.0)
      ASSERT_EQ(texel(wx, wy)[3], 255) << "the stomach is see-through at (" << wx << ", " << wy << ")";

  // Where each limb must show: the face, the waving hand, the hand with the
  // thermometer and the spot the smoke leaves from, both feet.
  struct Spot {
    const char* what;
    double x, y;
  };
  const Spot spots[] = {{"face", -1.1282, 5.48},    {"waving hand", -3.78, 3.6},
                        {"holding hand", 1.6, 2.8}, {"smoke origin", 1.75, 2.828},
                        {"right foot", -1.46, 0.2}, {"left foot", -0.56, 0.2}};
  for (const Spot& spot : spots) EXPECT_EQ(texel(spot.x, spot.y)[3], 0) << spot.what << " is covered";
}

TEST_F(BackgroundArt, TheChartLeavesTheNumbersOnLightPaperUnderTheirLabels) {
  // Where the game writes the money and the best chain (their glyphs, tilted
  // 4 degrees, for up to eight and three characters), and the labels above.
  struct Box {
    const char* what;
    double left, bottom, right, top;
  };
  const Box numbers[] = {{"money", 2.0, 4.47, 3.05, 4.68}, {"best chain", 2.4, 3.21, 2.95, 3.5}};
  for (const Box& box : numbers) {
    int light = 0, all = 0;
    for (double wy = box.bottom; wy < box.top; wy += 1.0 / 128.0)
      for (double wx = box.left; wx < box.right; wx += 1.0 / 128.0) {
        const std::uint8_t* p = texel(wx, wy);
        ++all;
        if (std::min({p[0], p[1], p[2]}) >= 170 && p[3] == 255) ++light;
      }
    EXPECT_GE(light, all * 97 / 100) << "the " << box.what << " would be written on a busy or dark spot";
  }
  const Box labels[] = {{"Funds", 1.98, 4.75, 2.7, 5.0}, {"Best chain", 1.98, 3.66, 3.2, 3.95}};
  for (const Box& box : labels) {
    int ink = 0;
    for (double wy = box.bottom; wy < box.top; wy += 1.0 / 128.0)
      for (double wx = box.left; wx < box.right; wx += 1.0 / 128.0)
        if (std::max({texel(wx, wy)[0], texel(wx, wy)[1], texel(wx, wy)[2]}) < 140) ++ink;
    EXPECT_GT(ink, 150) << "no \"" << box.what << "\" label written above its number";
  }
}

}  // namespace
