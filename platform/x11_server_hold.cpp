// Drawing into a window that another client may destroy at any moment.
//
// A preview or an XScreenSaver window is a child of the hosting program's
// window and dies with it, whenever that program chooses. Mesa's software
// rasteriser reads the drawable's size with XGetGeometry when drawing
// starts and goes on with whatever it got when that request failed, which
// corrupts its memory; and a window made inside a parent that has just gone
// fails where the saver cannot sensibly go on. So the server is grabbed
// (no other client's request, a destruction included, is carried out) from
// the check that the hosting window exists to the end of each frame, and at
// start-up from the saver window's creation to the end of its first frame.
// A host that dies is beyond the grab; x11_vanished_drawable_size.cpp keeps
// the rasteriser's reading of its vanished window sound.
#include "platform/headless_window.h"
#include "platform/x11_platform.h"

namespace platform::x11 {
namespace {

bool held = false;

bool exists(Display* display, Window window) {
  XWindowAttributes attributes;
  ErrorTrap trap(display);
  const Status status = XGetWindowAttributes(display, window, &attributes);
  return trap.error() == 0 && status != 0;
}

}  // namespace

bool inside_foreign_window(Display* display, Window window) {
  ErrorTrap trap(display);
  const Window root_window = DefaultRootWindow(display);
  while (window != None && window != root_window) {
    if (!headless::is_known_window(window)) return true;
    Window root_of_tree = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root_of_tree, &parent, &children, &count)) return true;
    if (children) XFree(children);
    window = parent;
  }
  return false;
}

bool hold_server_for(Display* display, Window window) {
  if (!held) XGrabServer(display);
  held = true;
  return exists(display, window);
}

void release_server(Display* display) {
  if (!held) return;
  held = false;
  XUngrabServer(display);
  XFlush(display);
}

}  // namespace platform::x11
