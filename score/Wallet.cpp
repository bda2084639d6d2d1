#include "score/Wallet.h"

#include <algorithm>

#include "assets/AssetTree.h"
#include "audio/SoundBank.h"
#include "gfx/FontPrinter.h"
#include "gfx/GlIncludes.h"
#include "score/FloatingTextList.h"
#include "util/MathHelpers.h"

namespace {
constexpr float kChainWindow = 1.0f;  // seconds; a burst this late or later breaks the chain
constexpr int kChainBonus = 150;      // money per link of the chain reached
// The shown money closes this fraction of its gap a second (per unit of dt).
constexpr double kEaseRate = 5.0;

// Both lines are black at 0.9 opacity, tilted counter-clockwise; positions are
// world units, scales world units per font pixel.
constexpr float kTextAlpha = 0.9f;

void beginScoreLine(float x, float y, float scale) {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glColor4f(0.0f, 0.0f, 0.0f, kTextAlpha);
  glScalef(scale, scale, scale);
  glRotatef(Wallet::kTextTiltDegrees, 0.0f, 0.0f, 1.0f);
}
}  // namespace

Wallet& Wallet::instance() {
  static Wallet* wallet = new Wallet();
  return *wallet;
}

void Wallet::initialise() { FontPrinter::instance().loadFont(AssetTree::kFont.path, AssetTree::kFontSize); }

void Wallet::update(float dt) {
  if (chain > 0) chainTimer += dt;
  FloatingTextList::instance().update(dt);
  // Closing at most the whole gap keeps the shown amount from overshooting even
  // for a frame longer than the clock ever hands out.
  const double fraction = std::min(static_cast<double>(dt) * kEaseRate, 1.0);
  shownMoney = static_cast<float>(shownMoney + (static_cast<double>(money) - shownMoney) * fraction);
}

void Wallet::draw() const {
  beginScoreLine(kMoneyX, kMoneyY, kMoneyScale);
  printText(FontPrinter::instance(), "$%d", roundToInt(shownMoney));
  glPopMatrix();

  beginScoreLine(kBestChainX, kBestChainY, kBestChainScale);
  printText(FontPrinter::instance(), "%d", bestChain);
  glPopMatrix();

  FloatingTextList::instance().render();
}

void Wallet::addMoney(int amount) { money += amount; }

void Wallet::resetChain() { chain = 0; }

void Wallet::registerPop(float x, float y) {
  if (chain != 0 && chainTimer >= kChainWindow) {
    chain = 1;
  } else {
    ++chain;
    if (chain > 1) {
      FloatingTextList::instance().addText(x, y, "%d chain!", chain);
      money += chain * kChainBonus;
      // Sounds rise with the chain and stay on the last one from 13 links up.
      const int step = std::min(chain - 2, SoundBank::kChainCount - 1);
      SoundBank::instance().playSound(SoundBank::kChainFirst + step);
    }
  }
  bestChain = std::max(bestChain, chain);
  chainTimer = 0.0f;
}
