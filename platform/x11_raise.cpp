// Bringing a window of another process to the front, as a second start of
// the settings brings the first one's sheet forward.
#include "platform/x11_raise.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

namespace platform::x11 {
namespace {

// Window managers put a client inside frames of their own; the client is
// rarely deeper than this below the root.
constexpr int SEARCH_DEPTH = 4;
// The request comes from a user's action (a pager's, in EWMH terms), which
// window managers honour without focus-stealing prevention.
constexpr long SOURCE_USER_ACTION = 2;

// A window may vanish while the tree is walked; its errors are expected.
int ignore_error(Display*, XErrorEvent*) { return 0; }

class QuietErrors {
 public:
  QuietErrors() : previous(XSetErrorHandler(ignore_error)) {}
  ~QuietErrors() { XSetErrorHandler(previous); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;

 private:
  int (*previous)(Display*, XErrorEvent*);
};

std::string text_property(Display* display, Window window, Atom property) {
  XTextProperty value{};
  std::string text;
  if (XGetTextProperty(display, window, &value, property) && value.value) {
    text.assign(reinterpret_cast<const char*>(value.value), value.nitems);
    XFree(value.value);
  }
  return text;
}

bool is_wanted(Display* display, Window window, const char* role, const char* title) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
    return false;
  Atom role_atom = XInternAtom(display, "WM_WINDOW_ROLE", False);
  return text_property(display, window, role_atom) == role &&
         text_property(display, window, XA_WM_NAME) == title;
}

Window find(Display* display, Window parent, const char* role, const char* title, int depth) {
  Window root = 0, up = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (depth == 0 || !XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
  Window found = 0;
  for (unsigned int i = count; i-- > 0 && !found;) {  // topmost first
    found = is_wanted(display, children[i], role, title)
                ? children[i]
                : find(display, children[i], role, title, depth - 1);
  }
  if (children) XFree(children);
  return found;
}

// True when an EWMH window manager runs: it names its check window on the root.
bool window_manager_runs(Display* display) {
  Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  bool runs = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                 XA_WINDOW, &type, &format, &count, &left, &data) == Success &&
              count == 1;
  if (data) XFree(data);
  return runs;
}

void activate(Display* display, Window window) {
  if (window_manager_runs(display)) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = SOURCE_USER_ACTION;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
  } else {
    XRaiseWindow(display, window);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
  }
}

}  // namespace

bool bring_to_front(const char* role, const char* title) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  Window window = 0;
  {
    QuietErrors quiet;
    window = find(display, DefaultRootWindow(display), role, title, SEARCH_DEPTH);
    if (window) activate(display, window);
    XSync(display, False);
  }
  XCloseDisplay(display);
  return window != 0;
}

}  // namespace platform::x11
