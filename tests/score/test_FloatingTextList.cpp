#include <gtest/gtest.h>

#include <string>

#include "score/FloatingTextList.h"

namespace {

std::string order(const FloatingTextList& list) {
  std::string names;
  for (const FloatingText& text : list.texts) names += text.text;
  return names;
}

TEST(FloatingTextListUpdate, ATextIsRemovedInTheUpdateThatFinishesItAndNeverLater) {
  FloatingTextList list;
  list.addText(0.5f, 1.0f, "%d chain!", 7);
  ASSERT_EQ(list.texts.size(), 1u);
  EXPECT_STREQ(list.texts[0].text, "7 chain!");
  EXPECT_EQ(list.texts[0].x, 0.5f);
  EXPECT_EQ(list.texts[0].y, 1.0f);
  for (int k = 1; k <= 13; ++k) {
    list.update(0.1f);
    ASSERT_EQ(list.texts.size(), 1u) << "gone after update " << k;
    EXPECT_NE(list.texts[0].phase, FloatingText::kFinished);
  }
  list.update(0.1f);
  EXPECT_TRUE(list.texts.empty());
}

TEST(FloatingTextListUpdate, RemovalKeepsTheOrderAndUpdatesEveryOtherTextExactlyOnce) {
  // B and C finish in the same pass; D, which moves into B's place, must be
  // updated once, not skipped and not twice.
  FloatingTextList list;
  for (const char* name : {"A", "B", "C", "D"}) list.addText(0.0f, 0.0f, "%s", name);
  for (int i : {1, 2}) {
    list.texts[i].phase = FloatingText::kBlowUp;
    list.texts[i].phaseClock = 0.3f;
  }
  list.update(0.1f);
  EXPECT_EQ(order(list), "AD");
  for (const FloatingText& text : list.texts) EXPECT_NEAR(text.rise, 0.2f, 1e-6f) << text.text;

  list.addText(0.0f, 0.0f, "E");
  list.texts[0].phase = FloatingText::kBlowUp;
  list.texts[0].phaseClock = 0.3f;
  list.update(0.1f);
  EXPECT_EQ(order(list), "DE");
  EXPECT_NEAR(list.texts[0].rise, 0.4f, 1e-6f);
  EXPECT_NEAR(list.texts[1].rise, 0.2f, 1e-6f);
}

TEST(FloatingTextListUpdate, ANullFormatGivesAnEmptyTextThatLivesItsWholeLife) {
  FloatingTextList list;
  const char* noFormat = nullptr;
  list.addText(1.0f, 2.0f, noFormat);
  ASSERT_EQ(list.texts.size(), 1u);
  EXPECT_STREQ(list.texts[0].text, "");
  int updates = 0;
  while (!list.texts.empty() && updates < 100) {
    list.update(0.1f);
    ++updates;
  }
  EXPECT_EQ(updates, 14);
}

TEST(FloatingTextListUpdate, FormattedMessagesAreCutAt255Characters) {
  FloatingTextList list;
  const std::string longMessage(1000, 'z');
  list.addText(0.0f, 0.0f, "%s%d", longMessage.c_str(), 5);
  EXPECT_EQ(std::string(list.texts[0].text), longMessage.substr(0, 255));
}

}  // namespace
