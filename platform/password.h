// The saver password services of Windows 95, 98 and Me.
//
// Those systems leave the screen saver's password to the saver itself: it
// asks the control-panel module PASSWORD.CPL to check it before closing,
// and the network provider to change it. Every other system locks the
// screen on its own; its backend answers "not Windows 9x" and the rest of
// this area is never used there.
#pragma once

#include <cstdint>

#include "platform/gl_context.h"

namespace platform {

struct PasswordApi {
  // True on Windows 95, 98 and Me.
  bool (*is_windows_9x)();
  // Reads a 4-byte number of the per-user key "Control Panel\Desktop";
  // false when the key cannot be opened or the value cannot be read.
  bool (*read_desktop_number)(const char* name, uint32_t* value);
  // A system library by name, or null; free_library releases it.
  void* (*load_library)(const char* name);
  // An entry of a loaded library, or null.
  void* (*find_function)(void* library, const char* name);
  void (*free_library)(void* library);
  // Calls a found "VerifyScreenSavePwd" for the window; true when the
  // password was right.
  bool (*call_verify)(void* function, WindowHandle window);
  // Calls a found "PwdChangePasswordA" with the provider name, the owner
  // window and the two further (flag) arguments.
  void (*call_change_password)(void* function, const char* provider, WindowHandle owner,
                               uint32_t flags, uint32_t reserved);
  // Tells the system a screen saver is running (SPI_SCREENSAVERRUNNING),
  // which keeps task switching keys from getting past it.
  void (*set_screen_saver_running)(bool running);
  // The id of a registered window message (0 on failure).
  uint32_t (*register_window_message)(const char* name);
  // Removes the window's WM_TIMER messages waiting in the queue.
  void (*remove_timer_messages)(WindowHandle window);
};

namespace absent {
// A system without these services: never Windows 9x, every call harmless.
void connect_password(PasswordApi& password);
}  // namespace absent

}  // namespace platform
