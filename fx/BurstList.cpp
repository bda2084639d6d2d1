#include "fx/BurstList.h"

// Placeholder until the effects work lands.

BurstList& BurstList::instance() {
  static BurstList* list = new BurstList();
  return *list;
}

void BurstList::spawnPopBurst(float, float, float) {}
void BurstList::spawnClickBurst(float, float, float) {}
void BurstList::update(float) {}
void BurstList::render() {}
