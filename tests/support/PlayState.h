#pragma once
// Puts the game's process-wide play objects back as they stand before the first
// playing frame: an empty bubble field at clock 0 with nothing selected, no
// bursts and no spark sprite, a fresh wallet and no floating texts. ctest runs every case in a
// process of its own, but a test program run by hand runs them all in one.
void resetPlayState();
