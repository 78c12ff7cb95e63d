// The saver's start-up, frames and shut-down on plain-state windows with the
// offscreen GL context: the 8-bit refusal, the fatal-error report, the
// option repairs, and a whole run ended by SIGTERM.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <thread>

#include "config/options.h"
#include "host/saver_host.h"
#include "host/saver_window.h"
#include "platform/headless_window.h"
#include "platform/platform.h"
#include "support/death_message.h"
#include "support/temp_folder.h"
#include "utilitylib/utility.h"

namespace {

bool context_requested = false;

bool refusing_context(platform::WindowHandle, int, int, const platform::ContextRequest&,
                      platform::ContextInfo* info) {
  context_requested = true;
  info->failed_call = "wglCreateContext";
  info->error = 7;
  return false;
}

// The box answered at once: its caption and text go to standard error, where
// the tests read them (a real box on Windows would wait for a click).
void answered_message_box(const char* text, const char* caption, platform::MessageBoxIcon) {
  fprintf(stderr, "%s: %s\n", caption, text);
}

class SaverWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::select_backend(platform::Backend::Headless);
    platform::headless::reset();
    context_requested = false;
    saved_message_box = platform::api().system.message_box;
    platform::api().system.message_box = answered_message_box;
  }
  void TearDown() override {
    platform::api().system.message_box = saved_message_box;
    platform::headless::reset();
  }

  void (*saved_message_box)(const char*, const char*, platform::MessageBoxIcon) = nullptr;
};

TEST_F(SaverWindowTest, an_8_bit_desktop_is_refused_without_a_gl_context) {
  platform::headless::set_screen(platform::Size{800, 600}, 8);
  platform::api().context.create = refusing_context;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Run_Saver(0), 0);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Orbalune 3D: Sorry. Your desktop is set to 256 colors.\n"
                     "This screensaver requires at least 16 bits"),
            std::string::npos)
      << err;
  EXPECT_FALSE(context_requested);
}

TEST_F(SaverWindowTest, a_16_bit_desktop_goes_on_to_the_gl_context) {
  platform::headless::set_screen(platform::Size{800, 600}, 16);
  platform::api().context.create = refusing_context;
  EXPECT_EXIT(Run_Saver(0), ::testing::ExitedWithCode(1),
              "Orbalune 3D: wglCreateContext failed: Error 7\\.");
}

TEST_F(SaverWindowTest, a_failed_call_is_fatal_with_its_name_and_code) {
  Check_Api_Result(5, 0, "RegisterClass", 1410);
  EXPECT_EXIT(Check_Api_Result(0, 0, "RegisterClass", 1410), ::testing::ExitedWithCode(1),
              "RegisterClass failed: Error 1410\\.");
  EXPECT_EXIT(Check_Api_Result(0, 0, nullptr, 0), ::testing::ExitedWithCode(1),
              "saver_window " ASSERTION_LINE_RE " Assert: function_name != NULL");
}

TEST_F(SaverWindowTest, start_up_counts_the_start_and_repairs_the_sun_colour) {
  COptions::SunColorEnum.Set(5);
  const int usage = COptions::UsageCount.Get();
  platform::headless::set_screen(platform::Size{800, 600}, 8);
  ::testing::internal::CaptureStderr();
  Run_Saver(0);
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(COptions::SunColorEnum.Get(), 2);
  EXPECT_EQ(COptions::UsageCount.Get(), usage + 1);
}

// Frames run until SIGTERM, which closes through the normal shut-down, in
// its order.
TEST_F(SaverWindowTest, sigterm_ends_a_running_saver_through_its_shut_down) {
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
        // Without exit handlers: leak checks of a forked child with threads
        // report the sanitizer runtime's own buffers. The program's leak
        // check runs in the end-to-end tests.
        platform::exit_process(code == 0 ? 0 : 3);
      },
      ::testing::ExitedWithCode(0), "");
  const std::string log = read_text_file(CUtility::Log_File_Path());
  const size_t destroy = log.find("ScreenSaverChildProc:WM_DESTROY\n");
  ASSERT_NE(destroy, std::string::npos) << log;
  const size_t frames = log.find(" frames rendered\n", destroy);
  ASSERT_NE(frames, std::string::npos);
  EXPECT_LT(frames, log.find("  Average framerate = ", destroy));
  EXPECT_EQ(log.find("  0 frames rendered"), std::string::npos);
  // The worker fills buffers that the cloud layer and the backdrop take;
  // those objects, the frame driver and the buffers nobody took may only go
  // once it has stopped, or it could write into freed memory or publish a
  // buffer that nothing frees any more.
  size_t at = destroy;
  for (const char* step : {"CTextureMgr::Close\n", "CSmartObjectMgr::Close\n", "CRender::Close\n",
                           "CCloudLayer::Prevent_Memory_Leak\n",
                           "CSpaceBackdrop::Prevent_Memory_Leak\n"}) {
    const size_t next = log.find(step, at);
    ASSERT_NE(next, std::string::npos) << step << " missing or out of order in\n"
                                       << log.substr(destroy);
    at = next;
  }
}

}  // namespace
