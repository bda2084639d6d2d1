#pragma once
// The timing that the pop bursts and the floating texts share: a ramp in, a
// hold and a ramp out, each of its own length, then finished. Each update reads
// where the effect is (the phase and the seconds spent in it), then moves to
// the next phase when that phase's time is up, so the update that ends a phase
// still looks like that phase; the clock then advances by the update's dt.

class TimedPhases {
 public:
  static constexpr int kRampIn = 0;
  static constexpr int kHold = 1;
  static constexpr int kRampOut = 2;
  static constexpr int kFinished = 3;  // removed by its list, never drawn

  struct Moment {
    int phase;
    float t;  // seconds spent in the phase before this update
  };

  TimedPhases(float rampIn, float hold, float rampOut)
      : fadeInTime(rampIn), holdTime(hold), fadeOutTime(rampOut) {}

  // One update of dt seconds; returns the moment the update starts from.
  Moment advance(float dt);

  float fadeInTime;   // seconds
  float holdTime;     // seconds
  float fadeOutTime;  // seconds
  int phase = kRampIn;
  float phaseClock = 0.0f;  // seconds in the current phase
};
