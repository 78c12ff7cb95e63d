// X11 monitors and their refresh rate, from the RandR extension.
//
// Implemented: RandR 1.5 monitors (primary first; monitors the user set up
// take the place of the automatic ones they overlap), the primary monitor's
// mode rate (the primary output's, else the first lit CRTC's), the
// ORBALUNE3D_UNPACED switch for benchmarks, the events that tell of a
// change of the screen or its monitors.
// Missing: monitors of screens other than the default one; servers without
// RandR 1.5 report no monitors, so the whole screen is one.
#include <X11/extensions/Xrandr.h>

#include "platform/unpaced_switch.h"
#include "platform/x11_platform.h"

namespace platform::x11 {
namespace {

const double UNKNOWN_RATE_HZ = 60;

bool has_randr(Display* display, int minor_at_least) {
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (!XRRQueryExtension(display, &event_base, &error_base)) return false;
  if (!XRRQueryVersion(display, &major, &minor)) return false;
  return major > 1 || (major == 1 && minor >= minor_at_least);
}

bool overlap(const XRRMonitorInfo& a, const XRRMonitorInfo& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
         b.y < a.y + a.height;
}

// A monitor that RandR made for an output by itself gives way to monitors
// set up by the user (xrandr --setmonitor) that it overlaps: the output is
// then shown through those (Xorg's dummy driver keeps its output DUMMY0 in
// the list beside them).
bool gives_way(const XRRMonitorInfo& monitor, const XRRMonitorInfo* list, int count) {
  if (!monitor.automatic) return false;
  for (int i = 0; i < count; ++i) {
    if (!list[i].automatic && overlap(monitor, list[i])) return true;
  }
  return false;
}

std::vector<Rect> monitors() {
  Display* display = x11::display();
  std::vector<Rect> found;
  if (!display || !has_randr(display, 5)) return found;
  int count = 0;
  XRRMonitorInfo* list = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
  for (int i = 0; i < count; ++i) {
    if (gives_way(list[i], list, count)) continue;
    const Rect rect{list[i].x, list[i].y, list[i].width, list[i].height};
    found.insert(list[i].primary ? found.begin() : found.end(), rect);
  }
  if (list) XRRFreeMonitors(list);
  return found;
}

double mode_rate(const XRRScreenResources& resources, RRMode mode) {
  for (int i = 0; i < resources.nmode; ++i) {
    const XRRModeInfo& info = resources.modes[i];
    if (info.id != mode) continue;
    const double dots_per_frame = double(info.hTotal) * info.vTotal;
    return dots_per_frame > 0 ? info.dotClock / dots_per_frame : 0;
  }
  return 0;
}

// The CRTC that shows the primary output, else the first one that shows anything.
RRCrtc primary_crtc(Display* display, XRRScreenResources* resources) {
  const RROutput primary = XRRGetOutputPrimary(display, DefaultRootWindow(display));
  if (primary) {
    XRROutputInfo* output = XRRGetOutputInfo(display, resources, primary);
    const RRCrtc crtc = output ? output->crtc : 0;
    if (output) XRRFreeOutputInfo(output);
    if (crtc) return crtc;
  }
  for (int i = 0; i < resources->ncrtc; ++i) {
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
    const bool lit = crtc && crtc->mode != None;
    if (crtc) XRRFreeCrtcInfo(crtc);
    if (lit) return resources->crtcs[i];
  }
  return 0;
}

double primary_mode_rate(Display* display) {
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
  if (!resources) return 0;
  double rate = 0;
  if (const RRCrtc crtc = primary_crtc(display, resources)) {
    XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, crtc);
    if (info) {
      rate = mode_rate(*resources, info->mode);
      XRRFreeCrtcInfo(info);
    }
  }
  XRRFreeScreenResources(resources);
  return rate;
}

double refresh_rate() {
  if (unpaced_requested()) return 0;
  Display* display = x11::display();
  if (!display || !has_randr(display, 2)) return UNKNOWN_RATE_HZ;
  ErrorTrap trap(display);
  const double rate = primary_mode_rate(display);
  return trap.error() == 0 && rate > 0 ? rate : UNKNOWN_RATE_HZ;
}

}  // namespace

void watch_screen_changes(Display* display) {
  if (has_randr(display, 0)) {
    XRRSelectInput(display, DefaultRootWindow(display), RRScreenChangeNotifyMask);
  }
}

// Xlib keeps its own copy of the screen's size, which only these events
// bring up to date.
bool is_screen_change(const XEvent& event) {
  Display* display = event.xany.display;
  int event_base = 0, error_base = 0;
  const bool randr = XRRQueryExtension(display, &event_base, &error_base);
  const bool root_configure =
      event.type == ConfigureNotify && event.xconfigure.window == DefaultRootWindow(display);
  if (!root_configure && !(randr && event.type == event_base + RRScreenChangeNotify)) return false;
  XEvent copy = event;
  XRRUpdateConfiguration(&copy);
  return true;
}

void connect_monitors(WindowApi& window) {
  window.monitors = monitors;
  window.refresh_rate = refresh_rate;
}

}  // namespace platform::x11
