#include "score/Wallet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>

#include "gfx/FontPrinter.h"
#include "gfx/GlIncludes.h"
#include "score/FloatingTextList.h"
#include "score/ScoreTestSupport.h"
#include "support/GlTestWindow.h"
#include "support/RecordingAudio.h"
#include "support/ScratchDir.h"

namespace {

class WalletTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Wallet::instance() = Wallet();
    FloatingTextList::instance() = FloatingTextList();
  }
  std::shared_ptr<RecordingAudio::Log> sounds = RecordingAudio::install();
  Wallet& wallet = Wallet::instance();
  std::vector<FloatingText>& texts = FloatingTextList::instance().texts;
};

TEST_F(WalletTest, BurstsLessThanASecondApartFormAChainThatPaysShowsItsTextAndPlaysItsSound) {
  EXPECT_EQ(wallet.money, 20000);
  wallet.registerPop(1.0f, 2.0f);
  wallet.update(0.99f);
  wallet.registerPop(-1.25f, 3.5f);
  EXPECT_EQ(wallet.chain, 2);
  EXPECT_EQ(wallet.money, 20300) << "a lone burst pays no bonus, the second link 2 * 150";
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_STREQ(texts[0].text, "2 chain!");
  EXPECT_EQ(texts[0].x, -1.25f);
  EXPECT_EQ(texts[0].y, 3.5f);
  EXPECT_EQ(sounds->played, std::vector<int>{SoundBank::kChainFirst});

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

TEST_F(WalletTest, EachLinkPays150TimesItsLengthAndTheSoundStopsRisingAt13) {
  int expectedMoney = wallet.money;
  std::vector<int> expectedSounds;
  for (int link = 1; link <= 15; ++link) {
    wallet.registerPop(0, 0);
    wallet.update(0.1f);
    if (link > 1) {
      expectedMoney += 150 * link;
      expectedSounds.push_back(SoundBank::kChainFirst + std::min(link - 2, 11));
    }
  }
  EXPECT_EQ(wallet.bestChain, 15);
  EXPECT_EQ(wallet.money, expectedMoney);
  EXPECT_EQ(sounds->played, expectedSounds);
}

TEST_F(WalletTest, ShownMoneyEasesTowardsTheMoneyWithoutOvershooting) {
  wallet.update(0.1f);
  EXPECT_FLOAT_EQ(wallet.shownMoney, 10000.0f) << "a frame closes 5 * dt of the gap";
  // Down after a costly click, past zero, and never beyond the true amount even
  // for an overlong frame.
  wallet.money = 100;
  wallet.addMoney(-200);
  float previous = wallet.shownMoney;
  for (float dt : {0.12f, 0.12f, 0.5f, 0.12f}) {
    wallet.update(dt);
    EXPECT_LE(wallet.shownMoney, previous);
    EXPECT_GE(wallet.shownMoney, -100.0f);
    previous = wallet.shownMoney;
  }
  EXPECT_FLOAT_EQ(wallet.shownMoney, -100.0f);
}

TEST_F(WalletTest, TheShownMoneyRoundedAndTheBestChainStandBlackAtTheirPlacesUnderTheChainTexts) {
  GlTestWindow& window = GlTestWindow::open();
  const ScratchDir assets;
  std::filesystem::copy_file(kTestFont, assets.path() / "res" / "fonts" / "Cookies.ttf");
  wallet.initialise();
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  wallet.registerPop(2.0f, 3.6f);
  wallet.registerPop(2.0f, 3.6f);
  for (int frame = 0; frame < 4; ++frame) wallet.update(0.1f);  // the chain text rises onto the money
  wallet.shownMoney = -99.6f;
  wallet.bestChain = 7;
  window.clear();
  wallet.draw();
  const auto drawn = grabFrame();
  // Black at 0.9, tilted 4 degrees, at their places and sizes.
  window.clear();
  for (const auto& [text, x, y, scale] :
       {std::tuple{"$-100", 2.0f, 4.46f, 0.005f}, {"7", 2.4f, 3.2f, 0.0075f}}) {
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.9f);
    glScalef(scale, scale, scale);
    glRotatef(4.0f, 0.0f, 0.0f, 1.0f);
    printText(FontPrinter::instance(), "%s", text);
    glPopMatrix();
  }
  FloatingTextList::instance().render();
  EXPECT_TRUE(drawn == grabFrame())
      << "expected \"$-100\" and \"7\" at the score's places, the chain text over them";
}

}  // namespace
