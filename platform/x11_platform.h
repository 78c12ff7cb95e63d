// What the X11 window backend shares with the GLX context and the message box.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include "platform/platform.h"
#include "platform/x11_connect.h"

namespace platform::x11 {

// The backend's display connection; null before connect.
Display* display();

// Gives back the keyboard and pointer and hides the full-screen windows, so
// that a message box shown now can be seen and answered.
void release_input();

// Runs a request with X errors caught instead of ending the process; returns
// the X error code it caused (0: none).
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  // Waits for the server's answers and returns the first error code since the trap began.
  uint32_t error();

 private:
  Display* display_;
};

// The message box and beep that replace the plain-terminal ones.
void connect_message_box(SystemApi& system);

// Holds off (true) or lets run again (false) the server's screen blanking
// and DPMS (x11_screen_blanking.cpp).
void suspend_screen_blanking(bool suspend);

// True when the window lies inside a window of another client (a hosting
// program), which may destroy it together with its own at any moment
// (x11_server_hold.cpp).
bool inside_foreign_window(Display* display, Window window);
// Grabs the server, unless it is held already, so that no other client's
// request is carried out until release_server; says whether the window
// still exists. The grab holds either way.
bool hold_server_for(Display* display, Window window);
// Ends the grab, if there is one.
void release_server(Display* display);

// The monitors and the display's refresh rate (x11_monitors.cpp).
void connect_monitors(WindowApi& window);
// Asks for the events of the screen's monitors changing (RandR).
void watch_screen_changes(Display* display);
// True for an event that tells of a change of the screen's size or of its
// monitors (a monitor added, removed or moved): the root window's
// ConfigureNotify or RandR's screen change. Brings Xlib's screen size up to date.
bool is_screen_change(const XEvent& event);

}  // namespace platform::x11

namespace platform::glx {
void connect_context(ContextApi& context);
}
