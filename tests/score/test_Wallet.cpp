#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "gfx/FontPrinter.h"
#include "gfx/GlIncludes.h"
#include "score/FloatingTextList.h"
#include "score/ScoreTestSupport.h"
#include "score/Wallet.h"
#include "support/GlTestWindow.h"
#include "support/RecordingAudio.h"

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

TEST_F(WalletTest, BurstsWithinASecondFormAChainThatPaysShowsItsTextAndPlaysItsSound) {
  EXPECT_EQ(wallet.money, 20000);
  EXPECT_EQ(wallet.shownMoney, 0.0f);

  wallet.registerPop(1.0f, 2.0f);
  EXPECT_EQ(wallet.chain, 1);
  EXPECT_EQ(wallet.bestChain, 1);
  EXPECT_EQ(wallet.money, 20000) << "a lone burst pays no bonus";
  EXPECT_TRUE(texts.empty());
  EXPECT_TRUE(sounds->played.empty());

  wallet.update(0.5f);
  wallet.registerPop(-1.25f, 3.5f);
  EXPECT_EQ(wallet.chain, 2);
  EXPECT_EQ(wallet.bestChain, 2);
  EXPECT_EQ(wallet.money, 20300);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_STREQ(texts[0].text, "2 chain!");
  EXPECT_EQ(texts[0].x, -1.25f);
  EXPECT_EQ(texts[0].y, 3.5f);
  EXPECT_EQ(sounds->played, std::vector<int>{26});

  // 1.2 s later the chain is broken: a new one of 1 starts, silently and unpaid.
  wallet.update(0.6f);
  wallet.update(0.6f);
  wallet.registerPop(0.0f, 1.0f);
  EXPECT_EQ(wallet.chain, 1);
  EXPECT_EQ(wallet.bestChain, 2);
  EXPECT_EQ(wallet.money, 20300);
  EXPECT_EQ(sounds->played.size(), 1u);
}

TEST_F(WalletTest, ExactlyOneSecondBreaksTheChainJustBelowItDoesNot) {
  wallet.registerPop(0, 0);
  wallet.update(0.5f);
  wallet.update(0.5f);
  wallet.registerPop(0, 0);
  EXPECT_EQ(wallet.chain, 1) << "a burst 1.0 s after the last one starts afresh";

  wallet.update(0.99f);
  wallet.registerPop(0, 0);
  EXPECT_EQ(wallet.chain, 2);
  EXPECT_EQ(wallet.chainTimer, 0.0f);
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
  EXPECT_EQ(wallet.chain, 15);
  EXPECT_EQ(wallet.bestChain, 15);
  EXPECT_EQ(wallet.money, expectedMoney);
  EXPECT_EQ(sounds->played, expectedSounds);
  EXPECT_EQ(sounds->played[12], 37) << "a chain of 14 plays the last chain sound";
}

TEST_F(WalletTest, AClickEndsTheChainAndFreezesItsTimer) {
  wallet.registerPop(0, 0);
  wallet.update(0.2f);
  wallet.registerPop(0, 0);
  wallet.update(0.3f);
  wallet.resetChain();
  EXPECT_EQ(wallet.chain, 0);
  EXPECT_FLOAT_EQ(wallet.chainTimer, 0.3f);
  wallet.update(5.0f);
  EXPECT_FLOAT_EQ(wallet.chainTimer, 0.3f) << "no chain, no timing";

  wallet.registerPop(0, 0);
  EXPECT_EQ(wallet.chain, 1) << "the first burst after a click starts a new chain";
  EXPECT_EQ(wallet.bestChain, 2);
  EXPECT_EQ(sounds->played.size(), 1u);
}

TEST_F(WalletTest, ShownMoneyEasesTowardsTheMoneyWithoutOvershooting) {
  wallet.update(0.1f);
  EXPECT_FLOAT_EQ(wallet.shownMoney, 10000.0f) << "a frame closes 5 * dt of the gap";

  wallet = Wallet();
  float previous = wallet.shownMoney;
  for (int frame = 1; frame <= 54; ++frame) {
    wallet.update(1.0f / 60.0f);
    EXPECT_GT(wallet.shownMoney, previous);
    EXPECT_LE(wallet.shownMoney, 20000.0f);
    previous = wallet.shownMoney;
  }
  EXPECT_GT(wallet.shownMoney, 0.99f * 20000.0f) << "99 % of the way after 0.9 s";

  // Down after a costly click, past zero, and never below the true amount even
  // for an overlong frame.
  wallet.shownMoney = 20000.0f;
  wallet.money = 100;
  wallet.addMoney(-200);
  EXPECT_EQ(wallet.money, -100);
  for (float dt : {0.12f, 0.12f, 0.5f, 0.12f}) {
    wallet.update(dt);
    EXPECT_GE(wallet.shownMoney, -100.0f);
  }
  EXPECT_FLOAT_EQ(wallet.shownMoney, -100.0f);
}

class WalletDrawing : public WalletTest {
 protected:
  void SetUp() override {
    WalletTest::SetUp();
    font = debianFont("DejaVuSans.ttf");
    ASSERT_FALSE(font.empty()) << "fonts-dejavu-core is one of the test packages";
    window = &GlTestWindow::open();
    FontPrinter::instance().loadFont(font.c_str(), 36);
  }
  // The money and best chain as the player should see them: black at 0.9,
  // tilted 4 degrees, at their places and sizes.
  static void drawByHand(const char* money, const char* best) {
    glPushMatrix();
    glTranslatef(2.0f, 4.46f, 0.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.9f);
    glScalef(0.005f, 0.005f, 0.005f);
    glRotatef(4.0f, 0.0f, 0.0f, 1.0f);
    printText(FontPrinter::instance(), "%s", money);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(2.4f, 3.2f, 0.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.9f);
    glScalef(0.0075f, 0.0075f, 0.0075f);
    glRotatef(4.0f, 0.0f, 0.0f, 1.0f);
    printText(FontPrinter::instance(), "%s", best);
    glPopMatrix();
  }
  void clearWhite() {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    window->clear();
  }
  std::string font;
  GlTestWindow* window = nullptr;
};

TEST_F(WalletDrawing, MoneyAndBestChainStandBlackAtTheirPlacesOnTheScreen) {
  wallet.shownMoney = 20000.0f;
  wallet.bestChain = 7;
  clearWhite();
  wallet.draw();
  const auto frame = grabFrame();
  const auto marked = markedPixels(frame, 255);
  ASSERT_FALSE(marked.empty());

  // Every mark lies in one of two boxes: the money right of (2, 4.46), the
  // best chain right of (2.4, 3.2), each a little above its baseline.
  const auto moneyLow = GlTestWindow::worldToPixel(1.98f, 4.38f),
             moneyHigh = GlTestWindow::worldToPixel(3.3f, 4.8f);
  const auto bestLow = GlTestWindow::worldToPixel(2.38f, 3.12f),
             bestHigh = GlTestWindow::worldToPixel(2.8f, 3.6f);
  int inMoney = 0, inBest = 0, elsewhere = 0, darkest = 255;
  for (const auto& [x, y] : marked) {
    if (x >= moneyLow[0] && x <= moneyHigh[0] && y <= moneyLow[1] && y >= moneyHigh[1]) {
      ++inMoney;
    } else if (x >= bestLow[0] && x <= bestHigh[0] && y <= bestLow[1] && y >= bestHigh[1]) {
      ++inBest;
    } else {
      ++elsewhere;
    }
    darkest = std::min(darkest, window->pixel(x, y).r);
  }
  EXPECT_GT(inMoney, 200);
  EXPECT_GT(inBest, 100);
  EXPECT_EQ(elsewhere, 0);
  EXPECT_NEAR(darkest, 25, 3) << "black at 0.9 opacity over white";
  const Rgba sample = window->pixel(marked.front().first, marked.front().second);
  EXPECT_TRUE(sample.r == sample.g && sample.g == sample.b) << "the score is drawn in grey levels only";
}

TEST_F(WalletDrawing, NegativeMoneyShowsWithItsMinusSignAndChainTextsFollow) {
  wallet.money = 100;
  wallet.shownMoney = 100.0f;
  wallet.addMoney(-200);
  for (int frame = 0; frame < 60; ++frame) wallet.update(0.1f);
  clearWhite();
  wallet.draw();
  const auto drawn = grabFrame();
  clearWhite();
  drawByHand("$-100", "0");
  EXPECT_TRUE(drawn == grabFrame()) << "expected \"$-100\" and \"0\" at the score's places";

  // A chain text is drawn after the score, in white over it.
  wallet.registerPop(2.0f, 4.4f);
  wallet.update(0.1f);
  wallet.registerPop(2.0f, 4.4f);
  for (int frame = 0; frame < 4; ++frame) wallet.update(0.1f);
  wallet.shownMoney = -100.0f;  // the bonus has not reached the screen yet
  clearWhite();
  wallet.draw();
  const auto withText = grabFrame();
  clearWhite();
  drawByHand("$-100", "2");
  FloatingTextList::instance().render();
  EXPECT_TRUE(withText == grabFrame());
}

TEST(WalletStartUp, InitialiseLoadsTheGameFontFromTheResourceTree) {
  const std::string font = debianFont("DejaVuSans.ttf");
  ASSERT_FALSE(font.empty());
  GlTestWindow::open();
  const std::filesystem::path previous = std::filesystem::current_path();
  char pattern[] = "/tmp/plombrix-wallet-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  std::filesystem::current_path(pattern);

  EXPECT_THROW(
      {
        try {
          Wallet::instance().initialise();
        } catch (const std::runtime_error& error) {
          EXPECT_STREQ(error.what(), "FT_New_Face failed (there is probably a problem with your font file)");
          throw;
        }
      },
      std::runtime_error);

  std::filesystem::create_directories("res/fonts");
  std::filesystem::copy_file(font, "res/fonts/Cookies.ttf");
  FontPrinter::instance() = FontPrinter();
  Wallet::instance().initialise();
  EXPECT_EQ(FontPrinter::instance().fontSize, 36.0f);
  EXPECT_NE(FontPrinter::instance().listBase, 0u);
  EXPECT_EQ(FontPrinter::instance().glyphTextures.size(), 128u);

  std::filesystem::current_path(previous);
  std::filesystem::remove_all(pattern);
}

}  // namespace
