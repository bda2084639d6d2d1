#pragma once
// The frame clock and the application object in one: it measures each frame's
// time (clamped so a stall advances the game by at most 0.12 s), runs the
// one-time initialisation, and is the frame itself, updating and drawing the
// playing screen in a fixed order.

#include <cstdint>

class FrameClock {
 public:
  static constexpr double kMaxFrameSeconds = 0.12;

  static FrameClock& instance();

  // Reads GLUT's elapsed-time counter and measures the new dt.
  void tick();
  // The tick rule itself, for a given counter reading in milliseconds. The
  // difference is taken as unsigned 32-bit, so a wrap of the counter still
  // gives the small true difference.
  void tickAt(std::int32_t elapsedMs);
  double dt() const { return dtSeconds; }

  void initialise();
  void drawFrame();
  void updateAll();
  void requestRedisplay();

  std::int32_t lastMs = 0;
  std::int32_t nowMs = 0;
  double dtSeconds = 0.0;
  bool started = false;

  // Reads the counter now, as the clock's creation does.
  FrameClock();
};
