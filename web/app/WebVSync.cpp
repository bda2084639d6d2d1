// The browser paces the frame loop itself: every frame is an animation frame,
// shown at the display's refresh, so there is nothing to ask the driver for.

#include "app/VSync.h"

bool requestVSync() { return true; }
