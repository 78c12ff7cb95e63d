// The screensaver host: main window, message loop and close rules.
//
// Only Windows 95, 98 and Me ask for a saver password before closing
// (host/saver_password.h); everywhere else locking belongs to the system,
// and closing is always allowed.
#include "host/saver_host.h"

#include <atomic>
#include <cstdlib>

#include "host/saver_password.h"
#include "host/saver_window.h"
#include "platform/platform.h"

bool PreviewMode = false;
bool HostedMode = false;
const char SAVER_CLASS_NAME[] = "WindowsScreenSaverClass";
const char SAVER_TITLE[] = "Screen Saver";
platform::WindowProc SaverProgramProc = ScreenSaverProc;

namespace {

const char PREVIEW_TITLE[] = "Preview";
const char HOSTED_TITLE[] = "Hosted Screen Saver";

// Where the pointer was when the saver started or last closed.
platform::Point saved_cursor{0, 0};

platform::WindowApi& windows() { return platform::api().window; }

// Set when the system asks the process to stop (SIGTERM, SIGINT); the
// message loop turns it into WM_CLOSE so that the saver stops through its
// normal shut-down.
std::atomic<bool> close_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void on_stop_request() {
  close_requested.store(true);
  platform::api().window.wake();
}

void install_close_signals() { platform::api().system.on_stop_request(on_stop_request); }

void close_window(platform::WindowHandle window) {
  windows().post_message(window, platform::WM_CLOSE, 0, 0);
}

int run_message_loop(platform::WindowHandle main_window) {
  platform::Message message{};
  while (windows().get_message(&message)) {
    if (close_requested.exchange(false)) close_window(main_window);
    windows().dispatch_message(message);
  }
  return static_cast<int>(message.wparam);
}

// A child covering the whole of the parent window.
platform::WindowCreate child_window(platform::WindowHandle parent, const char* title) {
  const platform::Size size = windows().client_size(parent);
  return platform::WindowCreate{SAVER_CLASS_NAME, title, platform::WindowKind::Child, parent, 0,
                                0, size.width, size.height};
}

platform::WindowCreate full_screen_window() {
  const platform::Size size = windows().screen_size();
  return platform::WindowCreate{SAVER_CLASS_NAME, SAVER_TITLE, platform::WindowKind::FullScreen,
                                0, 0, 0, size.width, size.height};
}

// Mouse moves close only once the pointer is more than the threshold away
// from the saved position; smaller moves leave it, so slow ones add up.
void apply_mouse_rule(platform::WindowHandle window) {
  const platform::Point now = windows().cursor_position();
  const platform::Point saved = saved_cursor;
  if (std::abs(now.x - saved.x) + std::abs(now.y - saved.y) > MOUSE_THRESHOLD) {
    close_window(window);
    saved_cursor = now;
  }
}

bool is_close_key_or_button(uint32_t message) {
  return message == platform::WM_KEYDOWN || message == platform::WM_SYSKEYDOWN ||
         message == platform::WM_LBUTTONDOWN || message == platform::WM_RBUTTONDOWN ||
         message == platform::WM_MBUTTONDOWN || message == platform::WM_POWERBROADCAST;
}

// In preview, help and context-menu requests belong to the window that shows it.
intptr_t forward_to_parent(platform::WindowHandle window, uint32_t message, intptr_t lparam) {
  const platform::WindowHandle parent = windows().parent(window);
  if (parent && windows().is_window(parent)) {
    windows().post_message(parent, message, parent, lparam);
  }
  return 1;
}

bool is_swallowed_command(uintptr_t command) {
  return command == platform::SC_NEXTWINDOW || command == platform::SC_PREVWINDOW ||
         command == platform::SC_SCREENSAVE;
}

const uintptr_t POWER_SUSPEND_REQUEST = 3;

// Input and system events that end the full-screen saver; in the hosted
// mode the hosting program decides that instead.
void apply_close_rules(platform::WindowHandle window, uint32_t message, uintptr_t wparam) {
  const bool input_closes = !HostedMode;
  if (input_closes && ((message == platform::WM_ACTIVATEAPP && wparam == 0) ||
                       (message == platform::WM_POWER && wparam == POWER_SUSPEND_REQUEST) ||
                       is_close_key_or_button(message))) {
    close_window(window);
  } else if (message == platform::WM_SHOWWINDOW && wparam != 0) {
    windows().hide_cursor(window);
  } else if (input_closes && message == platform::WM_MOUSEMOVE) {
    apply_mouse_rule(window);
  }
}

// Creates the main window and runs the message loop until it is gone.
int run_main_window(const platform::WindowCreate& create, bool take_foreground) {
  platform::WindowApi& api = windows();
  install_close_signals();
  Register_Auto_Play_Message();
  int exit_code = 0;
  if (api.register_class(platform::WindowClass{SAVER_CLASS_NAME, ScreenSaverHostProc})) {
    if (const platform::WindowHandle main_window = api.create_window(create)) {
      if (take_foreground) api.set_foreground_window(main_window);
      exit_code = run_message_loop(main_window);
    }
  }
  Password_Unload();
  return exit_code;
}

}  // namespace

int Run_Saver(platform::WindowHandle parent) {
  if (parent) {
    PreviewMode = true;
    return run_main_window(child_window(parent, PREVIEW_TITLE), false);
  }
  platform::WindowApi& api = windows();
  if (const platform::WindowHandle running = api.find_window(SAVER_CLASS_NAME, SAVER_TITLE)) {
    api.set_foreground_window(running);
    return 0;
  }
  Password_Init();
  return run_main_window(full_screen_window(), true);
}

int Run_Hosted_Saver(platform::WindowHandle host) {
  HostedMode = true;
  return run_main_window(child_window(host, HOSTED_TITLE), false);
}

intptr_t ScreenSaverHostProc(platform::WindowHandle window, uint32_t message, uintptr_t wparam,
                             intptr_t lparam) {
  switch (message) {
    case platform::WM_CREATE:
      saved_cursor = windows().cursor_position();
      if (!PreviewMode) windows().hide_cursor(window);
      break;
    case platform::WM_DESTROY:
      windows().post_quit_message(0);
      break;
    case platform::WM_SETTEXT:
      return 0;
    case platform::WM_PAINT:
      if (CloseConfirmed) return windows().default_window_proc(window, message, wparam, lparam);
      if (!PreviewMode) windows().hide_cursor(window);
      break;
    case platform::WM_HELP:
    case platform::WM_CONTEXTMENU:
      if (PreviewMode) return forward_to_parent(window, message, lparam);
      break;
    case platform::WM_SYSCOMMAND:
      if (!PreviewMode && is_swallowed_command(wparam)) return 0;
      break;
    case platform::WM_TIMER:
      if (CloseConfirmed) return 0;
      platform::api().clock.sleep_ms(0);
      break;
    case platform::WM_KEYDOWN:
    case platform::WM_SYSKEYDOWN:
    case platform::WM_MOUSEMOVE:
    case platform::WM_LBUTTONDOWN:
    case platform::WM_RBUTTONDOWN:
    case platform::WM_MBUTTONDOWN:
      if (CloseConfirmed) return windows().default_window_proc(window, message, wparam, lparam);
      break;
    default:
      break;
  }
  return SaverProgramProc(window, message, wparam, lparam);
}

intptr_t ScreenSaverDefaultProc(platform::WindowHandle window, uint32_t message,
                                uintptr_t wparam, intptr_t lparam) {
  if (!PreviewMode && !CloseConfirmed) {
    if (Windows9x && message == platform::WM_CLOSE) {
      if (!Verify_Password(window)) {
        saved_cursor = windows().cursor_position();
        return 0;
      }
    } else if (Windows9x && message == WM_VERIFY_PASSWORD) {
      return Password_Check_Answer(window);
    } else if (!Password_Check_In_Progress()) {
      if (message == platform::WM_SETCURSOR) {
        windows().hide_cursor(window);
        return 1;
      }
      apply_close_rules(window, message, wparam);
    }
  }
  if (Auto_Play_Message() != 0 && message == Auto_Play_Message()) {
    close_window(window);
    return Password_Protected() ? 1 : 0;
  }
  return windows().default_window_proc(window, message, wparam, lparam);
}
