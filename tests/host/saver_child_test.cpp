// The drawing child's own rule for the mouse: moves in the saver's first
// second do not close it (the pointer may still settle after the start).
#include <gtest/gtest.h>

#include "../utilitylib/timer_fake_clock.h"
#include "host/saver_host.h"
#include "host/saver_window.h"
#include "platform/headless_window.h"
#include "platform/platform.h"
#include "utilitylib/timer.h"

namespace {

using platform::WindowHandle;

const char CHILD_CLASS[] = "Saver child under test";

int close_requests(WindowHandle window) {
  int count = 0;
  for (const platform::Message& m : platform::headless::posted_messages()) {
    if (m.window == window && m.message == platform::WM_CLOSE) ++count;
  }
  return count;
}

// Mouse moves reach the child's own procedure; creation and the rest take the
// default path, so that no GL context or scene is made.
intptr_t mouse_only_child_proc(WindowHandle window, uint32_t message, uintptr_t wparam,
                               intptr_t lparam) {
  if (message == platform::WM_MOUSEMOVE) return ScreenSaverChildProc(window, message, wparam, lparam);
  return ScreenSaverDefaultProc(window, message, wparam, lparam);
}

class SaverChildTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::select_backend(platform::Backend::Headless);
    platform::headless::reset();
  }
  void TearDown() override {
    SaverProgramProc = ScreenSaverProc;
    platform::headless::reset();
  }
};

TEST_F(SaverChildTest, mouse_moves_in_the_first_second_are_ignored) {
  FakeClock clock;
  platform::WindowApi& windows = platform::api().window;
  windows.register_class(platform::WindowClass{SAVER_CLASS_NAME, ScreenSaverHostProc});
  windows.register_class(platform::WindowClass{CHILD_CLASS, mouse_only_child_proc});
  SaverProgramProc = ScreenSaverDefaultProc;
  windows.set_cursor_position(platform::Point{500, 400});
  const WindowHandle main = windows.create_window(platform::WindowCreate{
      SAVER_CLASS_NAME, SAVER_TITLE, platform::WindowKind::FullScreen, 0, 0, 0, 1024, 768});
  const WindowHandle child = windows.create_window(platform::WindowCreate{
      CHILD_CLASS, "", platform::WindowKind::Child, main, 0, 0, 1024, 768});
  CTimer::Init();
  auto move = [&](int dx) {
    const platform::Point at = windows.cursor_position();
    windows.set_cursor_position(platform::Point{at.x + dx, at.y});
    windows.send_message(child, platform::WM_MOUSEMOVE, 0, 0);
  };

  clock.Advance_Ms(900);
  CTimer::Tick();
  move(50);
  EXPECT_EQ(close_requests(child) + close_requests(main), 0);

  clock.Advance_Ms(200);
  CTimer::Tick();
  move(5);
  EXPECT_EQ(close_requests(child), 1);
}

}  // namespace
