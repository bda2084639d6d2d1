#pragma once
// The GLUT callbacks: free functions that fetch the singleton an event concerns
// and forward it.

void onReshape(int width, int height);
void onDisplay();
void onIdle();
void onMotion(int x, int y);
void onPassiveMotion(int x, int y);
void onMouse(int button, int state, int x, int y);
void onKeyboard(unsigned char key, int x, int y);
// Key releases and special keys are dropped.
void onKeyIgnored(unsigned char key, int x, int y);
void onSpecialIgnored(int key, int x, int y);

// Registers all of the above on the current window, in the game's order.
void registerCallbacks();
