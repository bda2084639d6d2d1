// The background and the patient's limbs are designed together: the game draws
// the limbs first and the background over them, so wherever the background is
// transparent a limb must be underneath at every moment of its sway, or the
// black clear colour shows; and each limb must have its window. The chart must
// leave the money and the best chain on light paper.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "AssetFiles.h"
#include "app/Backdrop.h"
#include "fx/Patient.h"
#include "gfx/GlIncludes.h"
#include "support/GlTestWindow.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

class BackgroundArt : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::current_path(PLOMBRIX_BUILD_DIR); }

  // The background texel under a world point (the picture fills the window).
  const std::uint8_t* texel(double wx, double wy) const {
    return background_.at(std::clamp(static_cast<int>((wx + 4.0) * 128.0), 0, kWidth - 1),
                          std::clamp(static_cast<int>((6.0 - wy) * 128.0), 0, kHeight - 1));
  }

  const AssetFiles::Picture background_{"background.tga"};
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
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    int gaps = 0, first = -1;
    for (int i = 0; i < kWidth * kHeight; ++i)
      if (std::max({frame[i * 4], frame[i * 4 + 1], frame[i * 4 + 2]}) <= 12 && gaps++ == 0) first = i;
    EXPECT_EQ(gaps, 0) << "black shows through at clock " << patient.clock << " s, first at window pixel ("
                       << first % kWidth << ", " << kHeight - 1 - first / kWidth << ")";
  }
}

TEST_F(BackgroundArt, EveryLimbHasAWindowAndTheScoreLiesOnLightPaper) {
  // Where each limb must show: the face, the waving hand, the hand with the
  // thermometer and the spot the smoke leaves from, both feet.
  struct Spot {
    const char* what;
    double x, y;
  };
  for (const Spot& spot :
       {Spot{"face", -1.1282, 5.48}, Spot{"waving hand", -3.78, 3.6}, Spot{"holding hand", 1.6, 2.8},
        Spot{"smoke origin", 1.75, 2.828}, Spot{"right foot", -1.46, 0.2}, Spot{"left foot", -0.56, 0.2}})
    EXPECT_EQ(texel(spot.x, spot.y)[3], 0) << spot.what << " is covered";

  // Where the game writes the money and the best chain (their glyphs, tilted
  // 4 degrees, for up to eight and three characters).
  struct Box {
    const char* what;
    double left, bottom, right, top;
  };
  for (const Box& box : {Box{"money", 2.0, 4.47, 3.05, 4.68}, Box{"best chain", 2.4, 3.21, 2.95, 3.5}}) {
    int light = 0, all = 0;
    for (double wy = box.bottom; wy < box.top; wy += 1.0 / 128.0)
      for (double wx = box.left; wx < box.right; wx += 1.0 / 128.0, ++all) {
        const std::uint8_t* p = texel(wx, wy);
        light += std::min({p[0], p[1], p[2]}) >= 170 && p[3] == 255;
      }
    EXPECT_GE(light, all * 97 / 100) << "the " << box.what << " would be written on a busy or dark spot";
  }
}

}  // namespace
