#pragma once
// The game's entry: opens the window, runs the one-time initialisation,
// registers the callbacks and enters GLUT's main loop, which does not return.
int runGame(int argc, char** argv);
