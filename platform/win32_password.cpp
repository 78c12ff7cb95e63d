// The saver password services of Windows 95, 98 and Me behind
// platform::PasswordApi, called exactly as those systems expect.
#include "platform/password.h"
#include "platform/win32_connect.h"  // before <windows.h>: see platform/window.h

#include <windows.h>

namespace platform::win32 {
namespace {

using VerifyFunction = BOOL(WINAPI*)(HWND);
using ChangePasswordFunction = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);

HWND to_hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

bool is_windows_9x() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool read_desktop_number(const char* name, uint32_t* value) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  DWORD number = 0;
  DWORD size = sizeof number;
  const bool read = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&number),
                                     &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  if (read) *value = number;
  return read;
}

void* load_library(const char* name) { return LoadLibraryA(name); }

void* find_function(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void free_library(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

bool call_verify(void* function, WindowHandle window) {
  return reinterpret_cast<VerifyFunction>(function)(to_hwnd(window)) != FALSE;
}

void call_change_password(void* function, const char* provider, WindowHandle owner, uint32_t flags,
                          uint32_t reserved) {
  reinterpret_cast<ChangePasswordFunction>(function)(provider, to_hwnd(owner), flags,
                                                     reinterpret_cast<LPVOID>(uintptr_t{reserved}));
}

void set_screen_saver_running(bool running) {
  BOOL previous = FALSE;
  SystemParametersInfoA(SPI_SCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
}

uint32_t register_window_message(const char* name) { return RegisterWindowMessageA(name); }

void remove_timer_messages(WindowHandle window) {
  MSG message;
  PeekMessageA(&message, to_hwnd(window), WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
}

}  // namespace

void connect_password(PasswordApi& password) {
  password = PasswordApi{
      is_windows_9x, read_desktop_number, load_library, find_function,
      free_library, call_verify, call_change_password,
      set_screen_saver_running, register_window_message, remove_timer_messages};
}

}  // namespace platform::win32
