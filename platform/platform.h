// The one table through which portable code reaches the operating system.
//
// Each area is a small struct of function pointers declared in its own header
// and filled by one backend's connect function. Portable code calls
// platform::api().<area>.<function>; tests may swap a single entry to inject
// a failure or a fake clock (tests/support/platform_override.h).
#pragma once

#include <cstdlib>

#include "platform/clock.h"
#include "platform/system.h"
#include "platform/store.h"
#include "platform/resources.h"
#include "platform/window.h"
#include "platform/gl_context.h"
#include "platform/shell.h"
#include "platform/dialog.h"
#include "platform/password.h"

namespace platform {

struct Platform {
  ClockApi clock;
  SystemApi system;
  StoreApi store;
  ResourceApi resources;
  WindowApi window;
  ContextApi context;
  ShellApi shell;
  DialogApi dialog;
  PasswordApi password;
};

// Window-system backends. Native is the desktop's own: X11 with GLX on
// Linux, Win32 with WGL on Windows. Headless has no windows of its own and
// renders offscreen (EGL on Linux, a WGL pbuffer on Windows); it is what
// tests and snapshots use.
enum class Backend { Native, Headless };

// The process-wide table. On first use every area is connected to its
// backend for this system and windows to Headless; safe to call during
// static construction.
Platform& api();

// Connects the window and GL-context areas to the given backend. Returns false
// (and reports why) when the backend cannot be used, for example no display.
bool select_backend(Backend backend);

// Fills the table with this system's offscreen contexts (what Headless
// uses), for code that keeps a context of its own beside the process's.
void connect_offscreen_context(ContextApi& context);

// Ends the process through the system area; never returns, even when a test
// has put a returning fake in its place.
[[noreturn]] inline void exit_process(int code) {
  api().system.exit_process(code);
  std::_Exit(code);
}

}  // namespace platform
