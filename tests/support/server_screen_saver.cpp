#include "support/server_screen_saver.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

ServerScreenSaver::ServerScreenSaver(const std::string& display) {
  display_ = XOpenDisplay(display.c_str());
}

ServerScreenSaver::~ServerScreenSaver() {
  if (display_) XCloseDisplay(display_);
}

void ServerScreenSaver::set_timeout(int seconds) {
  if (!display_) return;
  XSetScreenSaver(display_, seconds, seconds, PreferBlanking, AllowExposures);
  XResetScreenSaver(display_);
  XSync(display_, False);
}

bool ServerScreenSaver::active() {
  if (!display_) return false;
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  const bool on = info && XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), info) &&
                  info->state == ScreenSaverOn;
  if (info) XFree(info);
  return on;
}
