// The Win32 window backend's translation of system messages for the saver's
// procedures.
#include <gtest/gtest.h>

#include "platform/platform.h"  // before <windows.h>: see platform/window.h

#include <windows.h>

namespace {

intptr_t activation_lparam = -1;

intptr_t record_activation(platform::WindowHandle window, uint32_t message, uintptr_t wparam,
                           intptr_t lparam) {
  if (message == WM_ACTIVATEAPP) activation_lparam = lparam;
  return platform::api().window.default_window_proc(window, message, wparam, lparam);
}

// Win32 names the thread that takes the activation; the saver compares the
// process with its music player's, so the backend must hand on the process.
TEST(Win32Window, losing_the_activation_names_the_process_that_takes_it) {
  HWND parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  ASSERT_TRUE(platform::select_backend(platform::Backend::Native));
  platform::WindowApi& windows = platform::api().window;
  ASSERT_TRUE(windows.register_class({"Orbalune3DActivationTest", record_activation}));
  const platform::WindowHandle child = windows.create_window(
      {"Orbalune3DActivationTest", "child", platform::WindowKind::Child,
       reinterpret_cast<platform::WindowHandle>(parent), 0, 0, 50, 50});
  ASSERT_NE(child, 0u) << windows.last_error();
  SendMessageA(reinterpret_cast<HWND>(child), WM_ACTIVATEAPP, FALSE, GetCurrentThreadId());
  EXPECT_EQ(activation_lparam, intptr_t(GetCurrentProcessId()));
  windows.destroy_window(child);
  DestroyWindow(parent);
  platform::select_backend(platform::Backend::Headless);
}

}  // namespace
