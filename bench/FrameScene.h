#pragma once
// The scene every frame benchmark draws, on the desktop and in the browser
// alike: a stomach full of bubbles (135), 10 live pop bursts, the patient with
// all 80 smoke puffs, the money and two floating texts. Built by playing the
// game's own update until the field is full, then kept as a snapshot that is
// put back every few frames so the counts stay at their full values.
//
// The caller opens the window (and its GL context) first; the scene loads the
// sprites and the font the way the game's start-up does, from the res/ tree
// under assetRoot, with the sound bank silenced.

#include <filesystem>

namespace frameScene {

// Frames a benchmark runs between two restores: a pop burst lives about 42
// frames and the oldest burst of the snapshot is 10 frames old.
constexpr int kFramesPerRestore = 30;
constexpr float kFrameSeconds = 1.0f / 60.0f;

// Loads everything and plays until the scene stands; false with a reason in
// error() when there is no asset tree.
bool build(const std::filesystem::path& assetRoot);
const char* error();
// Puts the snapshot back: field, bursts, texts, patient, wallet.
void restore();
// The update pass alone, with the benchmark's fixed frame time.
void update();

int bubbleCount();
int burstCount();
int puffCount();
int textCount();

}  // namespace frameScene
