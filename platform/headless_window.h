// Plain-state windows: the window table, window classes, the posted-message
// queue and paint requests, with no window system behind them.
//
// The headless backend is exactly this. The X11 backend keeps its windows in
// the same table and attaches a native window to each record, so creation,
// destruction, messages and painting follow one set of rules on both.
#pragma once

#include <string>
#include <vector>

#include "platform/window.h"

namespace platform::headless {

// Fills every window entry with the plain-state implementation.
void connect_window(WindowApi& window);

// What a backend adds to the plain-state windows.
struct NativeHooks {
  // Makes the native window and returns its handle; 0 on failure.
  WindowHandle (*create)(const WindowCreate& create);
  void (*destroy)(WindowHandle window);
  // Reads pending native events and posts the messages they stand for.
  void (*pump_events)();
  // A descriptor that becomes readable when native events arrive (-1: none).
  int (*event_descriptor)();
};

// Creation and destruction with the message rules of WindowApi; the native
// hooks are called in between (null hooks: plain-state windows).
WindowHandle create_window_with(const WindowCreate& create, const NativeHooks* hooks);
void destroy_window_with(WindowHandle window, const NativeHooks* hooks);
// The message loop's wait: posted messages, then native events, then paints.
bool get_message_with(Message* message, const NativeHooks* hooks);

// Facts about a window of the table.
bool is_known_window(WindowHandle window);
// The client size last recorded for a window of the table ({0, 0}: unknown).
Size client_size(WindowHandle window);
bool is_cursor_hidden(WindowHandle window);
std::string window_title(WindowHandle window);
void set_last_error(uint32_t code);
// Follows a size change that the window system reports: records the new
// client size and posts WM_SIZE, unless the size is the recorded one.
void follow_client_size(WindowHandle window, Size size);

// The messages waiting in the queue, oldest first.
std::vector<Message> posted_messages();

// The simulated display of the headless backend.
void set_screen(Size size, int bits_per_pixel);
// Forgets every window, class and queued message, for tests that start over.
void reset();

// Win32's numbers for the failures these windows report.
constexpr uint32_t ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr uint32_t ERROR_CANNOT_FIND_WND_CLASS = 1407;
constexpr uint32_t ERROR_CLASS_ALREADY_EXISTS = 1410;

}  // namespace platform::headless
