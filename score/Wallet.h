#pragma once
// The score: the player's money, the chain of bursts by growth that follow each
// other within a second, and the longest chain. Also owns the frame duties of
// the floating texts, whose update and drawing run inside its own.

class Wallet {
 public:
  static Wallet& instance();

  // Loads the display font; once, at start-up.
  void initialise();
  void update(float dt);
  void draw() const;

  void addMoney(int amount);
  // A click: the next burst by growth starts a new chain.
  void resetChain();
  // A bubble burst by growth at world (x, y).
  void registerPop(float x, float y);

  float shownMoney = 0.0f;
  int money = 20000;
  int bestChain = 0;
  int chain = 0;
  float chainTimer = 0.0f;
};
