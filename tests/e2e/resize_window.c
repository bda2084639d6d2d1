/* Resizes a window and prints every size the X server then gives it, one
 * "WIDTHxHEIGHT" line each, in order. It listens before it asks, so no size
 * change is missed however fast the window's client answers. Exits 0 once the
 * asked size has landed and a later change followed it, 1 when the time runs
 * out first: so a resize that never landed, and one the client ignored, both
 * show. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/select.h>
#include <sys/time.h>

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: resize_window WINDOW_ID WIDTH HEIGHT SECONDS\n");
    return 2;
  }
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "resize_window: cannot open display\n");
    return 1;
  }
  const Window window = (Window)strtoul(argv[1], NULL, 0);
  const int width = atoi(argv[2]);
  const int height = atoi(argv[3]);
  struct timeval deadline;
  gettimeofday(&deadline, NULL);
  deadline.tv_sec += atoi(argv[4]);

  XSelectInput(display, window, StructureNotifyMask);
  XSync(display, False);
  XResizeWindow(display, window, (unsigned)width, (unsigned)height);
  XFlush(display);

  int landed = 0;
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != ConfigureNotify || event.xconfigure.window != window) continue;
      printf("%dx%d\n", event.xconfigure.width, event.xconfigure.height);
      fflush(stdout);
      if (event.xconfigure.width == width && event.xconfigure.height == height) {
        landed = 1;
      } else if (landed) {
        XCloseDisplay(display);
        return 0;
      }
    }
    struct timeval now, left;
    gettimeofday(&now, NULL);
    if (!timercmp(&now, &deadline, <)) break;
    timersub(&deadline, &now, &left);
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(ConnectionNumber(display), &readable);
    select(ConnectionNumber(display) + 1, &readable, NULL, NULL, &left);
  }
  XCloseDisplay(display);
  return 1;
}
