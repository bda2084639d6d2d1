#pragma once
// The flash a bubble leaves when it bursts: 100 sparks that start on the rim,
// fly outwards, fade in, hold and fade out. Two variants differ only in timing
// and launch speed: the pop variant for bubbles that burst by themselves, the
// click variant (bright at once, short and fast) for bubbles the player bursts.
// The burst list owns the bursts by value, updates them and removes them once
// they report the finished phase.

#include <array>

#include "assets/AssetTree.h"
#include "fx/Spark.h"
#include "util/TimedPhases.h"

class PopBurst : public TimedPhases {
 public:
  static constexpr int kSparkCount = 100;

  // The phases of the timing shared with the other timed effects.
  static constexpr int kFadeIn = kRampIn;
  static constexpr int kFadeOut = kRampOut;

  // Full strength scale: a 0.5 x 0.125 world-unit streak.
  static constexpr float kFullScale = 0.25f;

  // Single precision on purpose: 0.15 and 0.12 are compared against a float clock.
  static constexpr float kPopFadeIn = 0.15f;     // seconds
  static constexpr float kPopHold = 0.25f;       // seconds
  static constexpr float kPopFadeOut = 0.25f;    // seconds
  static constexpr float kPopLaunch = 4.0f;      // world units per second, upper bound
  static constexpr float kClickFadeIn = 0.0f;    // seconds: bright on the first update
  static constexpr float kClickHold = 0.12f;     // seconds
  static constexpr float kClickFadeOut = 0.12f;  // seconds
  static constexpr float kClickLaunch = 30.0f;   // world units per second, upper bound

  static constexpr const char* kSparkImage = AssetTree::kSparkImage.path;

  // The spark sprite's display list, shared by every burst of the process and
  // built by the first seeding, so the image is read once however many bursts
  // spawn.
  static inline int sparkListId = kNoSprite;

  PopBurst(float launchSpeed, float fadeInTime, float holdTime, float fadeOutTime);
  static PopBurst popVariant();
  static PopBurst clickVariant();

  // Places the sparks on the rim of the circle (x, y, radius), each launched
  // outwards at its own random speed on each axis. Three draws a spark, in the
  // order angle, x magnitude, y magnitude.
  void seed(float x, float y, float radius);
  // Works out this update's ramp, moves the phase on when its time is up, then
  // applies the ramp to every spark and moves it.
  void update(float dt);
  void render() const;

  std::array<Spark, kSparkCount> sparks{};
  float launchSpeed;
};
