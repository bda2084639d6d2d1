#pragma once
// The stomach's bubbles (filled in by the bubble work).

#include <vector>

#include "sim/Bubble.h"

class BubbleField {
 public:
  BubbleField() = default;
  BubbleField(const BubbleField&) = delete;
  BubbleField& operator=(const BubbleField&) = delete;
  ~BubbleField();

  void step(float dt);
  void loadSprites();
  void render();
  Bubble* nearest(float x, float y);
  void remove(Bubble* bubble);

  std::vector<Bubble*> bubbles;
  Bubble* selectedBubble = nullptr;
  float clock = 0.0f;
};

extern BubbleField bubbleField;
