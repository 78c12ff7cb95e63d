// The saver password of Windows 95, 98 and Me (see saver_password.h).
#include "host/saver_password.h"

#include "platform/platform.h"

bool Windows9x = false;
bool CloseConfirmed = false;

namespace {

// "VerifyScreenSavePwd" as the password area found it; called through it.
using VerifyFunction = void*;

const char DESKTOP_USE_PASSWORD[] = "ScreenSaveUsePassword";
const char PASSWORD_MODULE[] = "PASSWORD.CPL";
const char VERIFY_FUNCTION[] = "VerifyScreenSavePwd";
const char CHANGE_MODULE[] = "MPR.DLL";
const char CHANGE_FUNCTION[] = "PwdChangePasswordA";
const char SAVER_PROVIDER[] = "SCRSAVE";
const char AUTO_PLAY_MESSAGE[] = "QueryCancelAutoPlay";
// The last check time before any check. A clock still under 200 ms (just
// after the system started) would otherwise read as "checked just now".
const uint32_t NO_CHECK_YET = 0xFFFFFFFF;

bool check_in_progress = false;
void* password_module = nullptr;
VerifyFunction verify_function = nullptr;
uint32_t last_check_time = NO_CHECK_YET;
uint32_t auto_play_message = 0;

platform::PasswordApi& password() { return platform::api().password; }

uint32_t tick_count() { return platform::api().clock.get_tick_count(); }

bool checked_recently() {
  return last_check_time != NO_CHECK_YET && tick_count() - last_check_time < PASSWORD_RECHECK_MS;
}

// Timer messages that piled up would reach the program while the dialog runs.
void drop_pending_timers(platform::WindowHandle window) {
  password().remove_timer_messages(window);
  password().remove_timer_messages(window);
}

bool desktop_asks_for_password() {
  uint32_t use_password = 0;
  return password().read_desktop_number(DESKTOP_USE_PASSWORD, &use_password) && use_password != 0;
}

void load_verify_function() {
  password_module = password().load_library(PASSWORD_MODULE);
  if (!password_module) return;
  verify_function = password().find_function(password_module, VERIFY_FUNCTION);
  if (verify_function) {
    password().set_screen_saver_running(true);
  } else {
    password().free_library(password_module);
    password_module = nullptr;
  }
}

}  // namespace

void Password_Init() {
  if (!Windows9x) return;
  Password_Unload();
  if (desktop_asks_for_password()) load_verify_function();
}

void Password_Unload() {
  if (!Windows9x) return;
  if (password_module) {
    password().free_library(password_module);
    password_module = nullptr;
  }
  if (verify_function) {
    verify_function = nullptr;
    password().set_screen_saver_running(false);
  }
}

bool Verify_Password(platform::WindowHandle window) {
  if (check_in_progress || CloseConfirmed) return false;
  if (!verify_function) {
    CloseConfirmed = true;
    return true;
  }
  if (checked_recently()) return CloseConfirmed;
  check_in_progress = true;
  drop_pending_timers(window);
  platform::WindowApi& windows = platform::api().window;
  CloseConfirmed = windows.send_message(window, WM_VERIFY_PASSWORD, 0, 0) != 0;
  check_in_progress = false;
  if (!CloseConfirmed) windows.hide_cursor(window);
  last_check_time = tick_count();
  return CloseConfirmed;
}

intptr_t Password_Check_Answer(platform::WindowHandle window) {
  if (!verify_function) return 1;
  return password().call_verify(verify_function, window) ? 1 : 0;
}

bool Password_Check_In_Progress() { return check_in_progress; }

bool Password_Protected() { return verify_function != nullptr; }

void Register_Auto_Play_Message() {
  auto_play_message = Windows9x ? password().register_window_message(AUTO_PLAY_MESSAGE) : 0;
}

uint32_t Auto_Play_Message() { return auto_play_message; }

int Change_Password(platform::WindowHandle owner) {
  if (!Windows9x) return -1;
  void* module = password().load_library(CHANGE_MODULE);
  if (!module) return 0;
  if (void* change = password().find_function(module, CHANGE_FUNCTION)) {
    password().call_change_password(change, SAVER_PROVIDER, owner, 0, 0);
  }
  password().free_library(module);
  return 0;
}

void Reset_Password_State() {
  Password_Unload();
  Windows9x = false;
  CloseConfirmed = false;
  check_in_progress = false;
  last_check_time = NO_CHECK_YET;
  auto_play_message = 0;
}
