// The host's close rules, driven by synthetic messages on plain-state windows.
// The program procedure behind the host is replaced by one that records what
// reaches it and passes it to the default handler, as the saver's own does.
#include <gtest/gtest.h>

#include <vector>

#include "host/saver_host.h"
#include "host/saver_window.h"
#include "platform/headless_window.h"
#include "platform/platform.h"

namespace {

using platform::WindowHandle;

std::vector<uint32_t> program_messages;

intptr_t recording_program_proc(WindowHandle window, uint32_t message, uintptr_t wparam,
                                intptr_t lparam) {
  program_messages.push_back(message);
  return ScreenSaverDefaultProc(window, message, wparam, lparam);
}

std::vector<platform::Message> parent_messages;

intptr_t recording_parent_proc(WindowHandle, uint32_t, uintptr_t, intptr_t) { return 0; }

class SaverHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::headless::reset();
    program_messages.clear();
    SaverProgramProc = recording_program_proc;
    api().register_class(platform::WindowClass{SAVER_CLASS_NAME, ScreenSaverHostProc});
    api().register_class(platform::WindowClass{"Parent", recording_parent_proc});
    api().set_cursor_position(platform::Point{500, 400});
  }
  void TearDown() override {
    PreviewMode = false;
    HostedMode = false;
    SaverProgramProc = ScreenSaverProc;
    platform::headless::reset();
  }

  static platform::WindowApi& api() { return platform::api().window; }

  WindowHandle open_full_screen() {
    return api().create_window(platform::WindowCreate{
        SAVER_CLASS_NAME, SAVER_TITLE, platform::WindowKind::FullScreen, 0, 0, 0, 1024, 768});
  }

  WindowHandle open_preview() {
    parent = api().create_window(platform::WindowCreate{
        "Parent", "dialog", platform::WindowKind::FullScreen, 0, 0, 0, 400, 300});
    PreviewMode = true;
    return api().create_window(platform::WindowCreate{
        SAVER_CLASS_NAME, "Preview", platform::WindowKind::Child, parent, 0, 0, 152, 112});
  }

  // The pointer moves by (dx, dy) and the window hears of it.
  void move_mouse(WindowHandle window, int dx, int dy) {
    const platform::Point at = api().cursor_position();
    api().set_cursor_position(platform::Point{at.x + dx, at.y + dy});
    api().send_message(window, platform::WM_MOUSEMOVE, 0, 0);
  }

  static int close_requests(WindowHandle window) {
    int count = 0;
    for (const platform::Message& m : platform::headless::posted_messages()) {
      if (m.window == window && m.message == platform::WM_CLOSE) ++count;
    }
    return count;
  }

  WindowHandle parent = 0;
};

TEST_F(SaverHostTest, small_moves_add_up_until_they_pass_the_threshold) {
  const WindowHandle window = open_full_screen();
  move_mouse(window, 3, 0);
  EXPECT_EQ(close_requests(window), 0);
  move_mouse(window, 0, 2);
  EXPECT_EQ(close_requests(window), 1);
}

TEST_F(SaverHostTest, a_move_of_exactly_the_threshold_does_not_close) {
  const WindowHandle window = open_full_screen();
  move_mouse(window, MOUSE_THRESHOLD, 0);
  move_mouse(window, -MOUSE_THRESHOLD, 0);
  move_mouse(window, 2, -2);
  EXPECT_EQ(close_requests(window), 0);
}

// After a close request the reference point follows the pointer, so the next
// request needs another full threshold of movement.
TEST_F(SaverHostTest, the_reference_point_moves_with_each_close_request) {
  const WindowHandle window = open_full_screen();
  move_mouse(window, -5, 0);
  move_mouse(window, 4, 0);
  EXPECT_EQ(close_requests(window), 1);
  move_mouse(window, 1, 0);
  EXPECT_EQ(close_requests(window), 2);
}

TEST_F(SaverHostTest, keys_buttons_and_lost_activation_close) {
  const WindowHandle window = open_full_screen();
  int expected = 0;
  for (uint32_t message : {platform::WM_KEYDOWN, platform::WM_SYSKEYDOWN,
                           platform::WM_LBUTTONDOWN, platform::WM_RBUTTONDOWN,
                           platform::WM_MBUTTONDOWN, platform::WM_POWERBROADCAST}) {
    api().send_message(window, message, 0, 0);
    EXPECT_EQ(close_requests(window), ++expected) << message;
  }
  api().send_message(window, platform::WM_ACTIVATEAPP, 1, 0);
  EXPECT_EQ(close_requests(window), expected);
  api().send_message(window, platform::WM_ACTIVATEAPP, 0, 0);
  EXPECT_EQ(close_requests(window), expected + 1);
}

// Keys, buttons, power, lost activation and a long mouse move.
void send_every_closing_event(WindowHandle window) {
  for (uint32_t message : {platform::WM_KEYDOWN, platform::WM_LBUTTONDOWN,
                           platform::WM_RBUTTONDOWN, platform::WM_POWERBROADCAST}) {
    platform::api().window.send_message(window, message, 0, 0);
  }
  platform::api().window.send_message(window, platform::WM_ACTIVATEAPP, 0, 0);
}

TEST_F(SaverHostTest, nothing_closes_the_preview) {
  const WindowHandle window = open_preview();
  send_every_closing_event(window);
  move_mouse(window, 300, 300);
  EXPECT_EQ(close_requests(window), 0);
  EXPECT_FALSE(platform::headless::is_cursor_hidden(window));
}

// Inside a host program's window the full picture shows, with the pointer
// hidden over it, but the host program owns the input.
TEST_F(SaverHostTest, nothing_closes_a_hosted_saver) {
  HostedMode = true;
  const WindowHandle window = open_full_screen();
  send_every_closing_event(window);
  move_mouse(window, 300, 300);
  EXPECT_EQ(close_requests(window), 0);
  EXPECT_TRUE(platform::headless::is_cursor_hidden(window));
}

TEST_F(SaverHostTest, preview_passes_help_and_context_menu_to_its_parent) {
  const WindowHandle window = open_preview();
  program_messages.clear();
  EXPECT_EQ(api().send_message(window, platform::WM_HELP, 0, 77), 1);
  EXPECT_EQ(api().send_message(window, platform::WM_CONTEXTMENU, 0, 78), 1);
  std::vector<platform::Message> to_parent;
  for (const platform::Message& m : platform::headless::posted_messages()) {
    if (m.window == parent) to_parent.push_back(m);
  }
  ASSERT_EQ(to_parent.size(), 2u);
  EXPECT_EQ(to_parent[0].message, platform::WM_HELP);
  EXPECT_EQ(to_parent[0].wparam, parent);
  EXPECT_EQ(to_parent[0].lparam, 77);
  EXPECT_EQ(to_parent[1].message, platform::WM_CONTEXTMENU);
  EXPECT_TRUE(program_messages.empty());
}

TEST_F(SaverHostTest, full_screen_swallows_window_switching_and_saver_commands) {
  const WindowHandle window = open_full_screen();
  program_messages.clear();
  for (uintptr_t command :
       {platform::SC_NEXTWINDOW, platform::SC_PREVWINDOW, platform::SC_SCREENSAVE}) {
    EXPECT_EQ(api().send_message(window, platform::WM_SYSCOMMAND, command, 0), 0);
  }
  EXPECT_TRUE(program_messages.empty());
  api().send_message(window, platform::WM_SYSCOMMAND, platform::SC_MONITORPOWER, 0);
  EXPECT_EQ(program_messages.size(), 1u);
}

TEST_F(SaverHostTest, full_screen_hides_the_cursor_and_swallows_set_text) {
  const WindowHandle window = open_full_screen();
  EXPECT_TRUE(platform::headless::is_cursor_hidden(window));
  EXPECT_EQ(api().send_message(window, platform::WM_SETCURSOR, 0, 0), 1);
  program_messages.clear();
  EXPECT_EQ(api().send_message(window, platform::WM_SETTEXT, 0, 0), 0);
  EXPECT_TRUE(program_messages.empty());
}

TEST_F(SaverHostTest, close_destroys_the_window_and_ends_the_loop) {
  const WindowHandle window = open_full_screen();
  api().send_message(window, platform::WM_KEYDOWN, platform::VK_SPACE, 0);
  platform::Message message{};
  while (api().get_message(&message)) api().dispatch_message(message);
  EXPECT_EQ(message.wparam, 0u);
  EXPECT_FALSE(api().is_window(window));
}

TEST_F(SaverHostTest, a_second_full_screen_start_ends_at_once) {
  const WindowHandle running = open_full_screen();
  EXPECT_EQ(Run_Saver(0), 0);
  EXPECT_EQ(api().foreground_window(), running);
}

}  // namespace
