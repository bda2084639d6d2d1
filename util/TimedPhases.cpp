#include "util/TimedPhases.h"

TimedPhases::Moment TimedPhases::advance(float dt) {
  const Moment now{phase, phaseClock};
  const float length = phase == kRampIn ? fadeInTime : phase == kHold ? holdTime : fadeOutTime;
  if (phase != kFinished && now.t >= length) {
    ++phase;
    phaseClock = 0.0f;
  }
  phaseClock += dt;
  return now;
}
