#pragma once
// Which screen the game shows. Starts on the title; only a mouse-button press
// moves it on, and play never goes back.

constexpr int kTitleScreen = 0;
constexpr int kInstructionsScreen = 1;
constexpr int kPlaying = 2;

extern int GameState;
