#include "support/PlayState.h"

#include "fx/BurstList.h"
#include "score/FloatingTextList.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"

void resetPlayState() {
  while (!bubbleField.bubbles.empty()) bubbleField.remove(bubbleField.bubbles.back());
  bubbleField.selectedBubble = nullptr;
  bubbleField.clock = 0.0f;
  bubbleField.stepAccumulator = 0.0f;
  BurstList::instance() = BurstList();
  PopBurst::sparkListId = kNoSprite;
  Wallet::instance() = Wallet();
  FloatingTextList::instance() = FloatingTextList();
}
