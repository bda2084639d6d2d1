#include "score/FloatingText.h"

#include <cmath>
#include <cstring>

#include "gfx/GlIncludes.h"

namespace {
constexpr float kRiseSpeed = 2.0f;             // world units a second, in every phase
constexpr float kFullAlpha = 0.8f;             // opacity while hovering (0.800000011920929)
constexpr double kPulseRate = 10.0;            // radians a second
constexpr double kPulseDepth = 0.125;          // +-12.5 % of the size while hovering
constexpr float kBlowUpScale = 50.0f;          // size reached at the end of blowing up
constexpr float kWorldPerGlyphPixel = 0.015f;  // world units a font pixel at scale 1
}  // namespace

FloatingText::FloatingText(float atX, float atY, const char* message)
    : TimedPhases(kSwellInTime, kHoverTime, kBlowUpTime), x(atX), y(atY) {
  if (message != nullptr) {
    std::strncpy(text, message, sizeof text - 1);
    text[sizeof text - 1] = '\0';
  }
}

void FloatingText::update(float dt) {
  const Moment now = advance(dt);
  rise += kRiseSpeed * dt;
  if (now.phase == kSwellIn) {
    const float f = now.t / fadeInTime;
    scale = f;
    alpha = kFullAlpha * f;
  } else if (now.phase == kHover) {
    alpha = kFullAlpha;
    scale = static_cast<float>(1.0 + kPulseDepth * std::sin(kPulseRate * now.t));
  } else if (now.phase == kBlowUp) {
    const float f = now.t / fadeOutTime;
    scale = kBlowUpScale * f;
    alpha = (1.0f - f) * kFullAlpha;
  }
}

void FloatingText::render() const {
  glPushMatrix();
  glTranslatef(x, y + rise, 0.0f);
  glColor4f(1.0f, 1.0f, 1.0f, alpha);
  const float s = scale * kWorldPerGlyphPixel;
  glScalef(s, s, s);
  // The message is finished text: printing it as a format would read arguments
  // that were never passed wherever it holds a '%'.
  printText(FontPrinter::instance(), "%s", text);
  glPopMatrix();
}
