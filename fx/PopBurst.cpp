#include "fx/PopBurst.h"

#include <cmath>

#include "gfx/BlendedDrawing.h"
#include "gfx/GlIncludes.h"
#include "util/MathHelpers.h"
#include "util/Random.h"

PopBurst::PopBurst(float launch, float fadeIn, float hold, float fadeOut)
    : TimedPhases(fadeIn, hold, fadeOut), launchSpeed(launch) {}

PopBurst PopBurst::popVariant() { return PopBurst(kPopLaunch, kPopFadeIn, kPopHold, kPopFadeOut); }

PopBurst PopBurst::clickVariant() { return PopBurst(kClickLaunch, kClickFadeIn, kClickHold, kClickFadeOut); }

void PopBurst::seed(float x, float y, float radius) {
  // Only the list is kept: it binds the texture itself.
  int texture = kNoTexture;
  makeSprite(sparkListId, texture, kSparkImage);

  for (Spark& spark : sparks) {
    spark.scale = 0.0f;
    spark.alpha = 0.0f;
    const float angle = randFloat(kFullTurnDegrees);
    const double radians = degToRad(angle);
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    spark.x = static_cast<float>(x + radius * cosine);
    spark.y = static_cast<float>(y + radius * sine);
    // Each axis draws its own magnitude, so the launch keeps to the quadrant of
    // the angle without being exactly radial: the flash looks ragged, not round.
    spark.vx = static_cast<float>(randFloat(launchSpeed) * cosine);
    spark.vy = static_cast<float>(randFloat(launchSpeed) * sine);
    spark.rotation = angle;
    spark.listId = sparkListId;
  }
}

void PopBurst::update(float dt) {
  // The ramp comes from the moment before the end-of-phase test, so the update
  // that ends a phase still carries that phase's ramp: it may overshoot 1 at the
  // end of the fade-in and dip below 0 at the end of the fade-out.
  const Moment now = advance(dt);
  float ramp = 0.0f;
  if (now.phase == kFadeIn) {
    // A zero-length fade-in (the click variant) is at full strength at once
    // instead of dividing by zero.
    ramp = fadeInTime > 0.0f ? now.t / fadeInTime : 1.0f;
  } else if (now.phase == kHold) {
    ramp = 1.0f;
  } else if (now.phase == kFadeOut) {
    ramp = fadeOutTime > 0.0f ? 1.0f - now.t / fadeOutTime : 0.0f;
  }

  for (Spark& spark : sparks) {
    spark.alpha = ramp;
    spark.scale = kFullScale * ramp;
    spark.x += dt * spark.vx;
    spark.y += dt * spark.vy;
  }
}

void PopBurst::render() const {
  beginBlendedDrawing();
  for (const Spark& spark : sparks) spark.render();
  endBlendedDrawing();
}
