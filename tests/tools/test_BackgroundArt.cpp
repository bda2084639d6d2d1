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
#include "assets/AssetTree.h"
#include "fx/Patient.h"
#include "score/Wallet.h"
#include "support/Frame.h"
#include "support/GlTestWindow.h"

namespace {

constexpr int kWidth = Frame::kWidth, kHeight = Frame::kHeight;

class BackgroundArt : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::current_path(PLOMBRIX_BUILD_DIR); }

  // The background texel under a world point (the picture fills the window).
  const std::uint8_t* texel(double wx, double wy) const {
    return background_.at(std::clamp(static_cast<int>((wx + 4.0) * 128.0), 0, kWidth - 1),
                          std::clamp(static_cast<int>((6.0 - wy) * 128.0), 0, kHeight - 1));
  }

  const AssetFiles::Picture background_{AssetTree::kBackgroundImage};
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
  for (int k = 0; k < kMoments; ++k) {
    patient.clock = k * kStep;
    window.clear();
    patient.render();
    Backdrop::instance().drawBackground();
    const std::vector<std::uint8_t> frame = Frame().rgba;
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
  constexpr double kFoot = 0.1;  // world units below a leg's centre
  for (const Spot& spot :
       {Spot{"face", Patient::kHeadRig.x, Patient::kHeadRig.y}, Spot{"waving hand", -3.78, 3.6},
        Spot{"holding hand", 1.6, 2.8}, Spot{"smoke origin", Patient::kSmokeOriginX, Patient::kSmokeRestY},
        Spot{"right foot", Patient::kRightLegRig.x, Patient::kRightLegRig.y - kFoot},
        Spot{"left foot", Patient::kLeftLegRig.x, Patient::kLeftLegRig.y - kFoot}})
    EXPECT_EQ(texel(spot.x, spot.y)[3], 0) << spot.what << " is covered";

  // Where the game writes the money and the best chain (their glyphs, tilted
  // 4 degrees, for up to eight and three characters).
  struct Box {
    const char* what;
    double left, bottom, right, top;
  };
  constexpr double kAbove = 0.01;  // world units between the baseline and the box
  const double money = Wallet::kMoneyY + kAbove, best = Wallet::kBestChainY + kAbove;
  for (const Box& box :
       {Box{"money", Wallet::kMoneyX, money, Wallet::kMoneyX + 1.05, money + 0.21},
        Box{"best chain", Wallet::kBestChainX, best, Wallet::kBestChainX + 0.55, best + 0.29}}) {
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
