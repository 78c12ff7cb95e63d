// The drawing child's own rules: mouse moves in the saver's first second do
// not close it (the pointer may still settle after the start), and the
// shut-down stops the texture worker before anything it fills is freed.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "../utilitylib/timer_fake_clock.h"
#include "config/options.h"
#include "host/saver_host.h"
#include "host/saver_window.h"
#include "platform/headless_window.h"
#include "platform/platform.h"
#include "support/temp_folder.h"
#include "utilitylib/timer.h"
#include "utilitylib/utility.h"

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

// The worker fills buffers that the cloud layer and the backdrop take; those
// objects, the frame driver and the buffers nobody took may only go once it
// has stopped, or it could write into freed memory or publish a buffer that
// nothing frees any more.
TEST_F(SaverChildTest, shut_down_stops_the_worker_before_freeing_what_it_fills) {
  COptions::ReleaseLogging.Set(true);
  platform::headless::set_screen(platform::Size{320, 240}, 24);
  EXPECT_EXIT(
      {
        std::thread terminator([] {
          sleep(1);
          kill(getpid(), SIGTERM);
        });
        const int code = Run_Saver(0);
        terminator.join();
        platform::exit_process(code == 0 ? 0 : 3);
      },
      ::testing::ExitedWithCode(0), "");
  COptions::ReleaseLogging.Reset_To_Default();
  const std::string log = read_file(CUtility::Log_File_Path());
  const size_t destroy = log.find("ScreenSaverChildProc:WM_DESTROY\n");
  ASSERT_NE(destroy, std::string::npos) << log;
  size_t at = destroy;
  for (const char* step : {"CTextureMgr::Close\n", "CSmartObjectMgr::Close\n", "CRender::Close\n",
                           "CCloudLayer::Prevent_Memory_Leak\n",
                           "CSpaceBackdrop::Prevent_Memory_Leak\n"}) {
    const size_t next = log.find(step, at);
    EXPECT_NE(next, std::string::npos) << step << " missing or out of order in\n"
                                       << log.substr(destroy);
    if (next != std::string::npos) at = next;
  }
}

}  // namespace
