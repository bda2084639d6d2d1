#include "sim/Bubble.h"

// Placeholder until the bubble work lands.

Bubble::Bubble() { mass = 1.0f; radius = 0.23f; }
void Bubble::update(float) {}
void Bubble::render() {}
