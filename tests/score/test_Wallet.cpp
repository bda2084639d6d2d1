#include "score/Wallet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "score/FloatingTextList.h"
#include "support/RecordingAudio.h"

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

TEST_F(WalletTest, BurstsUnderASecondApartFormAChainThatPays150ALinkShowsItsTextAndRaisesItsSoundTo13) {
  int expectedMoney = wallet.money;  // the field's cases see the 20000 a game starts with
  for (int link = 1; link <= 20; ++link) {
    if (link > 1) wallet.update(0.99f);
    wallet.registerPop(0.1f * link, 2.0f);
    if (link == 1) continue;
    expectedMoney += 150 * link;
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, std::to_string(link) + " chain!");
    EXPECT_EQ(texts.back().x, 0.1f * link) << "the text shows where the burst was";
  }
  EXPECT_EQ(wallet.money, expectedMoney) << "a lone burst pays nothing, link n of a chain 150 * n";
  // The chain sounds by their numbers in the sound bank: chain01.wav (26) for a
  // chain of 2, one up a link, chain12.wav (37) from a chain of 13 on.
  EXPECT_EQ(sounds->played,
            std::vector<int>({26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 37, 37, 37, 37, 37, 37, 37}))
      << "the chains of 2 to 20 played the wrong sounds";

  // A whole second's pause, or a click, starts a new chain, silently and unpaid.
  wallet.update(0.5f);
  wallet.update(0.5f);
  wallet.registerPop(0.0f, 1.0f);
  EXPECT_EQ(wallet.chain, 1) << "1.0 s breaks the chain";
  wallet.update(0.5f);
  wallet.resetChain();
  wallet.registerPop(0.0f, 1.0f);
  EXPECT_EQ(wallet.chain, 1) << "a click breaks the chain";
  EXPECT_TRUE(wallet.money == expectedMoney && sounds->played.size() == 19 &&
              std::none_of(texts.begin(), texts.end(), [](const FloatingText& t) { return t.y == 1.0f; }))
      << "a new chain's first burst paid, sounded or showed a text";
  EXPECT_EQ(wallet.bestChain, 20) << "the longest chain is kept";
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

}  // namespace
