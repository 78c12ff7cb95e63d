// The saver password of Windows 95, 98 and Me, on a fake system that says
// it is one: a fake PASSWORD.CPL whose check answers as the test decides, a
// fake MPR.DLL, and a clock the test moves by hand.
#include "host/saver_password.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/mode_dispatcher.h"
#include "host/saver_host.h"
#include "host/saver_window.h"
#include "platform/headless_window.h"
#include "platform/platform.h"

namespace {

using platform::WindowHandle;

// What the fake system holds and what was asked of it.
struct FakeSystem {
  bool desktop_key = true;
  bool use_password_value = true;
  uint32_t use_password = 1;
  bool password_module = true;
  bool verify_export = true;
  bool verify_answer = false;
  uint32_t now_ms = 10000;
  int verify_calls = 0;
  int timer_removals = 0;
  int timer_removals_before_check = -1;
  std::vector<std::string> loaded, freed;
  std::vector<bool> running_switches;
  std::vector<WindowHandle> hidden_cursors;
  std::string change_provider;
  WindowHandle change_owner = 0;
  std::vector<uint32_t> change_arguments;
  WindowHandle verified_window = 0;
  // Sent to the window from inside the check, as if the user typed in it.
  uint32_t input_during_check = 0;
};

FakeSystem fake;

int verify_function_tag, change_function_tag;
const uint32_t AUTO_PLAY_ID = 0xC123;

bool is_windows_9x() { return true; }

bool read_desktop_number(const char* name, uint32_t* value) {
  if (!fake.desktop_key || !fake.use_password_value) return false;
  if (std::string(name) != "ScreenSaveUsePassword") return false;
  *value = fake.use_password;
  return true;
}

// Module handles are the names' own texts, so the test can tell them apart.
void* load_library(const char* name) {
  const std::string module(name);
  if (module == "PASSWORD.CPL" && !fake.password_module) return nullptr;
  if (module != "PASSWORD.CPL" && module != "MPR.DLL") return nullptr;
  fake.loaded.push_back(module);
  return const_cast<char*>(module == "MPR.DLL" ? "MPR.DLL" : "PASSWORD.CPL");
}

void* find_function(void* library, const char* name) {
  const std::string module(static_cast<const char*>(library)), function(name);
  if (module == "PASSWORD.CPL" && function == "VerifyScreenSavePwd" && fake.verify_export) {
    return &verify_function_tag;
  }
  if (module == "MPR.DLL" && function == "PwdChangePasswordA") return &change_function_tag;
  return nullptr;
}

void free_library(void* library) { fake.freed.emplace_back(static_cast<const char*>(library)); }

bool call_verify(void* function, WindowHandle window) {
  EXPECT_EQ(function, &verify_function_tag);
  ++fake.verify_calls;
  fake.verified_window = window;
  fake.timer_removals_before_check = fake.timer_removals;
  if (fake.input_during_check)
    platform::api().window.send_message(window, fake.input_during_check, 0, 0);
  return fake.verify_answer;
}

void call_change_password(void* function, const char* provider, WindowHandle owner, uint32_t flags,
                          uint32_t reserved) {
  EXPECT_EQ(function, &change_function_tag);
  fake.change_provider = provider;
  fake.change_owner = owner;
  fake.change_arguments = {flags, reserved};
}

void set_screen_saver_running(bool running) { fake.running_switches.push_back(running); }

uint32_t register_window_message(const char* name) {
  return std::string(name) == "QueryCancelAutoPlay" ? AUTO_PLAY_ID : 0;
}

void remove_timer_messages(WindowHandle) { ++fake.timer_removals; }

uint32_t get_tick_count() { return fake.now_ms; }

void hide_cursor(WindowHandle window) { fake.hidden_cursors.push_back(window); }

std::vector<uint32_t> program_messages;

intptr_t recording_program_proc(WindowHandle window, uint32_t message, uintptr_t wparam,
                                intptr_t lparam) {
  program_messages.push_back(message);
  return ScreenSaverDefaultProc(window, message, wparam, lparam);
}

class SaverPasswordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = platform::api();
    platform::headless::reset();
    fake = FakeSystem{};
    program_messages.clear();
    platform::api().password = platform::PasswordApi{
        is_windows_9x, read_desktop_number, load_library, find_function,
        free_library, call_verify, call_change_password,
        set_screen_saver_running, register_window_message, remove_timer_messages};
    platform::api().clock.get_tick_count = get_tick_count;
    platform::api().window.hide_cursor = hide_cursor;
    SaverProgramProc = recording_program_proc;
    Windows9x = true;
    api().register_class(platform::WindowClass{SAVER_CLASS_NAME, ScreenSaverHostProc});
    api().set_cursor_position(platform::Point{500, 400});
  }
  void TearDown() override {
    Reset_Password_State();
    SaverProgramProc = ScreenSaverProc;
    platform::headless::reset();
    platform::api() = saved;
  }

  static platform::WindowApi& api() { return platform::api().window; }

  // A full-screen saver started as Run_Saver starts it, password first.
  WindowHandle start_full_screen() {
    Password_Init();
    Register_Auto_Play_Message();
    return api().create_window(platform::WindowCreate{
        SAVER_CLASS_NAME, SAVER_TITLE, platform::WindowKind::FullScreen, 0, 0, 0, 1024, 768});
  }

  static int close_requests(WindowHandle window) {
    int count = 0;
    for (const platform::Message& m : platform::headless::posted_messages()) {
      if (m.window == window && m.message == platform::WM_CLOSE) ++count;
    }
    return count;
  }

  static intptr_t close(WindowHandle window) {
    return api().send_message(window, platform::WM_CLOSE, 0, 0);
  }

  platform::Platform saved{};
};

TEST_F(SaverPasswordTest, init_loads_the_check_when_the_desktop_asks_for_a_password) {
  start_full_screen();
  EXPECT_TRUE(Password_Protected());
  EXPECT_EQ(fake.loaded, std::vector<std::string>{"PASSWORD.CPL"});
  EXPECT_EQ(fake.running_switches, std::vector<bool>{true});
  Password_Unload();
  EXPECT_FALSE(Password_Protected());
  EXPECT_EQ(fake.freed, std::vector<std::string>{"PASSWORD.CPL"});
  EXPECT_EQ(fake.running_switches, (std::vector<bool>{true, false}));
}

TEST_F(SaverPasswordTest, init_without_password_setting_or_module_gives_no_protection) {
  const auto no_protection = [](const char* what) {
    Password_Init();
    EXPECT_FALSE(Password_Protected()) << what;
    EXPECT_TRUE(fake.running_switches.empty()) << what;
    EXPECT_EQ(fake.loaded.size(), fake.freed.size()) << what << ": a module stays loaded";
  };
  fake.desktop_key = false;
  no_protection("no desktop key");
  fake = FakeSystem{};
  fake.use_password_value = false;
  no_protection("no ScreenSaveUsePassword");
  fake = FakeSystem{};
  fake.use_password = 0;
  no_protection("ScreenSaveUsePassword 0");
  EXPECT_TRUE(fake.loaded.empty());
  fake = FakeSystem{};
  fake.password_module = false;
  no_protection("no PASSWORD.CPL");
  fake = FakeSystem{};
  fake.verify_export = false;
  no_protection("PASSWORD.CPL without VerifyScreenSavePwd");
  EXPECT_EQ(fake.freed, std::vector<std::string>{"PASSWORD.CPL"});
}

TEST_F(SaverPasswordTest, a_second_init_unloads_the_first_check) {
  Password_Init();
  Password_Init();
  EXPECT_EQ(fake.freed, std::vector<std::string>{"PASSWORD.CPL"});
  EXPECT_EQ(fake.running_switches, (std::vector<bool>{true, false, true}));
}

TEST_F(SaverPasswordTest, a_rejected_password_keeps_the_saver_up_from_where_the_cursor_was) {
  const WindowHandle window = start_full_screen();
  api().set_cursor_position(platform::Point{700, 400});
  fake.hidden_cursors.clear();
  EXPECT_EQ(close(window), 0);
  EXPECT_TRUE(api().is_window(window));
  EXPECT_FALSE(CloseConfirmed);
  EXPECT_EQ(fake.verify_calls, 1);
  EXPECT_EQ(fake.verified_window, window);
  EXPECT_EQ(fake.hidden_cursors, std::vector<WindowHandle>{window});
  // Measured from the pointer at the rejection, 3 pixels do not ask again.
  api().set_cursor_position(platform::Point{703, 400});
  api().send_message(window, platform::WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(close_requests(window), 0);
}

TEST_F(SaverPasswordTest, the_check_is_asked_again_only_after_200_ms) {
  const WindowHandle window = start_full_screen();
  close(window);
  fake.now_ms += PASSWORD_RECHECK_MS - 1;
  EXPECT_EQ(close(window), 0);
  EXPECT_EQ(fake.verify_calls, 1);
  fake.now_ms += 1;
  fake.verify_answer = true;
  close(window);
  EXPECT_EQ(fake.verify_calls, 2);
  EXPECT_FALSE(api().is_window(window));
}

TEST_F(SaverPasswordTest, the_first_check_is_not_held_back_by_a_clock_near_zero) {
  fake.now_ms = 50;
  const WindowHandle window = start_full_screen();
  close(window);
  EXPECT_EQ(fake.verify_calls, 1);
}

TEST_F(SaverPasswordTest, pending_timers_go_and_input_is_ignored_while_the_check_runs) {
  const WindowHandle window = start_full_screen();
  fake.input_during_check = platform::WM_KEYDOWN;
  close(window);
  EXPECT_EQ(fake.timer_removals_before_check, 2);
  EXPECT_EQ(close_requests(window), 0);
  EXPECT_FALSE(Password_Check_In_Progress());
}

TEST_F(SaverPasswordTest, an_accepted_password_closes_and_input_is_no_longer_interpreted) {
  const WindowHandle window = start_full_screen();
  fake.verify_answer = true;
  close(window);
  EXPECT_TRUE(CloseConfirmed);
  EXPECT_FALSE(api().is_window(window));

  const WindowHandle next = start_full_screen();
  program_messages.clear();
  for (uint32_t message : {platform::WM_KEYDOWN, platform::WM_MOUSEMOVE, platform::WM_LBUTTONDOWN,
                           platform::WM_TIMER, platform::WM_PAINT}) {
    api().send_message(next, message, 0, 0);
  }
  EXPECT_TRUE(program_messages.empty());
  EXPECT_EQ(close_requests(next), 0);
  close(next);
  EXPECT_EQ(fake.verify_calls, 1);
}

TEST_F(SaverPasswordTest, without_a_check_the_saver_closes_at_once) {
  fake.use_password = 0;
  const WindowHandle window = start_full_screen();
  close(window);
  EXPECT_EQ(fake.verify_calls, 0);
  EXPECT_TRUE(CloseConfirmed);
  EXPECT_FALSE(api().is_window(window));
}

TEST_F(SaverPasswordTest, the_verify_message_answers_with_the_check) {
  const WindowHandle window = start_full_screen();
  EXPECT_EQ(api().send_message(window, WM_VERIFY_PASSWORD, 0, 0), 0);
  fake.verify_answer = true;
  EXPECT_EQ(api().send_message(window, WM_VERIFY_PASSWORD, 0, 0), 1);
  Password_Unload();
  fake.verify_answer = false;
  EXPECT_EQ(api().send_message(window, WM_VERIFY_PASSWORD, 0, 0), 1);
  EXPECT_EQ(fake.verify_calls, 2);
}

TEST_F(SaverPasswordTest, auto_play_closes_and_is_cancelled_only_under_a_password) {
  const WindowHandle window = start_full_screen();
  EXPECT_EQ(api().send_message(window, AUTO_PLAY_ID, 0, 0), 1);
  EXPECT_EQ(close_requests(window), 1);
  Password_Unload();
  EXPECT_EQ(api().send_message(window, AUTO_PLAY_ID, 0, 0), 0);
  EXPECT_EQ(close_requests(window), 2);
}

TEST_F(SaverPasswordTest, nothing_of_the_password_happens_elsewhere) {
  Windows9x = false;
  const WindowHandle window = start_full_screen();
  EXPECT_TRUE(fake.loaded.empty());
  EXPECT_EQ(api().send_message(window, AUTO_PLAY_ID, 0, 0), 0);
  EXPECT_EQ(api().send_message(window, WM_VERIFY_PASSWORD, 0, 0), 0);
  EXPECT_EQ(close_requests(window), 0);
  close(window);
  EXPECT_EQ(fake.verify_calls, 0);
  EXPECT_FALSE(CloseConfirmed);
  EXPECT_FALSE(api().is_window(window));
}

TEST_F(SaverPasswordTest, change_password_calls_the_network_provider_with_the_owner) {
  const WindowHandle owner = api().create_window(platform::WindowCreate{
      SAVER_CLASS_NAME, "Display", platform::WindowKind::FullScreen, 0, 0, 0, 400, 300});
  EXPECT_EQ(Dispatch_Mode(("/a " + std::to_string(owner)).c_str()), 0);
  EXPECT_EQ(fake.change_provider, "SCRSAVE");
  EXPECT_EQ(fake.change_owner, owner);
  EXPECT_EQ(fake.change_arguments, (std::vector<uint32_t>{0, 0}));
  EXPECT_EQ(fake.loaded, std::vector<std::string>{"MPR.DLL"});
  EXPECT_EQ(fake.freed, std::vector<std::string>{"MPR.DLL"});
}

TEST_F(SaverPasswordTest, change_password_without_a_window_uses_the_foreground_one) {
  const WindowHandle owner = api().create_window(platform::WindowCreate{
      SAVER_CLASS_NAME, "Display", platform::WindowKind::FullScreen, 0, 0, 0, 400, 300});
  api().set_foreground_window(owner);
  EXPECT_EQ(Dispatch_Mode("-A"), 0);
  EXPECT_EQ(fake.change_owner, owner);
}

TEST_F(SaverPasswordTest, change_password_is_invalid_elsewhere) {
  platform::api().password.is_windows_9x = [] { return false; };
  EXPECT_EQ(Dispatch_Mode("/a 0"), -1);
  EXPECT_TRUE(fake.loaded.empty());
}

}  // namespace
