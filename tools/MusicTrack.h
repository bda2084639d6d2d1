#pragma once
// The game's music: an original, playful loop in F major at 120 beats a
// minute, 32 bars long (exactly 64 s). Bass, offbeat marimba chords, a bubbly
// lead, bells and light drums, in four eight-bar sections: theme, answer, theme
// with bells, and a breakdown that rolls back into the theme. It is rendered into
// a circular buffer: whatever rings past the last bar (note tails, echoes) wraps
// round onto the first, so the file loops without a seam.

#include "Synth.h"
#include "assets/AssetTree.h"

namespace MusicTrack {

constexpr double kBeatsPerMinute = 120.0;
constexpr int kBeatsPerBar = 4;
constexpr int kBars = 32;
// Peak of the finished mix: well under the effects'.
constexpr double kPeak = AssetTree::kMusicPeak;

struct Stereo {
  Synth::Buffer left;
  Synth::Buffer right;
};

// Frames in one pass of the loop: a whole number of bars.
int loopFrames();
Stereo render();

}  // namespace MusicTrack
