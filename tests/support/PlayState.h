#pragma once
// Puts the game's process-wide play objects back as before the first playing
// frame: an empty field at clock 0 with nothing selected, no bursts and no spark
// sprite, a fresh wallet, no floating texts. ctest runs every case in a process
// of its own, but a test program run by hand runs them all in one.

#include "fx/BurstList.h"
#include "score/FloatingTextList.h"
#include "score/Wallet.h"
#include "sim/BubbleField.h"

constexpr int kStartMoney = 20000;  // a fresh wallet's, which prices and rewards count from

inline void resetPlayState() {
  while (!bubbleField.bubbles.empty()) bubbleField.remove(bubbleField.bubbles.back());
  bubbleField.selectedBubble = nullptr;
  bubbleField.clock = 0.0f;
  bubbleField.stepAccumulator = 0.0f;
  BurstList::instance() = BurstList();
  PopBurst::sparkListId = kNoSprite;
  Wallet::instance() = Wallet();
  FloatingTextList::instance() = FloatingTextList();
}

// A bubble put into a field by hand, at rest and weightless, so only what the
// test does to it moves it.
inline Bubble* addBubble(BubbleField& field, int kind, float x, float y, float mass = 0.5f) {
  Bubble* bubble = field.bubbles.emplace_back(new Bubble());
  bubble->kind = kind;
  bubble->setMass(mass);
  bubble->x = x;
  bubble->y = y;
  return bubble;
}
