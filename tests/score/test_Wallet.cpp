#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <tuple>

#include "gfx/FontPrinter.h"
#include "gfx/GlIncludes.h"
#include "score/FloatingTextList.h"
#include "score/ScoreTestSupport.h"
#include "score/Wallet.h"
#include "support/GlTestWindow.h"
#include "support/RecordingAudio.h"
#include "support/ScratchDir.h"

namespace {

class WalletTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sounds = RecordingAudio::install();
    Wallet::instance() = Wallet();
    FloatingTextList::instance() = FloatingTextList();
  }
  Wallet& wallet = Wallet::instance();
  std::vector<FloatingText>& texts = FloatingTextList::instance().texts;
  std::shared_ptr<RecordingAudio::Log> sounds;
};

TEST_F(WalletTest, BurstsLessThanASecondApartFormAChainThatPaysShowsItsTextAndPlaysItsSound) {
  EXPECT_EQ(wallet.money, 20000);
  wallet.registerPop(1.0f, 2.0f);
  EXPECT_EQ(wallet.money, 20000) << "a lone burst pays no bonus";
  EXPECT_TRUE(texts.empty());
  wallet.update(0.99f);
  wallet.registerPop(-1.25f, 3.5f);
  EXPECT_EQ(wallet.chain, 2);
  EXPECT_EQ(wallet.money, 20300);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_STREQ(texts[0].text, "2 chain!");
  EXPECT_EQ(texts[0].x, -1.25f);
  EXPECT_EQ(texts[0].y, 3.5f);
  EXPECT_EQ(sounds->played, std::vector<int>{26});

  // Exactly one second later, or after a click, the next burst starts a new
  // chain of 1, silently and unpaid.
  wallet.update(0.5f);
  wallet.update(0.5f);
  wallet.registerPop(0.0f, 1.0f);
  EXPECT_EQ(wallet.chain, 1) << "1.0 s breaks the chain";
  wallet.resetChain();
  wallet.update(0.2f);
  wallet.registerPop(0.0f, 1.0f);
  EXPECT_EQ(wallet.chain, 1) << "a click breaks the chain";
  EXPECT_EQ(wallet.bestChain, 2);
  EXPECT_EQ(wallet.money, 20300);
  EXPECT_EQ(texts.size(), 1u);
  EXPECT_EQ(sounds->played.size(), 1u);
}

TEST_F(WalletTest, LongChainsPayMoreAndTheirSoundStopsRisingAt13) {
  int expectedMoney = wallet.money;
  std::vector<int> expectedSounds;
  for (int link = 1; link <= 15; ++link) {
    wallet.registerPop(0, 0);
    wallet.update(0.1f);
    if (link > 1) {
      expectedMoney += 150 * link;
      expectedSounds.push_back(26 + std::min(link - 2, 11));
    }
  }
  EXPECT_EQ(wallet.bestChain, 15);
  EXPECT_EQ(wallet.money, expectedMoney);
  EXPECT_EQ(sounds->played, expectedSounds);
  EXPECT_EQ(sounds->played[12], 37) << "a chain of 14 plays the last chain sound";
}

TEST_F(WalletTest, ShownMoneyEasesTowardsTheMoneyWithoutOvershooting) {
  wallet.update(0.1f);
  EXPECT_FLOAT_EQ(wallet.shownMoney, 10000.0f) << "a frame closes 5 * dt of the gap";

  // Down after a costly click, past zero, and never beyond the true amount even
  // for an overlong frame.
  wallet.money = 100;
  wallet.addMoney(-200);
  EXPECT_EQ(wallet.money, -100);
  float previous = wallet.shownMoney;
  for (float dt : {0.12f, 0.12f, 0.5f, 0.12f}) {
    wallet.update(dt);
    EXPECT_LE(wallet.shownMoney, previous);
    EXPECT_GE(wallet.shownMoney, -100.0f);
    previous = wallet.shownMoney;
  }
  EXPECT_FLOAT_EQ(wallet.shownMoney, -100.0f);
}

// The money and best chain as the player should see them: black at 0.9,
// tilted 4 degrees, at their places and sizes.
void drawByHand(const char* money, const char* best) {
  for (const auto& [text, x, y, scale] :
       {std::tuple{money, 2.0f, 4.46f, 0.005f}, {best, 2.4f, 3.2f, 0.0075f}}) {
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.9f);
    glScalef(scale, scale, scale);
    glRotatef(4.0f, 0.0f, 0.0f, 1.0f);
    printText(FontPrinter::instance(), "%s", text);
    glPopMatrix();
  }
}

TEST_F(WalletTest, InitialiseLoadsTheGameFontAndTheScoreStandsBlackAtItsPlaces) {
  GlTestWindow& window = GlTestWindow::open();
  ScratchDir assets;
  EXPECT_THROW(wallet.initialise(), std::runtime_error) << "there is no game font yet";
  const std::string font = debianFont("DejaVuSans.ttf");
  ASSERT_FALSE(font.empty()) << "fonts-dejavu-core is one of the test packages";
  std::filesystem::copy_file(font, assets.path() / "res" / "fonts" / "Cookies.ttf");
  FontPrinter::instance() = FontPrinter();
  wallet.initialise();
  EXPECT_EQ(FontPrinter::instance().fontSize, 36.0f);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);

  // A chain text rises from below onto the money line.
  wallet.registerPop(2.0f, 3.6f);
  wallet.registerPop(2.0f, 3.6f);
  for (int frame = 0; frame < 4; ++frame) wallet.update(0.1f);
  wallet.shownMoney = -100.0f;
  wallet.bestChain = 7;
  window.clear();
  wallet.draw();
  const auto drawn = grabFrame();
  window.clear();
  drawByHand("$-100", "7");
  FloatingTextList::instance().render();
  EXPECT_TRUE(drawn == grabFrame())
      << "expected \"$-100\" and \"7\" in black at the score's places, the chain "
         "text over them";
  // The best chain's digit, well below the chain text and its dark edge.
  int darkest = 255;
  for (int row = 3 * 128; row < 4 * 128 - 32; ++row)
    for (int column = 6 * 128; column < 7 * 128; ++column)
      darkest = std::min<int>(darkest, drawn[(static_cast<std::size_t>(row) * 1024 + column) * 4]);
  EXPECT_NEAR(darkest, 25, 3) << "black at 0.9 opacity over white";
}

}  // namespace
