#include "sim/BubbleField.h"

// Placeholder until the bubble work lands.

BubbleField bubbleField;

BubbleField::~BubbleField() {
  for (Bubble* b : bubbles) delete b;
}
void BubbleField::step(float dt) { clock += dt; }
void BubbleField::loadSprites() {}
void BubbleField::render() {}
Bubble* BubbleField::nearest(float, float) { return nullptr; }
void BubbleField::remove(Bubble*) {}
