#pragma once
// The game's entry: opens the window, runs the one-time initialisation,
// registers the callbacks and enters GLUT's main loop, which does not return.
int runGame(int argc, char** argv);
// Everything runGame does before the main loop: the window, the start-up and
// the input callbacks, ready for GLUT's events.
void openGame(int argc, char** argv);
