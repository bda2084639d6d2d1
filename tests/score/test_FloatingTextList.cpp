#include <gtest/gtest.h>

#include <string>

#include "score/FloatingTextList.h"

namespace {

TEST(FloatingTextList, FormatsEachTextAtItsPlaceAndRemovesItInTheUpdateThatFinishesItKeepingTheOrder) {
  FloatingTextList list;
  const std::string longMessage(1000, 'z');
  const char* noFormat = nullptr;
  list.addText(0.5f, 1.0f, "%d chain!", 7);
  list.addText(0.0f, 0.0f, "%s%d", longMessage.c_str(), 5);
  list.addText(1.0f, 2.0f, noFormat);
  list.addText(0.0f, 0.0f, "%s", "last");
  ASSERT_EQ(list.texts.size(), 4u);
  EXPECT_STREQ(list.texts[0].text, "7 chain!");
  EXPECT_EQ(list.texts[0].x, 0.5f);
  EXPECT_EQ(list.texts[0].y, 1.0f);
  EXPECT_EQ(std::string(list.texts[1].text), longMessage.substr(0, 255)) << "long messages are cut at 255";
  EXPECT_STREQ(list.texts[2].text, "") << "a null format gives the empty text";

  // The middle two finish in the same pass; the last, which moves into the
  // second's place, must be updated once, not skipped and not twice.
  for (int i : {1, 2}) {
    list.texts[i].phase = FloatingText::kBlowUp;
    list.texts[i].phaseClock = 0.3f;
  }
  for (int k = 1; k <= 14; ++k) {
    list.update(0.1f);
    ASSERT_EQ(list.texts.size(), k < 14 ? 2u : 0u)
        << "texts live 13 tenth-second updates; after update " << k;
    if (k == 1) {
      EXPECT_STREQ(list.texts[1].text, "last");
      EXPECT_EQ(list.texts[0].rise, list.texts[1].rise) << "a text was skipped or updated twice";
    }
  }
}

}  // namespace
