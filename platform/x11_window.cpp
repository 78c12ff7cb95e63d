// X11 windows: native windows for the plain-state window table, and X events
// translated into the messages the saver's procedures expect.
//
// Implemented: full-screen windows (override-redirect, raised, kept above
// windows that appear or are raised later, keyboard and pointer grabbed,
// invisible cursor), children of our own or of foreign windows by id, keys
// (F1..F12, letters, digits, the common named keys), the three buttons,
// pointer motion, focus as WM_ACTIVATEAPP (with the process that took it, by
// _NET_WM_PID), exposure, resizes, the window manager's close request, the
// destruction of a foreign parent.
// Missing: messages posted to foreign windows (they are not ours to serve),
// power events, the mouse wheel.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "platform/headless_window.h"
#include "platform/x11_platform.h"

namespace platform::x11 {
namespace {

struct NativeWindow {
  WindowKind kind;
};

struct State {
  Display* display = nullptr;
  Cursor invisible_cursor = None;
  Atom wm_protocols = None;
  Atom wm_delete_window = None;
  Atom net_wm_pid = None;
  std::map<WindowHandle, NativeWindow> windows;
  int trap_depth = 0;
  uint32_t trapped_error = 0;
  // A change of the screen or its monitors seen in the events read now.
  bool screen_changed = false;
};

State& state() {
  static State instance;
  return instance;
}

const long FULL_SCREEN_EVENTS = KeyPressMask | ButtonPressMask | PointerMotionMask |
                                StructureNotifyMask | FocusChangeMask | ExposureMask;
const long CHILD_EVENTS = ButtonPressMask | PointerMotionMask | StructureNotifyMask | ExposureMask;
const int GRAB_ATTEMPTS = 50;
const int GRAB_RETRY_MS = 20;

int on_x_error(Display* display, XErrorEvent* event) {
  State& s = state();
  headless::set_last_error(event->error_code);
  if (s.trap_depth > 0) {
    if (!s.trapped_error) s.trapped_error = event->error_code;
    return 0;
  }
  char text[256];
  XGetErrorText(display, event->error_code, text, sizeof text);
  fprintf(stderr, "X11: %s (request %d.%d)\n", text, event->request_code, event->minor_code);
  return 0;
}

Window root() { return DefaultRootWindow(state().display); }
WindowHandle desktop_window() { return root(); }

Cursor invisible_cursor() {
  State& s = state();
  if (s.invisible_cursor == None) {
    const char empty[1] = {0};
    Pixmap pixmap = XCreateBitmapFromData(s.display, root(), empty, 1, 1);
    XColor black{};
    s.invisible_cursor = XCreatePixmapCursor(s.display, pixmap, pixmap, &black, &black, 0, 0);
    XFreePixmap(s.display, pixmap);
  }
  return s.invisible_cursor;
}

void set_names(Window window, const char* class_name, const char* title) {
  Display* display = state().display;
  XClassHint hint{};
  hint.res_name = const_cast<char*>("orbalune3d");
  hint.res_class = const_cast<char*>(class_name);
  XSetClassHint(display, window, &hint);
  XStoreName(display, window, title ? title : "");
  XSetWMProtocols(display, window, &state().wm_delete_window, 1);
}

void sleep_ms(int milliseconds) { api().clock.sleep_ms(static_cast<uint32_t>(milliseconds)); }

// A screen saver that cannot hold the keyboard would let key presses reach
// whatever lies beneath it, so the grab is retried while another client
// (a menu, a window manager key binding) still holds it.
void grab_input(Window window) {
  Display* display = state().display;
  bool keyboard = false;
  bool pointer = false;
  for (int attempt = 0; attempt < GRAB_ATTEMPTS && !(keyboard && pointer); ++attempt) {
    if (!keyboard) {
      keyboard = XGrabKeyboard(display, window, True, GrabModeAsync, GrabModeAsync,
                               CurrentTime) == GrabSuccess;
    }
    if (!pointer) {
      pointer = XGrabPointer(display, window, True, ButtonPressMask | PointerMotionMask,
                             GrabModeAsync, GrabModeAsync, None, invisible_cursor(),
                             CurrentTime) == GrabSuccess;
    }
    if (!(keyboard && pointer)) sleep_ms(GRAB_RETRY_MS);
  }
  if (!keyboard) fprintf(stderr, "X11: could not grab the keyboard\n");
  if (!pointer) fprintf(stderr, "X11: could not grab the pointer\n");
}

Window create_full_screen(const WindowCreate& create) {
  Display* display = state().display;
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
  attributes.event_mask = FULL_SCREEN_EVENTS;
  Window window = XCreateWindow(display, root(), create.x, create.y, create.width, create.height,
                                0, CopyFromParent, InputOutput, CopyFromParent,
                                CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  set_names(window, create.class_name, create.title);
  // Windows mapped or raised later are seen, so that the saver stays above
  // them; so is a change of the screen's size or its monitors.
  XSelectInput(display, root(), SubstructureNotifyMask | StructureNotifyMask);
  watch_screen_changes(display);
  XMapRaised(display, window);
  XSync(display, False);
  grab_input(window);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  return window;
}

// A child gets no background, so that nothing is painted over the GL
// picture between frames. One inside another client's window is made with
// the server held, which stays held until its first frame is drawn (see
// x11_server_hold.cpp); a parent already gone refuses the creation.
Window create_child(const WindowCreate& create) {
  Display* display = state().display;
  if (inside_foreign_window(display, create.parent) &&
      !hold_server_for(display, create.parent)) {
    release_server(display);
    return 0;
  }
  XSetWindowAttributes attributes{};
  attributes.event_mask = CHILD_EVENTS;
  ErrorTrap trap(display);
  Window window = XCreateWindow(display, create.parent, create.x, create.y, create.width,
                                create.height, 0, CopyFromParent, InputOutput, CopyFromParent,
                                CWEventMask, &attributes);
  if (trap.error()) return 0;
  set_names(window, create.class_name, create.title);
  // A foreign parent tells us when it changes size (see follow_foreign_parent).
  if (!headless::is_known_window(create.parent)) {
    XSelectInput(display, create.parent, StructureNotifyMask);
  }
  XMapWindow(display, window);
  return window;
}

WindowHandle create_native(const WindowCreate& create) {
  const Window window =
      create.kind == WindowKind::FullScreen ? create_full_screen(create) : create_child(create);
  if (window) state().windows[window] = NativeWindow{create.kind};
  return window;
}

void destroy_native(WindowHandle window) {
  State& s = state();
  auto found = s.windows.find(window);
  if (found == s.windows.end()) return;
  s.windows.erase(found);
  ErrorTrap trap(s.display);
  XDestroyWindow(s.display, window);
  trap.error();
}

uintptr_t virtual_key(KeySym keysym) {
  if (keysym >= XK_F1 && keysym <= XK_F24) return VK_F1 + (keysym - XK_F1);
  if (keysym >= XK_a && keysym <= XK_z) return 'A' + (keysym - XK_a);
  if (keysym >= XK_A && keysym <= XK_Z) return 'A' + (keysym - XK_A);
  if (keysym >= XK_0 && keysym <= XK_9) return '0' + (keysym - XK_0);
  switch (keysym) {
    case XK_BackSpace: return VK_BACK;
    case XK_Tab: return VK_TAB;
    case XK_Return:
    case XK_KP_Enter: return VK_RETURN;
    case XK_Shift_L:
    case XK_Shift_R: return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R: return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R: return VK_MENU;
    case XK_Escape: return VK_ESCAPE;
    case XK_space: return VK_SPACE;
    case XK_Left: return VK_LEFT;
    case XK_Up: return VK_UP;
    case XK_Right: return VK_RIGHT;
    case XK_Down: return VK_DOWN;
    default: return VK_OEM_OTHER;
  }
}

uint32_t button_message(unsigned int button) {
  switch (button) {
    case Button1: return WM_LBUTTONDOWN;
    case Button2: return WM_MBUTTONDOWN;
    case Button3: return WM_RBUTTONDOWN;
    default: return WM_NULL;
  }
}

// Focus moves caused by grabs, or inside our own window tree, are not a
// change of the active application.
bool is_activation_change(const XFocusChangeEvent& event) {
  if (event.mode != NotifyNormal && event.mode != NotifyWhileGrabbed) return false;
  return event.detail != NotifyInferior && event.detail != NotifyPointer &&
         event.detail != NotifyPointerRoot && event.detail != NotifyDetailNone;
}

// A window's place in the tree: its parent and its children, the
// bottom-most first. Parent None when the window has gone.
struct TreeNode {
  Window parent = None;
  std::vector<Window> children;
};

TreeNode query_tree(Window window) {
  TreeNode node;
  Window root_window = None;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(state().display, window, &root_window, &node.parent, &children, &count)) {
    return TreeNode{};
  }
  node.children.assign(children, children + count);
  if (children) XFree(children);
  return node;
}

// The process id a client recorded on its window (_NET_WM_PID); 0 when none.
long recorded_process_id(Window window) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  long process_id = 0;
  if (XGetWindowProperty(state().display, window, state().net_wm_pid, 0, 1, False, XA_CARDINAL,
                         &type, &format, &count, &remaining, &data) == Success &&
      type == XA_CARDINAL && format == 32 && count == 1) {
    process_id = *reinterpret_cast<long*>(data);
  }
  if (data) XFree(data);
  return process_id;
}

// The process whose window holds the focus now: the recorded id of the focus
// window or of its nearest ancestor that has one; 0 when unknown.
long focus_owner_process() {
  Display* display = state().display;
  ErrorTrap trap(display);
  Window focus = None;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  long process_id = 0;
  for (Window window = focus; window != None && window != PointerRoot && window != root() &&
                              process_id == 0;
       window = query_tree(window).parent) {
    process_id = recorded_process_id(window);
  }
  trap.error();
  return process_id;
}

void post(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  if (message != WM_NULL) api().window.post_message(window, message, wparam, lparam);
}

void translate_configure(const XConfigureEvent& event) {
  headless::follow_client_size(event.window, Size{event.width, event.height});
}

// Our windows inside a foreign one (a preview, or a host program's window)
// keep covering it when it changes size.
void follow_foreign_parent(const XConfigureEvent& event) {
  for (const auto& [window, native] : state().windows) {
    if (native.kind == WindowKind::Child && api().window.parent(window) == event.window) {
      XResizeWindow(state().display, window, event.width, event.height);
    }
  }
}

// True when one of our full-screen windows is the top-most window of the screen.
bool full_screen_on_top() {
  const std::vector<Window> stack = query_tree(root()).children;
  if (stack.empty()) return false;
  const auto top = state().windows.find(stack.back());
  return top != state().windows.end() && top->second.kind == WindowKind::FullScreen;
}

// A window that another client maps or raises (a music player's, a
// notification) would cover the saver; the saver goes back on top.
void keep_full_screen_on_top(const XEvent& event) {
  if (event.type != MapNotify && event.type != ConfigureNotify) return;
  const Window subject = event.type == MapNotify ? event.xmap.window : event.xconfigure.window;
  if (headless::is_known_window(subject) || full_screen_on_top()) return;
  for (const auto& [window, native] : state().windows) {
    if (native.kind == WindowKind::FullScreen) XRaiseWindow(state().display, window);
  }
}

// WM_SIZE at the size a window has now, for it and its children of ours.
void post_size_again(WindowHandle window) {
  for (const auto& [other, native] : state().windows) {
    if (other == window || api().window.parent(other) == window) {
      const Size size = api().window.client_size(other);
      post(other, WM_SIZE, 0, make_lparam(size.width, size.height));
    }
  }
}

// The full-screen windows keep covering the screen when it changes; their
// resize reaches the saver as WM_SIZE, and the frame driver then reads the
// monitors again. Monitors added, removed or moved on a screen that kept
// its size reach it as WM_SIZE at the unchanged size, for the same reading.
void follow_screen() {
  const Size screen = api().window.screen_size();
  for (const auto& [window, native] : state().windows) {
    if (native.kind != WindowKind::FullScreen) continue;
    const Size size = api().window.client_size(window);
    if (size.width == screen.width && size.height == screen.height) {
      post_size_again(window);
    } else {
      XResizeWindow(state().display, window, screen.width, screen.height);
    }
  }
}

// Events of windows that are not ours: the screen or its monitors changed,
// the foreign parent of a child of ours changed size, or (seen on the root
// window) another top-level window was mapped or restacked.
void translate_foreign(const XEvent& event) {
  if (is_screen_change(event)) {
    state().screen_changed = true;
  } else if (event.type == ConfigureNotify && event.xconfigure.event == event.xconfigure.window) {
    follow_foreign_parent(event.xconfigure);
  } else if (event.xany.window == root()) {
    keep_full_screen_on_top(event);
  }
}

// A native window that vanished under us (its foreign parent was destroyed)
// closes through the normal shut-down.
void translate_destroy(const XDestroyWindowEvent& event) {
  State& s = state();
  if (event.event != event.window || !s.windows.erase(event.window)) return;
  post(event.window, WM_CLOSE, 0, 0);
}

void translate(const XEvent& event) {
  const WindowHandle window = event.xany.window;
  if (!headless::is_known_window(window)) {
    translate_foreign(event);
    return;
  }
  switch (event.type) {
    case KeyPress: {
      XKeyEvent key = event.xkey;
      const uintptr_t vk = virtual_key(XLookupKeysym(&key, 0));
      post(window, (key.state & Mod1Mask) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1);
      break;
    }
    case ButtonPress:
      post(window, button_message(event.xbutton.button), 0,
           make_lparam(event.xbutton.x, event.xbutton.y));
      break;
    case MotionNotify:
      post(window, WM_MOUSEMOVE, 0, make_lparam(event.xmotion.x, event.xmotion.y));
      break;
    case FocusIn:
    case FocusOut:
      if (is_activation_change(event.xfocus)) {
        const bool gained = event.type == FocusIn;
        post(window, WM_ACTIVATEAPP, gained ? 1 : 0, gained ? 0 : focus_owner_process());
      }
      break;
    case Expose:
      if (event.xexpose.count == 0) api().window.invalidate(window);
      break;
    case ConfigureNotify:
      translate_configure(event.xconfigure);
      break;
    case DestroyNotify:
      translate_destroy(event.xdestroywindow);
      break;
    case ClientMessage:
      if (event.xclient.message_type == state().wm_protocols &&
          static_cast<Atom>(event.xclient.data.l[0]) == state().wm_delete_window) {
        post(window, WM_CLOSE, 0, 0);
      }
      break;
    default:
      break;
  }
}

// One change of the monitors comes as several events; the saver follows
// their outcome once.
void pump_events() {
  State& s = state();
  while (XPending(s.display)) {
    XEvent event;
    XNextEvent(s.display, &event);
    translate(event);
  }
  if (s.screen_changed) {
    s.screen_changed = false;
    follow_screen();
  }
}

int event_descriptor() {
  XFlush(state().display);
  return ConnectionNumber(state().display);
}

const headless::NativeHooks HOOKS = {create_native, destroy_native, pump_events,
                                     event_descriptor};

WindowHandle create_window(const WindowCreate& create) {
  return headless::create_window_with(create, &HOOKS);
}

void destroy_window(WindowHandle window) { headless::destroy_window_with(window, &HOOKS); }

bool get_message(Message* message) { return headless::get_message_with(message, &HOOKS); }

bool native_attributes(WindowHandle window, XWindowAttributes* attributes) {
  if (!window) return false;
  ErrorTrap trap(state().display);
  const Status status = XGetWindowAttributes(state().display, window, attributes);
  return trap.error() == 0 && status != 0;
}

// Asked of the server for our own windows too: one inside a hosting
// program's window goes with it before its DestroyNotify is read.
bool is_window(WindowHandle window) {
  XWindowAttributes attributes;
  return native_attributes(window, &attributes);
}

// Our own windows answer from the table, which follows their every
// ConfigureNotify: one that a hosting program destroyed keeps its size until
// its DestroyNotify closes it, rather than reading as empty.
Size client_size(WindowHandle window) {
  if (headless::is_known_window(window)) return headless::client_size(window);
  XWindowAttributes attributes;
  if (!native_attributes(window, &attributes)) return Size{0, 0};
  return Size{attributes.width, attributes.height};
}

bool has_name(Window window, const char* class_name, const char* title) {
  Display* display = state().display;
  bool matches = false;
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint)) {
    matches = hint.res_class && strcmp(hint.res_class, class_name) == 0;
    XFree(hint.res_name);
    XFree(hint.res_class);
  }
  char* name = nullptr;
  if (matches && XFetchName(display, window, &name) && name) {
    matches = strcmp(name, title) == 0;
    XFree(name);
  } else {
    matches = false;
  }
  return matches;
}

WindowHandle find_window(const char* class_name, const char* title) {
  ErrorTrap trap(state().display);
  WindowHandle found = 0;
  for (Window child : query_tree(root()).children) {
    if (has_name(child, class_name, title)) {
      found = child;
      break;
    }
  }
  trap.error();
  return found;
}

WindowHandle foreground_window() {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(state().display, &focus, &revert);
  return focus == None || focus == PointerRoot ? 0 : focus;
}

bool set_foreground_window(WindowHandle window) {
  Display* display = state().display;
  ErrorTrap trap(display);
  XRaiseWindow(display, window);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  return trap.error() == 0;
}

Size screen_size() {
  Display* display = state().display;
  const int screen = DefaultScreen(display);
  return Size{DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

int colour_depth(WindowHandle window) {
  XWindowAttributes attributes;
  if (native_attributes(window, &attributes)) return DefaultDepthOfScreen(attributes.screen);
  return DefaultDepth(state().display, DefaultScreen(state().display));
}

Point cursor_position() {
  Window root_window, child;
  int root_x = 0, root_y = 0, x = 0, y = 0;
  unsigned int mask = 0;
  XQueryPointer(state().display, root(), &root_window, &child, &root_x, &root_y, &x, &y, &mask);
  return Point{root_x, root_y};
}

void set_cursor_position(Point position) {
  XWarpPointer(state().display, None, root(), 0, 0, 0, 0, position.x, position.y);
  XFlush(state().display);
}

void resize_window(WindowHandle window, Size size) {
  if (!headless::is_known_window(window) || size.width <= 0 || size.height <= 0) return;
  XResizeWindow(state().display, window, size.width, size.height);
  XFlush(state().display);
}

void hide_cursor(WindowHandle window) {
  if (!state().windows.count(window)) return;
  XDefineCursor(state().display, window, invisible_cursor());
}

// A busy X server's listening socket may refuse a connection for a moment
// (EAGAIN); a saver started at that moment should still come up.
Display* open_display() {
  const int ATTEMPTS = 20;
  const uint32_t RETRY_MS = 50;
  for (int attempt = 1;; ++attempt) {
    errno = 0;
    if (Display* display = XOpenDisplay(nullptr)) return display;
    if (errno != EAGAIN || attempt == ATTEMPTS) return nullptr;
    api().clock.sleep_ms(RETRY_MS);
  }
}

void connect_window(WindowApi& window) {
  headless::connect_window(window);
  window.create_window = create_window;
  window.destroy_window = destroy_window;
  window.get_message = get_message;
  window.is_window = is_window;
  window.client_size = client_size;
  window.resize_window = resize_window;
  window.find_window = find_window;
  window.foreground_window = foreground_window;
  window.desktop_window = desktop_window;
  window.set_foreground_window = set_foreground_window;
  window.screen_size = screen_size;
  window.colour_depth = colour_depth;
  window.cursor_position = cursor_position;
  window.set_cursor_position = set_cursor_position;
  window.hide_cursor = hide_cursor;
  window.suspend_screen_blanking = suspend_screen_blanking;
  connect_monitors(window);
}

}  // namespace

ErrorTrap::ErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);
  if (state().trap_depth++ == 0) state().trapped_error = 0;
}

ErrorTrap::~ErrorTrap() { --state().trap_depth; }

uint32_t ErrorTrap::error() {
  XSync(display_, False);
  return state().trapped_error;
}

Display* display() { return state().display; }

void release_input() {
  State& s = state();
  if (!s.display) return;
  release_server(s.display);
  XUngrabKeyboard(s.display, CurrentTime);
  XUngrabPointer(s.display, CurrentTime);
  for (const auto& [window, native] : s.windows) {
    if (native.kind == WindowKind::FullScreen) XUnmapWindow(s.display, window);
  }
  XSync(s.display, False);
}

bool connect(Platform& table) {
  State& s = state();
  if (!s.display) {
    s.display = open_display();
    if (!s.display) {
      const char* name = getenv("DISPLAY");
      fprintf(stderr, "X11: cannot open display \"%s\"\n", name ? name : "");
      return false;
    }
    XSetErrorHandler(on_x_error);
    s.wm_protocols = XInternAtom(s.display, "WM_PROTOCOLS", False);
    s.wm_delete_window = XInternAtom(s.display, "WM_DELETE_WINDOW", False);
    s.net_wm_pid = XInternAtom(s.display, "_NET_WM_PID", False);
  }
  connect_window(table.window);
  glx::connect_context(table.context);
  connect_message_box(table.system);
  return true;
}

}  // namespace platform::x11
