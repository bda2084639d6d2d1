/* Resizes a window and prints every size the X server then gives it, one
 * "WIDTHxHEIGHT" line each. It listens before it asks, so no change is missed
 * however fast the window's client answers, and ends once the asked size has
 * landed and another followed it. Run it under a time limit: a resize that
 * never lands, or one the client ignores, leaves it waiting. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  Display* display = argc == 4 ? XOpenDisplay(NULL) : NULL;
  if (display == NULL) return 2;  // usage: resize_window WINDOW_ID WIDTH HEIGHT
  const Window window = (Window)strtoul(argv[1], NULL, 0);
  const int width = atoi(argv[2]), height = atoi(argv[3]);
  XSelectInput(display, window, StructureNotifyMask);
  XResizeWindow(display, window, (unsigned)width, (unsigned)height);
  for (int landed = 0;;) {
    XEvent event;
    XWindowEvent(display, window, StructureNotifyMask, &event);
    if (event.type != ConfigureNotify) continue;
    printf("%dx%d\n", event.xconfigure.width, event.xconfigure.height);
    fflush(stdout);
    if (event.xconfigure.width == width && event.xconfigure.height == height) {
      landed = 1;
    } else if (landed) {
      return 0;
    }
  }
}
