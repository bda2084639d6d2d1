#pragma once
// The game's 38 sound effects, synthesised: soft bubbly bloops for merges, wet
// bursts for bubbles that pop by themselves, crisp pokes for clicks, and twelve
// chime steps that climb a major scale, one per link of a chain. Each group is
// normalised to the peak the asset tree's description gives it, all well below
// full scale.

#include <vector>

#include "Synth.h"
#include "assets/AssetTree.h"

namespace EffectSounds {

struct Effect {
  AssetTree::File file;
  Synth::Buffer samples;
};

// In the game's index order: merges, pops, clicks, chains.
std::vector<Effect> all();

Synth::Buffer merge(int variant);  // 0..13
Synth::Buffer pop(int variant);    // 0..5
Synth::Buffer click(int variant);  // 0..5
Synth::Buffer chain(int step);     // 0..11, rising

// The note of each chain step, in MIDI numbers.
double chainNote(int step);

}  // namespace EffectSounds
