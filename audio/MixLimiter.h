#pragma once
// The last stage of the game's mix, run on every mixed buffer (by SDL2_mixer's
// post-mix hook on the desktop, by the web mixer in the browser): keeps the sum
// of all voices and the music below full scale, however many merges fire at
// once.
//
// A gain envelope follows the louder side of each frame, quickly up and slowly
// down, and scales both sides alike whenever it passes the threshold, so the
// level settles back without pumping. The envelope needs a fraction of a
// millisecond to catch a sudden storm; a soft clip above the threshold bends
// what gets through in that time under the ceiling instead of flattening it.
// No look-ahead, so the sound is not delayed.

class MixLimiter {
 public:
  // Linear sample values, 1 being full scale.
  static constexpr float kThreshold = 0.7f;  // about -3 dBFS: ordinary play stays below and untouched
  static constexpr float kCeiling = 0.98f;   // the soft clip's limit, never reached: full scale never is
  static constexpr double kAttackSeconds = 0.0005;  // well inside a merge's 4 ms rise
  // Slow enough that the gain does not follow the music's beat back up, fast
  // enough that the music is back within half a second of a storm.
  static constexpr double kReleaseSeconds = 0.2;

  explicit MixLimiter(int rate);

  // Limits `frames` interleaved frames of `channels` samples in place.
  void process(float* samples, int frames, int channels);

 private:
  float attack_;   // share of the distance to a higher peak covered each frame
  float release_;  // share of the envelope above the signal kept each frame
  float envelope_ = 0.0f;
};
