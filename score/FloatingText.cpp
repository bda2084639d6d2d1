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

FloatingText::FloatingText(float atX, float atY, const char* message) : x(atX), y(atY) {
  if (message != nullptr) {
    std::strncpy(text, message, sizeof text - 1);
    text[sizeof text - 1] = '\0';
  }
}

void FloatingText::update(float dt) {
  const float t = phaseClock;
  rise += kRiseSpeed * dt;
  switch (phase) {
    case kSwellIn: {
      const float f = t / fadeInTime;
      scale = f;
      alpha = kFullAlpha * f;
      if (t >= fadeInTime) {
        phase = kHover;
        phaseClock = 0.0f;
      }
      break;
    }
    case kHover:
      alpha = kFullAlpha;
      scale = static_cast<float>(1.0 + kPulseDepth * std::sin(kPulseRate * t));
      if (t >= holdTime) {
        phase = kBlowUp;
        phaseClock = 0.0f;
      }
      break;
    case kBlowUp: {
      const float f = t / fadeOutTime;
      scale = kBlowUpScale * f;
      alpha = (1.0f - f) * kFullAlpha;
      if (t >= fadeOutTime) {
        phase = kFinished;
        phaseClock = 0.0f;
      }
      break;
    }
    default:
      break;
  }
  phaseClock += dt;
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
