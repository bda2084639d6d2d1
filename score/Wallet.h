#pragma once
// The score: the player's money, the chain of bursts by growth that follow each
// other within a second, and the longest chain. Also owns the frame duties of
// the floating texts, whose update and drawing run inside its own.

class Wallet {
 public:
  // Where the money and the best chain are printed: the baseline's start in
  // world units, world units per font pixel, and the tilt of both lines. The
  // background's chart is drawn around the same places.
  static constexpr float kMoneyX = 2.0f;
  static constexpr float kMoneyY = 4.46f;
  static constexpr float kMoneyScale = 0.005f;
  static constexpr float kBestChainX = 2.4f;
  static constexpr float kBestChainY = 3.2f;
  static constexpr float kBestChainScale = 0.0075f;
  static constexpr float kTextTiltDegrees = 4.0f;

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
