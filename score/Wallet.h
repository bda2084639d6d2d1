#pragma once
// The score: the player's money, the chain of bursts by growth that follow each
// other within a second, and the longest chain. Also owns the frame duties of
// the floating texts, whose update and drawing run inside its own.

#include "assets/SceneLayout.h"

class Wallet {
 public:
  // Where the money and the best chain are printed: the baseline's start in
  // world units, world units per font pixel, and the tilt of both lines. The
  // background's chart is drawn around the same places.
  static constexpr float kMoneyX = SceneLayout::kMoneyLine.x;
  static constexpr float kMoneyY = SceneLayout::kMoneyLine.y;
  static constexpr float kMoneyScale = SceneLayout::kMoneyLine.scale;
  static constexpr float kBestChainX = SceneLayout::kBestChainLine.x;
  static constexpr float kBestChainY = SceneLayout::kBestChainLine.y;
  static constexpr float kBestChainScale = SceneLayout::kBestChainLine.scale;
  static constexpr float kTextTiltDegrees = SceneLayout::kPrintedTiltDegrees;

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
