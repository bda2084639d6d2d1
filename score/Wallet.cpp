#include "score/Wallet.h"

// Placeholder bookkeeping until the score work lands.

Wallet& Wallet::instance() {
  static Wallet* wallet = new Wallet();
  return *wallet;
}

void Wallet::initialise() {}
void Wallet::update(float) {}
void Wallet::draw() {}
void Wallet::addMoney(int amount) { money += amount; }
void Wallet::resetChain() { chain = 0; }
void Wallet::registerPop(float, float) {}
