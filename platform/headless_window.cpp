// Plain-state windows: the table, classes, the message queue and painting.
//
// Implemented: classes, creation with WM_CREATE/WM_SIZE/WM_SHOWWINDOW,
// destruction parent first, posted and sent messages, WM_PAINT when the queue
// is empty, WM_QUIT, a signal-safe wake-up, a simulated screen and cursor.
// Missing: real pixels (the headless GL context draws offscreen).
#include "platform/headless_window.h"

#include "platform/platform.h"
#include "platform/wake_signal.h"

#include <deque>
#include <map>
#include <vector>

namespace platform::headless {
namespace {

struct WindowRecord {
  std::string class_name;
  std::string title;
  WindowProc proc;
  WindowKind kind;
  WindowHandle parent;
  Size size;
  bool invalid;
  bool destroying;
  bool cursor_hidden;
};

struct State {
  std::map<std::string, WindowProc> classes;
  std::map<WindowHandle, WindowRecord> windows;
  std::deque<Message> queue;
  WindowHandle next_handle = 0x100;
  WindowHandle foreground = 0;
  Size screen{1024, 768};
  int bits_per_pixel = 24;
  Point cursor{0, 0};
  uint32_t last_error = 0;
};

State& state() {
  static State instance;
  return instance;
}

WindowRecord* find(WindowHandle window) {
  auto found = state().windows.find(window);
  return found == state().windows.end() ? nullptr : &found->second;
}

bool take_posted(Message* message) {
  std::deque<Message>& queue = state().queue;
  if (queue.empty()) return false;
  *message = queue.front();
  queue.pop_front();
  return true;
}

bool take_paint(Message* message) {
  for (auto& [handle, record] : state().windows) {
    if (record.invalid) {
      *message = Message{handle, WM_PAINT, 0, 0};
      return true;
    }
  }
  return false;
}

bool register_class(const WindowClass& window_class) {
  if (!window_class.name || !*window_class.name || !window_class.proc) return false;
  if (!state().classes.emplace(window_class.name, window_class.proc).second) {
    set_last_error(ERROR_CLASS_ALREADY_EXISTS);
    return false;
  }
  return true;
}

WindowHandle create_window(const WindowCreate& create) {
  return create_window_with(create, nullptr);
}

void destroy_window(WindowHandle window) { destroy_window_with(window, nullptr); }

WindowHandle parent(WindowHandle window) {
  const WindowRecord* record = find(window);
  return record ? record->parent : 0;
}

void resize_window(WindowHandle window, Size size) { follow_client_size(window, size); }

bool post_message(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  if (!find(window)) {
    set_last_error(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  state().queue.push_back(Message{window, message, wparam, lparam});
  return true;
}

intptr_t send_message(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  const WindowRecord* record = find(window);
  return record ? record->proc(window, message, wparam, lparam) : 0;
}

void post_quit_message(int exit_code) {
  state().queue.push_back(Message{0, WM_QUIT, static_cast<uintptr_t>(exit_code), 0});
}

bool get_message(Message* message) { return get_message_with(message, nullptr); }

intptr_t dispatch_message(const Message& message) {
  return send_message(message.window, message.message, message.wparam, message.lparam);
}

void invalidate(WindowHandle window) {
  if (WindowRecord* record = find(window)) record->invalid = true;
}

void validate(WindowHandle window) {
  if (WindowRecord* record = find(window)) record->invalid = false;
}

// WM_CLOSE goes through the connected backend, so that native windows go too.
intptr_t default_window_proc(WindowHandle window, uint32_t message, uintptr_t, intptr_t) {
  if (message == WM_CLOSE) api().window.destroy_window(window);
  if (message == WM_PAINT) validate(window);
  return 0;
}

void wake() { raise_wake_signal(); }

WindowHandle find_window(const char* class_name, const char* title) {
  for (const auto& [handle, record] : state().windows) {
    if (record.parent == 0 && record.class_name == class_name && record.title == title) {
      return handle;
    }
  }
  return 0;
}

WindowHandle foreground_window() {
  return find(state().foreground) ? state().foreground : 0;
}

// Headless windows have no desktop behind them.
WindowHandle desktop_window() { return 0; }

bool set_foreground_window(WindowHandle window) {
  if (!find(window)) return false;
  state().foreground = window;
  return true;
}

Size screen_size() { return state().screen; }
std::vector<Rect> monitors() { return {Rect{0, 0, state().screen.width, state().screen.height}}; }
double refresh_rate() { return 0; }
int colour_depth(WindowHandle) { return state().bits_per_pixel; }
Point cursor_position() { return state().cursor; }
void set_cursor_position(Point position) { state().cursor = position; }

void hide_cursor(WindowHandle window) {
  if (WindowRecord* record = find(window)) record->cursor_hidden = true;
}

// Without a display there is no screen to blank.
void suspend_screen_blanking(bool) {}

uint32_t last_error() { return state().last_error; }

}  // namespace

WindowHandle create_window_with(const WindowCreate& create, const NativeHooks* hooks) {
  auto window_class = state().classes.find(create.class_name ? create.class_name : "");
  if (window_class == state().classes.end()) {
    set_last_error(ERROR_CANNOT_FIND_WND_CLASS);
    return 0;
  }
  if (create.kind == WindowKind::Child && !api().window.is_window(create.parent)) {
    set_last_error(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  const WindowHandle handle = hooks ? hooks->create(create) : state().next_handle++;
  if (!handle) return 0;
  state().windows[handle] = WindowRecord{create.class_name, create.title ? create.title : "",
                                         window_class->second, create.kind, create.parent,
                                         Size{create.width, create.height}, false, false, false};
  const WindowProc proc = window_class->second;
  if (proc(handle, WM_CREATE, 0, reinterpret_cast<intptr_t>(&create)) == -1) {
    destroy_window_with(handle, hooks);
    return 0;
  }
  if (!find(handle)) return 0;
  proc(handle, WM_SHOWWINDOW, 1, 0);
  if (!find(handle)) return 0;
  proc(handle, WM_SIZE, 0, make_lparam(create.width, create.height));
  invalidate(handle);
  return find(handle) ? handle : 0;
}

// Win32's order: the window hears WM_DESTROY before its children do, and the
// native windows go last, so a child's shut-down still has its drawable.
void destroy_window_with(WindowHandle window, const NativeHooks* hooks) {
  WindowRecord* record = find(window);
  if (!record || record->destroying) return;
  record->destroying = true;
  record->proc(window, WM_DESTROY, 0, 0);
  std::vector<WindowHandle> children;
  for (const auto& [handle, child] : state().windows) {
    if (child.parent == window) children.push_back(handle);
  }
  for (WindowHandle child : children) destroy_window_with(child, hooks);
  if (hooks) hooks->destroy(window);
  state().windows.erase(window);
  if (state().foreground == window) state().foreground = 0;
}

bool get_message_with(Message* message, const NativeHooks* hooks) {
  open_wake_signal();
  if (!take_posted(message)) {
    if (hooks) hooks->pump_events();
    if (!take_posted(message) && !take_paint(message)) {
      wait_for_wake_signal(hooks ? hooks->event_descriptor() : -1);
      *message = Message{0, WM_NULL, 0, 0};
    }
  }
  return message->message != WM_QUIT;
}

bool is_known_window(WindowHandle window) { return find(window) != nullptr; }

bool is_cursor_hidden(WindowHandle window) {
  const WindowRecord* record = find(window);
  return record && record->cursor_hidden;
}

std::string window_title(WindowHandle window) {
  const WindowRecord* record = find(window);
  return record ? record->title : "";
}

void set_last_error(uint32_t code) { state().last_error = code; }

Size client_size(WindowHandle window) {
  const WindowRecord* record = find(window);
  return record ? record->size : Size{0, 0};
}

void follow_client_size(WindowHandle window, Size size) {
  WindowRecord* record = find(window);
  if (!record || (record->size.width == size.width && record->size.height == size.height)) return;
  record->size = size;
  post_message(window, WM_SIZE, 0, make_lparam(size.width, size.height));
}

std::vector<Message> posted_messages() {
  return std::vector<Message>(state().queue.begin(), state().queue.end());
}

void set_screen(Size size, int bits_per_pixel) {
  state().screen = size;
  state().bits_per_pixel = bits_per_pixel;
}

void reset() {
  State& s = state();
  s.classes.clear();
  s.windows.clear();
  s.queue.clear();
  s.foreground = 0;
  s.cursor = Point{0, 0};
  s.last_error = 0;
}

void connect_window(WindowApi& window) {
  open_wake_signal();
  window.register_class = register_class;
  window.create_window = create_window;
  window.destroy_window = destroy_window;
  window.is_window = is_known_window;
  window.parent = parent;
  window.client_size = client_size;
  window.resize_window = resize_window;
  window.post_message = post_message;
  window.send_message = send_message;
  window.post_quit_message = post_quit_message;
  window.get_message = get_message;
  window.dispatch_message = dispatch_message;
  window.default_window_proc = default_window_proc;
  window.invalidate = invalidate;
  window.validate = validate;
  window.wake = wake;
  window.find_window = find_window;
  window.foreground_window = foreground_window;
  window.desktop_window = desktop_window;
  window.set_foreground_window = set_foreground_window;
  window.screen_size = screen_size;
  window.monitors = monitors;
  window.refresh_rate = refresh_rate;
  window.colour_depth = colour_depth;
  window.cursor_position = cursor_position;
  window.set_cursor_position = set_cursor_position;
  window.hide_cursor = hide_cursor;
  window.suspend_screen_blanking = suspend_screen_blanking;
  window.last_error = last_error;
}

}  // namespace platform::headless
