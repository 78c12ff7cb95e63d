// The Win32 password area on the system it runs on (under Wine: an NT
// family version), through the calls that exist there.
#include <gtest/gtest.h>

#include "platform/platform.h"  // before <windows.h>: see platform/window.h

#include <windows.h>

#include <string>

#include "host/mode_dispatcher.h"

namespace {

const char DESKTOP_KEY[] = "Control Panel\\Desktop";
const char TEST_VALUE[] = "Orbalune3DPasswordTestNumber";

platform::PasswordApi& password() { return platform::api().password; }

class Win32Password : public ::testing::Test {
 protected:
  void TearDown() override {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, DESKTOP_KEY, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      RegDeleteValueA(key, TEST_VALUE);
      RegCloseKey(key);
    }
  }

  static void put_desktop_value(DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, DESKTOP_KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, TEST_VALUE, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
};

TEST_F(Win32Password, an_nt_system_is_not_windows_9x_and_has_no_password_change) {
  EXPECT_FALSE(password().is_windows_9x());
  EXPECT_EQ(Dispatch_Mode("/a"), -1);
}

TEST_F(Win32Password, desktop_numbers_are_read_as_four_bytes) {
  uint32_t value = 7;
  EXPECT_FALSE(password().read_desktop_number(TEST_VALUE, &value));
  EXPECT_EQ(value, 7u);
  const DWORD number = 0x12345678;
  put_desktop_value(REG_DWORD, &number, sizeof number);
  EXPECT_TRUE(password().read_desktop_number(TEST_VALUE, &value));
  EXPECT_EQ(value, 0x12345678u);
}

TEST_F(Win32Password, libraries_and_their_functions_are_found_by_name) {
  EXPECT_EQ(password().load_library("NO_SUCH_MODULE.CPL"), nullptr);
  void* kernel = password().load_library("KERNEL32.DLL");
  ASSERT_NE(kernel, nullptr);
  EXPECT_NE(password().find_function(kernel, "GetTickCount"), nullptr);
  EXPECT_EQ(password().find_function(kernel, "VerifyScreenSavePwd"), nullptr);
  password().free_library(kernel);
}

TEST_F(Win32Password, the_auto_play_message_has_one_registered_id) {
  const uint32_t id = password().register_window_message("QueryCancelAutoPlay");
  EXPECT_GE(id, 0xC000u);
  EXPECT_EQ(password().register_window_message("QueryCancelAutoPlay"), id);
}

TEST_F(Win32Password, only_timer_messages_are_removed_from_the_queue) {
  HWND window = CreateWindowA("STATIC", "timers", 0, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_TIMER, 1, 0);
  PostMessageA(window, WM_USER, 0, 0);
  password().remove_timer_messages(reinterpret_cast<platform::WindowHandle>(window));
  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_TRUE(PeekMessageA(&message, window, WM_USER, WM_USER, PM_REMOVE));
  DestroyWindow(window);
}

}  // namespace
