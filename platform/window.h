// Windows, messages and the message loop.
//
// Portable code sees windows the way the saver's host expects them: window
// procedures receiving numbered messages, a posted-message queue, paint
// requests that are served when the queue is empty, and the few window-system
// facts the saver needs (screen size, colour depth, cursor). The message and
// key numbers are the Win32 ones, so a Win32 backend passes them through
// unchanged (it includes this header before <windows.h>, whose macros of the
// same names then stand for the same numbers).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gl_context.h"

namespace platform {

// Messages.
constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_CREATE = 0x0001;
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_SETTEXT = 0x000C;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_SHOWWINDOW = 0x0018;
// WM_ACTIVATEAPP's lParam with wParam 0 names who gains the activation: its
// process id (0 when unknown), on every system (Win32's own message names
// the thread; the backend gives its process instead).
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_SETCURSOR = 0x0020;
constexpr uint32_t WM_POWER = 0x0048;
constexpr uint32_t WM_HELP = 0x0053;
constexpr uint32_t WM_CONTEXTMENU = 0x007B;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_TIMER = 0x0113;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_POWERBROADCAST = 0x0218;
constexpr uint32_t WM_APP = 0x8000;

// WM_SYSCOMMAND commands.
constexpr uintptr_t SC_NEXTWINDOW = 0xF040;
constexpr uintptr_t SC_PREVWINDOW = 0xF050;
constexpr uintptr_t SC_SCREENSAVE = 0xF140;
constexpr uintptr_t SC_MONITORPOWER = 0xF170;

// Virtual keys (wParam of WM_KEYDOWN). Letters and digits are their
// upper-case ASCII codes, as on Win32.
constexpr uintptr_t VK_BACK = 0x08;
constexpr uintptr_t VK_TAB = 0x09;
constexpr uintptr_t VK_RETURN = 0x0D;
constexpr uintptr_t VK_SHIFT = 0x10;
constexpr uintptr_t VK_CONTROL = 0x11;
constexpr uintptr_t VK_MENU = 0x12;
constexpr uintptr_t VK_ESCAPE = 0x1B;
constexpr uintptr_t VK_SPACE = 0x20;
constexpr uintptr_t VK_LEFT = 0x25;
constexpr uintptr_t VK_UP = 0x26;
constexpr uintptr_t VK_RIGHT = 0x27;
constexpr uintptr_t VK_DOWN = 0x28;
constexpr uintptr_t VK_F = 0x46;
constexpr uintptr_t VK_F1 = 0x70;
constexpr uintptr_t VK_OEM_OTHER = 0xFF;  // a key with no virtual-key number here

// Packs two signed 16-bit values the way WM_SIZE and the mouse messages carry
// them in lParam (low word first).
constexpr intptr_t make_lparam(int low, int high) {
  return static_cast<intptr_t>((static_cast<uint32_t>(low) & 0xFFFF) |
                               ((static_cast<uint32_t>(high) & 0xFFFF) << 16));
}
constexpr int lparam_low(intptr_t lparam) { return static_cast<int16_t>(lparam & 0xFFFF); }
constexpr int lparam_high(intptr_t lparam) {
  return static_cast<int16_t>((lparam >> 16) & 0xFFFF);
}

struct Message {
  WindowHandle window;
  uint32_t message;
  uintptr_t wparam;
  intptr_t lparam;
};

using WindowProc = intptr_t (*)(WindowHandle window, uint32_t message, uintptr_t wparam,
                                intptr_t lparam);

struct WindowClass {
  const char* name;
  WindowProc proc;
};

struct Size {
  int width;
  int height;
};

struct Point {
  int x;
  int y;
};

struct Rect {
  int x, y, width, height;

  bool operator==(const Rect&) const = default;
};

enum class WindowKind {
  // Undecorated, covering the given rectangle above all other windows, with
  // the keyboard and the pointer directed to it.
  FullScreen,
  // Inside the parent window (one of ours, or a foreign one by its id).
  Child,
};

struct WindowCreate {
  const char* class_name;
  const char* title;
  WindowKind kind;
  WindowHandle parent;  // 0 for a full-screen window
  int x, y, width, height;
};

struct WindowApi {
  // Registers a window class; false when the name is taken or empty.
  bool (*register_class)(const WindowClass& window_class);
  // Creates a window of a registered class. Its procedure gets WM_CREATE
  // (lParam points at the WindowCreate) inside this call; a result of -1
  // destroys the window again and makes this return 0. Then WM_SIZE with the
  // client size follows, also inside this call. Returns 0 on failure.
  WindowHandle (*create_window)(const WindowCreate& create);
  // Sends WM_DESTROY to the window, then to its children, and removes them.
  void (*destroy_window)(WindowHandle window);
  // True for a live window of ours, or (X11) any existing window of the display.
  bool (*is_window)(WindowHandle window);
  // The parent given at creation; 0 for none or an unknown window.
  WindowHandle (*parent)(WindowHandle window);
  // Client size of one of our windows or (X11) a foreign one; {0, 0} if unknown.
  Size (*client_size)(WindowHandle window);
  // Gives one of our windows a new client size; WM_SIZE reaches it when the
  // size changed (on X11 once the server has made the change).
  void (*resize_window)(WindowHandle window, Size size);

  // Queues a message for the window; false for an unknown window.
  bool (*post_message)(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam);
  // Calls the window's procedure at once and returns its result (0 for an
  // unknown window).
  intptr_t (*send_message)(WindowHandle window, uint32_t message, uintptr_t wparam,
                           intptr_t lparam);
  // Queues WM_QUIT with the exit code; get_message then returns false.
  void (*post_quit_message)(int exit_code);
  // Waits for the next message: posted ones and translated input first, then
  // WM_PAINT for an invalidated window. False on WM_QUIT (message->wparam then
  // holds the exit code). A wake() lets it return WM_NULL.
  bool (*get_message)(Message* message);
  intptr_t (*dispatch_message)(const Message& message);
  // Default handling: WM_CLOSE destroys the window, WM_PAINT validates it,
  // everything else returns 0.
  intptr_t (*default_window_proc)(WindowHandle window, uint32_t message, uintptr_t wparam,
                                  intptr_t lparam);
  // Marks the whole window for painting; one WM_PAINT follows when the queue is empty.
  void (*invalidate)(WindowHandle window);
  // Clears the paint request (what begin/end painting do on Win32).
  void (*validate)(WindowHandle window);
  // Makes a blocked get_message return WM_NULL. Async-signal-safe.
  void (*wake)();

  // Finds a top-level window by class name and title; 0 when there is none.
  WindowHandle (*find_window)(const char* class_name, const char* title);
  WindowHandle (*foreground_window)();
  // The window behind all others that covers the whole screen (X11: the
  // root window); 0 when there is none.
  WindowHandle (*desktop_window)();
  // Raises the window and gives it the keyboard.
  bool (*set_foreground_window)(WindowHandle window);

  Size (*screen_size)();
  // The monitors that show the screen, as rectangles of it (its top-left
  // corner is 0,0), the primary first. Mirrored or overlapping outputs may
  // repeat or contain one another; empty when the system cannot tell.
  std::vector<Rect> (*monitors)();
  // Frames per second the primary monitor shows (its mode's refresh rate;
  // 60 when the system does not tell). 0 when no display shows the frames
  // (headless), or when ORBALUNE3D_UNPACED is set in the environment (for
  // benchmarks): frames then follow one another as fast as they are drawn.
  double (*refresh_rate)();
  // Bits per pixel of the screen the window is on (0 window: the default screen).
  int (*colour_depth)(WindowHandle window);
  // Pointer position in screen coordinates.
  Point (*cursor_position)();
  void (*set_cursor_position)(Point position);
  // Makes the pointer invisible over the window.
  void (*hide_cursor)(WindowHandle window);
  // True keeps the display's own screen blanking and monitor power saving
  // from starting (the screen is in use); false lets them run again as the
  // user set them. Calls pair up; the system undoes a suspension when the
  // process ends.
  void (*suspend_screen_blanking)(bool suspend);
  // The error code of the last failed call of this area (0 when none).
  uint32_t (*last_error)();
};

}  // namespace platform
