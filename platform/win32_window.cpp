// Win32 windows behind platform::WindowApi.
//
// Every window class is a real one whose procedure hands each message,
// unchanged, to the portable procedure registered for that class: the
// message numbers are Win32's own (platform/window.h). The message loop is
// GetMessageA, TranslateMessage and DispatchMessageA.
//
// Implemented: class registration (own DC, double clicks, redraw on resize,
// icon 100, no cursor, black background), full-screen windows (a top-most
// popup) and child windows, WM_CREATE with the WindowCreate as lParam,
// posting and sending, paint requests, FindWindowA, IsWindow, the
// foreground window, screen size, monitors (EnumDisplayMonitors), refresh
// rate (VREFRESH) and colour depth, the cursor, keeping the
// display awake, a wake-up from another thread, and the input-method
// context of the saver's main window detached while it runs (IMM32, when
// the process has it loaded).
// Missing: covering more than the primary monitor.
#include "platform/window.h"  // before <windows.h>: see there

#include <windows.h>

#include <atomic>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "platform/unpaced_switch.h"
#include "platform/win32_connect.h"

namespace platform::win32 {
namespace {

const int SAVER_ICON_ID = 100;
const UINT CLASS_STYLE = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
const DWORD FULL_SCREEN_STYLE = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const DWORD CHILD_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

using AssociateContext = HANDLE(WINAPI*)(HWND, HANDLE);

struct State {
  // Portable procedures by upper-case class name (Win32 class names ignore case).
  std::map<std::string, WindowProc> classes;
  // The creation in progress, handed to WM_CREATE.
  const WindowCreate* creating = nullptr;
  // Input-method contexts taken from top-level windows, given back at WM_DESTROY.
  std::map<HWND, HANDLE> detached_input_contexts;
  // The last message taken from the queue, dispatched with its time and point.
  MSG last_message{};
  uint32_t last_error = 0;
};

State& state() {
  static State instance;
  return instance;
}

// The thread that runs the message loop, for wake-ups from other threads.
std::atomic<DWORD> loop_thread{0};

HWND to_hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle to_handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

std::string upper_case(const char* name) {
  std::string text = name;
  for (char& c : text) c = char(toupper(static_cast<unsigned char>(c)));
  return text;
}

uint32_t record_last_error() {
  state().last_error = GetLastError();
  return state().last_error;
}

// The portable procedure of a window's class, kept in the window's user
// data after the first message.
WindowProc procedure_of(HWND window) {
  if (LONG_PTR kept = GetWindowLongPtrA(window, GWLP_USERDATA)) {
    return reinterpret_cast<WindowProc>(kept);
  }
  char class_name[256] = {};
  if (!GetClassNameA(window, class_name, sizeof class_name)) return nullptr;
  const auto found = state().classes.find(upper_case(class_name));
  if (found == state().classes.end()) return nullptr;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(found->second));
  return found->second;
}

AssociateContext loaded_associate_context() {
  HMODULE imm = GetModuleHandleA("IMM32.DLL");
  if (!imm) return nullptr;
  return reinterpret_cast<AssociateContext>(
      reinterpret_cast<void*>(GetProcAddress(imm, "ImmAssociateContext")));
}

// Keys go to the saver as keys, not into an input method's composition.
void detach_input_context(HWND window) {
  if (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD && GetParent(window) &&
      procedure_of(GetParent(window))) {
    return;  // a child of our own window: its top-level window has done it
  }
  if (AssociateContext associate = loaded_associate_context()) {
    state().detached_input_contexts[window] = associate(window, nullptr);
  }
}

void restore_input_context(HWND window) {
  const auto found = state().detached_input_contexts.find(window);
  if (found == state().detached_input_contexts.end()) return;
  const HANDLE context = found->second;
  state().detached_input_contexts.erase(found);
  AssociateContext associate = loaded_associate_context();
  if (associate && context) associate(window, context);
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const WindowProc proc = procedure_of(window);
  if (!proc) return DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_CREATE) {
    detach_input_context(window);
    lparam = reinterpret_cast<LPARAM>(state().creating);
  } else if (message == WM_DESTROY) {
    restore_input_context(window);
  }
  return proc(to_handle(window), message, wparam, lparam);
}

bool register_class(const WindowClass& window_class) {
  if (!window_class.name || !*window_class.name || !window_class.proc) return false;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA native{};
  native.style = CLASS_STYLE;
  native.lpfnWndProc = window_procedure;
  native.hInstance = instance;
  native.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(SAVER_ICON_ID));
  native.hCursor = nullptr;
  native.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  native.lpszClassName = window_class.name;
  if (!RegisterClassA(&native)) {
    record_last_error();
    return false;
  }
  state().classes[upper_case(window_class.name)] = window_class.proc;
  return true;
}

WindowHandle create_window(const WindowCreate& create) {
  const bool full_screen = create.kind == WindowKind::FullScreen;
  const WindowCreate* outer = state().creating;
  state().creating = &create;
  HWND window = CreateWindowExA(full_screen ? WS_EX_TOPMOST : 0, create.class_name, create.title,
                                full_screen ? FULL_SCREEN_STYLE : CHILD_STYLE, create.x, create.y,
                                create.width, create.height,
                                full_screen ? nullptr : to_hwnd(create.parent), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  state().creating = outer;
  if (!window) record_last_error();
  return to_handle(window);
}

void destroy_window(WindowHandle window) {
  if (!DestroyWindow(to_hwnd(window))) record_last_error();
}

bool is_window(WindowHandle window) { return window && IsWindow(to_hwnd(window)); }

WindowHandle parent(WindowHandle window) {
  HWND native = to_hwnd(window);
  if (!IsWindow(native) || !(GetWindowLongPtrA(native, GWL_STYLE) & WS_CHILD)) return 0;
  return to_handle(GetParent(native));
}

Size client_size(WindowHandle window) {
  RECT rect{};
  if (!GetClientRect(to_hwnd(window), &rect)) return Size{0, 0};
  return Size{int(rect.right - rect.left), int(rect.bottom - rect.top)};
}

void resize_window(WindowHandle window, Size size) {
  SetWindowPos(to_hwnd(window), nullptr, 0, 0, size.width, size.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool post_message(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  if (PostMessageA(to_hwnd(window), message, wparam, lparam)) return true;
  record_last_error();
  return false;
}

intptr_t send_message(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  return SendMessageA(to_hwnd(window), message, wparam, lparam);
}

void post_quit_message(int exit_code) { PostQuitMessage(exit_code); }

bool get_message(Message* message) {
  loop_thread.store(GetCurrentThreadId(), std::memory_order_release);
  MSG& native = state().last_message;
  const BOOL result = GetMessageA(&native, nullptr, 0, 0);
  if (result == -1) {
    record_last_error();
    native = MSG{nullptr, WM_QUIT, 0, 0, 0, {0, 0}};
  }
  *message = Message{to_handle(native.hwnd), native.message, native.wParam, native.lParam};
  return native.message != WM_QUIT;
}

// The message as the queue gave it when it is that one, so that its time
// and cursor point go along.
intptr_t dispatch_message(const Message& message) {
  MSG native = state().last_message;
  if (to_handle(native.hwnd) != message.window || native.message != message.message ||
      native.wParam != message.wparam || native.lParam != message.lparam) {
    native = MSG{to_hwnd(message.window), message.message, message.wparam, message.lparam,
                 DWORD(GetMessageTime()), {0, 0}};
    GetCursorPos(&native.pt);
  }
  TranslateMessage(&native);
  return DispatchMessageA(&native);
}

intptr_t default_window_proc(WindowHandle window, uint32_t message, uintptr_t wparam,
                             intptr_t lparam) {
  return DefWindowProcA(to_hwnd(window), message, wparam, lparam);
}

void invalidate(WindowHandle window) { InvalidateRect(to_hwnd(window), nullptr, FALSE); }

void validate(WindowHandle window) { ValidateRect(to_hwnd(window), nullptr); }

void wake() {
  if (const DWORD thread = loop_thread.load(std::memory_order_acquire)) {
    PostThreadMessageA(thread, WM_NULL, 0, 0);
  }
}

WindowHandle find_window(const char* class_name, const char* title) {
  return to_handle(FindWindowA(class_name, title));
}

WindowHandle foreground_window() { return to_handle(GetForegroundWindow()); }

WindowHandle desktop_window() { return to_handle(GetDesktopWindow()); }

bool set_foreground_window(WindowHandle window) {
  return SetForegroundWindow(to_hwnd(window)) != 0;
}

Size screen_size() { return Size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// Adds one monitor's rectangle; the primary monitor goes first.
BOOL CALLBACK add_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM found_list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  auto* found = reinterpret_cast<std::vector<Rect>*>(found_list);
  const RECT& area = info.rcMonitor;
  const Rect rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
  found->insert((info.dwFlags & MONITORINFOF_PRIMARY) ? found->begin() : found->end(), rect);
  return TRUE;
}

// Virtual-screen coordinates put the primary monitor's top-left corner at 0,0.
std::vector<Rect> monitors() {
  std::vector<Rect> found;
  EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The primary display's rate; VREFRESH 0 and 1 stand for the hardware's default.
double refresh_rate() {
  const double UNKNOWN_RATE_HZ = 60;
  if (unpaced_requested()) return 0;
  HDC screen = GetDC(nullptr);
  const int rate = screen ? GetDeviceCaps(screen, VREFRESH) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return rate > 1 ? rate : UNKNOWN_RATE_HZ;
}

int colour_depth(WindowHandle window) {
  HDC dc = GetDC(to_hwnd(window));
  if (!dc) return 0;
  const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(to_hwnd(window), dc);
  return bits;
}

Point cursor_position() {
  POINT point{0, 0};
  GetCursorPos(&point);
  return Point{int(point.x), int(point.y)};
}

void set_cursor_position(Point position) { SetCursorPos(position.x, position.y); }

// The classes have no cursor, so a null cursor stays until the pointer
// enters a window that has one.
void hide_cursor(WindowHandle) { SetCursor(nullptr); }

uint32_t last_error() { return state().last_error; }

// The display stays on while the flag is set for this thread.
void suspend_screen_blanking(bool suspend) {
  SetThreadExecutionState(suspend ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
}

}  // namespace

bool connect(Platform& table) {
  WindowApi& window = table.window;
  window.register_class = register_class;
  window.create_window = create_window;
  window.destroy_window = destroy_window;
  window.is_window = is_window;
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
  window.last_error = last_error;
  window.suspend_screen_blanking = suspend_screen_blanking;
  wgl::connect_window_context(table.context);
  return true;
}

}  // namespace platform::win32
