// The command-line grammar of the screensaver switches, and what each mode
// returns when its window is missing or the mode does not exist here.
#include <gtest/gtest.h>

#include "host/mode_dispatcher.h"
#include "platform/headless_window.h"
#include "platform/platform.h"

namespace {

platform::WindowHandle make_window() {
  platform::api().window.register_class(
      platform::WindowClass{"TestOwner", platform::api().window.default_window_proc});
  return platform::api().window.create_window(platform::WindowCreate{
      "TestOwner", "owner", platform::WindowKind::FullScreen, 0, 0, 0, 100, 100});
}

TEST(mode_dispatcher, full_screen_switch_in_every_spelling) {
  for (const char* text : {"/s", "-s", "/S", "s", "   /s", "- /s", "/s extra"}) {
    EXPECT_EQ(Parse_Mode(text).mode, SaverMode::FullScreen) << text;
  }
}

TEST(mode_dispatcher, preview_reads_the_handle_with_or_without_blanks) {
  for (const char* text : {"/p 1234", "/p1234", "-P   1234", "/l 1234", "/L1234x"}) {
    const ModeRequest request = Parse_Mode(text);
    EXPECT_EQ(request.mode, SaverMode::Preview) << text;
    EXPECT_EQ(request.window, 1234u) << text;
  }
  EXPECT_EQ(Parse_Mode("/p").window, 0u);
  EXPECT_EQ(Parse_Mode("/p -5").window, 0u);
}

TEST(mode_dispatcher, configure_with_and_without_owner) {
  EXPECT_EQ(Parse_Mode("").mode, SaverMode::Configure);
  EXPECT_EQ(Parse_Mode(nullptr).mode, SaverMode::Configure);
  EXPECT_EQ(Parse_Mode("  ").mode, SaverMode::Configure);
  EXPECT_EQ(Parse_Mode("/c").mode, SaverMode::Configure);
  EXPECT_EQ(Parse_Mode("/c").window, 0u);
  EXPECT_EQ(Parse_Mode("/c:5678").window, 5678u);
  EXPECT_EQ(Parse_Mode("/C:").window, 0u);
  // Only a colon introduces the owner.
  EXPECT_EQ(Parse_Mode("/c 5678").window, 0u);
}

TEST(mode_dispatcher, other_letters_are_invalid) {
  for (const char* text : {"/x", "x", "/?", "/1", "/\xe4"}) {
    EXPECT_EQ(Parse_Mode(text).mode, SaverMode::Invalid) << text;
  }
  EXPECT_EQ(Parse_Mode("/a 12").mode, SaverMode::ChangePassword);
}

TEST(mode_dispatcher, unusable_modes_give_minus_one) {
  platform::headless::reset();
  EXPECT_EQ(Dispatch_Mode("/x"), -1);
  EXPECT_EQ(Dispatch_Mode("/p"), -1);
  EXPECT_EQ(Dispatch_Mode("/p 0"), -1);
  EXPECT_EQ(Dispatch_Mode("/p 987654"), -1);
  EXPECT_EQ(Dispatch_Mode("/p 99999999999999999999999999"), -1);
  EXPECT_EQ(Dispatch_Mode("/a"), -1);
  EXPECT_EQ(Dispatch_Mode("/a 5"), -1);
}

TEST(mode_dispatcher, configuration_owner_falls_back_to_the_foreground_window) {
  platform::headless::reset();
  const platform::WindowHandle owner = make_window();
  const platform::WindowHandle foreground = make_window();
  platform::api().window.set_foreground_window(foreground);
  EXPECT_EQ(Configuration_Owner(owner), owner);
  EXPECT_EQ(Configuration_Owner(0), foreground);
  EXPECT_EQ(Configuration_Owner(owner + 1000), foreground);
}

TEST(mode_dispatcher, only_run_modes_need_the_window_system) {
  EXPECT_TRUE(Needs_Window_System(SaverMode::FullScreen));
  EXPECT_TRUE(Needs_Window_System(SaverMode::Preview));
  EXPECT_FALSE(Needs_Window_System(SaverMode::Configure));
  EXPECT_FALSE(Needs_Window_System(SaverMode::Invalid));
}

}  // namespace
