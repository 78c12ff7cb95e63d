// The password area of systems that lock the screen themselves: never
// Windows 9x, and every call harmless should one be made.
#include "platform/password.h"

namespace platform::absent {

void connect_password(PasswordApi& password) {
  password.is_windows_9x = [] { return false; };
  password.read_desktop_number = [](const char*, uint32_t*) { return false; };
  password.load_library = [](const char*) -> void* { return nullptr; };
  password.find_function = [](void*, const char*) -> void* { return nullptr; };
  password.free_library = [](void*) {};
  password.call_verify = [](void*, WindowHandle) { return true; };
  password.call_change_password = [](void*, const char*, WindowHandle, uint32_t, uint32_t) {};
  password.set_screen_saver_running = [](bool) {};
  password.register_window_message = [](const char*) { return uint32_t{0}; };
  password.remove_timer_messages = [](WindowHandle) {};
}

}  // namespace platform::absent
