#include "score/FloatingText.h"

#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

#include "gfx/GlIncludes.h"

namespace {
constexpr float kRiseSpeed = 2.0f;             // world units a second, in every phase
constexpr float kFullAlpha = 0.8f;             // opacity while hovering (0.800000011920929)
constexpr double kPulseRate = 10.0;            // radians a second
constexpr double kPulseDepth = 0.125;          // +-12.5 % of the size while hovering
constexpr float kBlowUpScale = 50.0f;          // size reached at the end of blowing up
constexpr float kWorldPerGlyphPixel = 0.015f;  // world units a font pixel at scale 1

// The dark edge under the white glyphs, which keeps a text readable on pale
// bubbles and on the paper chart and keeps overlapping texts apart. It is the
// message printed in black at eight offsets around the pen; the copies overlap,
// so each is only half as opaque as the text and together they come close to
// its opacity, fading with it. Black leaves a black background as it was.
constexpr float kEdgeGlyphPixels = 2.5f;  // font pixels, about 5 % of the em
constexpr float kEdgeOpacityPerCopy = 0.5f;
constexpr int kEdgeCopies = 8;
constexpr float kInvisibleOpacity = 0.5f / 255.0f;  // half a step of an 8-bit channel
// The copies also lie under the glyphs, where a translucent glyph lets them
// show: once a text blows up past its hovering size, its giant letters would
// sweep a dark veil over the field. So there the edge fades with the square of
// the growth as well, and is all but gone within a frame or two.
constexpr float kEdgeFullUpToScale = static_cast<float>(1.0 + kPulseDepth);

// Where the copies sit around the pen, in font pixels, evenly round a circle.
const std::array<std::array<float, 2>, kEdgeCopies>& edgeOffsets() {
  static const auto offsets = [] {
    std::array<std::array<float, 2>, kEdgeCopies> around{};
    for (int k = 0; k < kEdgeCopies; ++k) {
      const double angle = 2.0 * std::numbers::pi * k / kEdgeCopies;
      around[k] = {static_cast<float>(kEdgeGlyphPixels * std::cos(angle)),
                   static_cast<float>(kEdgeGlyphPixels * std::sin(angle))};
    }
    return around;
  }();
  return offsets;
}

float edgeOpacity(float alpha, float scale) {
  const float growth = scale > kEdgeFullUpToScale ? kEdgeFullUpToScale / scale : 1.0f;
  return alpha * kEdgeOpacityPerCopy * growth * growth;
}
}  // namespace

FloatingText::FloatingText(float atX, float atY, const char* message)
    : TimedPhases(kSwellInTime, kHoverTime, kBlowUpTime), x(atX), y(atY) {
  if (message != nullptr) {
    const std::size_t length = strnlen(message, sizeof text - 1);
    std::memcpy(text, message, length);
    text[length] = '\0';
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
  const float s = scale * kWorldPerGlyphPixel;
  glScalef(s, s, s);
  // The message is finished text: printing it as a format would read arguments
  // that were never passed wherever it holds a '%'. An edge too faint to change
  // a pixel is not drawn: skipping it spares the huge blown-up letters eight
  // more fills.
  const float edge = edgeOpacity(alpha, scale);
  if (edge >= kInvisibleOpacity) {
    glColor4f(0.0f, 0.0f, 0.0f, edge);
    for (const auto& [dx, dy] : edgeOffsets()) {
      glPushMatrix();
      glTranslatef(dx, dy, 0.0f);
      printText(FontPrinter::instance(), "%s", text);
      glPopMatrix();
    }
  }
  glColor4f(1.0f, 1.0f, 1.0f, alpha);
  printText(FontPrinter::instance(), "%s", text);
  glPopMatrix();
}
