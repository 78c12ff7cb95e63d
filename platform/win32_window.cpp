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
// foreground window, screen size, monitors (EnumDisplayMonitors, in the
// client coordinates of a full-screen window), refresh rate
// (EnumDisplaySettingsA) and colour depth, the cursor, keeping the display
// awake, a wake-up from another thread, and the input-method context of the
// saver's main window detached while it runs (IMM32, when the process has it
// loaded). A full-screen window covers the whole virtual desktop, every
// monitor, and follows it when the display settings change.
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

// The rectangle of all monitors together; the primary monitor's top-left
// corner is 0,0 in it, so monitors left of or above it have negative places.
RECT virtual_desktop() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
              top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool is_full_screen(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP; }

Size client_size(WindowHandle window) {
  RECT rect{};
  if (!GetClientRect(to_hwnd(window), &rect)) return Size{0, 0};
  return Size{int(rect.right - rect.left), int(rect.bottom - rect.top)};
}

void send_client_size(HWND window) {
  const Size size = client_size(to_handle(window));
  SendMessageA(window, WM_SIZE, SIZE_RESTORED, make_lparam(size.width, size.height));
}

BOOL CALLBACK send_child_client_size(HWND child, LPARAM) {
  send_client_size(child);
  return TRUE;
}

// After a change of the monitors, a full-screen window covers the virtual
// desktop again. A resize reaches it and its children as WM_SIZE; when the
// size stayed (monitors rearranged within the same rectangle) they get
// WM_SIZE at their unchanged size, so that they read the monitors again.
void cover_virtual_desktop(HWND window) {
  const Size before = client_size(to_handle(window));
  const RECT desktop = virtual_desktop();
  SetWindowPos(window, HWND_TOPMOST, desktop.left, desktop.top, desktop.right - desktop.left,
               desktop.bottom - desktop.top, SWP_NOACTIVATE);
  const Size after = client_size(to_handle(window));
  if (after.width != before.width || after.height != before.height) return;
  send_client_size(window);
  EnumChildWindows(window, send_child_client_size, 0);
}

// A preview's main window is a child of another program's window. When that
// program destroys its window, its thread sends WM_DESTROY to our windows
// one after the other, parent first; the quit that our main window posts
// can end our message loop before the send for its GL child arrives, and
// then the child's shut-down never runs. So a window destroyed from another
// thread destroys its own children here, on this thread, first.
void destroy_children_when_sent(HWND window) {
  if (!InSendMessage()) return;
  while (HWND child = GetWindow(window, GW_CHILD)) {
    if (!DestroyWindow(child)) return;
  }
}

// Win32 names the thread that gains the activation; the saver's procedures
// are given its process, as on every system, so that they can tell their
// own music player from any other program. Windows XP cannot tell (0).
LPARAM process_of_thread(LPARAM thread_id) {
  using ProcessIdOfThread = DWORD(WINAPI*)(HANDLE);
  static const auto process_id_of_thread = reinterpret_cast<ProcessIdOfThread>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                             "GetProcessIdOfThread")));
  if (!process_id_of_thread) return 0;
  HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, DWORD(thread_id));
  if (!thread) return 0;
  const DWORD process = process_id_of_thread(thread);
  CloseHandle(thread);
  return LPARAM(process);
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const WindowProc proc = procedure_of(window);
  if (!proc) return DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_CREATE) {
    detach_input_context(window);
    lparam = reinterpret_cast<LPARAM>(state().creating);
  } else if (message == WM_DESTROY) {
    destroy_children_when_sent(window);
    restore_input_context(window);
  } else if (message == WM_DISPLAYCHANGE && is_full_screen(window)) {
    cover_virtual_desktop(window);
  } else if (message == WM_ACTIVATEAPP && !wparam) {
    lparam = process_of_thread(lparam);
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

// A full-screen window covers the virtual desktop, whatever rectangle of
// the primary screen it was asked for.
WindowHandle create_window(const WindowCreate& create) {
  const bool full_screen = create.kind == WindowKind::FullScreen;
  const RECT area = full_screen ? virtual_desktop()
                                : RECT{create.x, create.y, create.x + create.width,
                                       create.y + create.height};
  const WindowCreate* outer = state().creating;
  state().creating = &create;
  HWND window = CreateWindowExA(full_screen ? WS_EX_TOPMOST : 0, create.class_name, create.title,
                                full_screen ? FULL_SCREEN_STYLE : CHILD_STYLE, area.left,
                                area.top, area.right - area.left, area.bottom - area.top,
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

struct MonitorList {
  POINT origin;  // the virtual desktop's top-left corner
  std::vector<Rect> found;
};

// Adds one monitor's rectangle; the primary monitor goes first.
BOOL CALLBACK add_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM list_address) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  auto* list = reinterpret_cast<MonitorList*>(list_address);
  const RECT& area = info.rcMonitor;
  const Rect rect{int(area.left - list->origin.x), int(area.top - list->origin.y),
                  int(area.right - area.left), int(area.bottom - area.top)};
  std::vector<Rect>& found = list->found;
  found.insert((info.dwFlags & MONITORINFOF_PRIMARY) ? found.begin() : found.end(), rect);
  return TRUE;
}

// In the client coordinates of a full-screen window, which covers the
// virtual desktop from its top-left corner.
std::vector<Rect> monitors() {
  const RECT desktop = virtual_desktop();
  MonitorList list{POINT{desktop.left, desktop.top}, {}};
  EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&list));
  return list.found;
}

// The primary display's current mode; a frequency of 0 or 1 stands for the
// hardware's default, which the system does not tell.
double refresh_rate() {
  const double UNKNOWN_RATE_HZ = 60;
  if (unpaced_requested()) return 0;
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return UNKNOWN_RATE_HZ;
  return mode.dmDisplayFrequency > 1 ? mode.dmDisplayFrequency : UNKNOWN_RATE_HZ;
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
