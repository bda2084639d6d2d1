#include <gtest/gtest.h>

#include <string>

#include "score/FloatingTextList.h"

namespace {

// How removal keeps the order and steps every other text once is the walk the
// burst list shares, tested there.
TEST(FloatingTextList, FormatsEachTextAtItsPlaceAndRemovesItInTheUpdateThatFinishesIt) {
  FloatingTextList list;
  const std::string longMessage(1000, 'z');
  const char* noFormat = nullptr;
  list.addText(0.5f, 1.0f, "%d chain!", 7);
  list.addText(0.0f, 0.0f, "%s%d", longMessage.c_str(), 5);
  list.addText(1.0f, 2.0f, noFormat);
  ASSERT_EQ(list.texts.size(), 3u);
  EXPECT_STREQ(list.texts[0].text, "7 chain!");
  EXPECT_TRUE(list.texts[0].x == 0.5f && list.texts[0].y == 1.0f);
  EXPECT_EQ(std::string(list.texts[1].text), longMessage.substr(0, 255)) << "long messages are cut at 255";
  EXPECT_STREQ(list.texts[2].text, "") << "a null format gives the empty text";
  for (int k = 1; k <= 14; ++k) {
    list.update(0.1f);
    ASSERT_EQ(list.texts.size(), k < 14 ? 3u : 0u)
        << "texts live 13 tenth-second updates; after update " << k;
  }
}

}  // namespace
