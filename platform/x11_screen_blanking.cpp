// The X server's own screen blanking and monitor power saving, held off
// while the saver covers the screen.
//
// Implemented: the MIT-SCREEN-SAVER extension's suspension, which stops the
// server's screen-saver and DPMS timers for as long as this client asks
// (the server lifts it when the connection closes, so a crash cannot leave
// blanking off).
// Missing: servers without that extension keep their timers.
#include <X11/extensions/scrnsaver.h>

#include <cstdio>

#include "platform/x11_platform.h"

namespace platform::x11 {
namespace {

// Suspensions add up on the server; this client holds at most one.
bool suspended = false;

bool has_screen_saver_extension(Display* display) {
  int event_base = 0;
  int error_base = 0;
  return XScreenSaverQueryExtension(display, &event_base, &error_base);
}

}  // namespace

void suspend_screen_blanking(bool suspend) {
  Display* connection = display();
  if (!connection || suspend == suspended) return;
  if (!has_screen_saver_extension(connection)) {
    fprintf(stderr, "X11: no MIT-SCREEN-SAVER extension; the screen may still blank\n");
    return;
  }
  XScreenSaverSuspend(connection, suspend ? True : False);
  XFlush(connection);
  suspended = suspend;
}

}  // namespace platform::x11
