// The window rules the saver relies on, on plain-state windows: creation
// order, refusal in WM_CREATE, destruction parent first, posted messages
// before paints, the quit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless_window.h"
#include "platform/platform.h"

namespace {

using platform::WindowHandle;

std::vector<std::string> heard;
bool refuse_creation = false;

intptr_t recording_proc(WindowHandle window, uint32_t message, uintptr_t, intptr_t) {
  const std::string who = platform::headless::window_title(window);
  switch (message) {
    case platform::WM_CREATE:
      heard.push_back(who + " create");
      return refuse_creation ? -1 : 0;
    case platform::WM_SIZE: heard.push_back(who + " size"); break;
    case platform::WM_DESTROY: heard.push_back(who + " destroy"); break;
    case platform::WM_PAINT:
      heard.push_back(who + " paint");
      platform::api().window.validate(window);
      break;
    case platform::WM_APP: heard.push_back(who + " app"); break;
    default: break;
  }
  return 0;
}

class HeadlessWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::headless::reset();
    heard.clear();
    refuse_creation = false;
    api().register_class(platform::WindowClass{"Recorder", recording_proc});
  }
  void TearDown() override { platform::headless::reset(); }

  static platform::WindowApi& api() { return platform::api().window; }

  static WindowHandle open(const char* title, WindowHandle parent) {
    return api().create_window(platform::WindowCreate{
        "Recorder", title,
        parent ? platform::WindowKind::Child : platform::WindowKind::FullScreen, parent, 0, 0,
        64, 48});
  }
};

TEST_F(HeadlessWindowTest, size_follows_create_and_a_refusal_destroys_again) {
  ASSERT_NE(open("main", 0), 0u);
  EXPECT_EQ(heard, (std::vector<std::string>{"main create", "main size"}));
  heard.clear();
  refuse_creation = true;
  EXPECT_EQ(open("refused", 0), 0u);
  EXPECT_EQ(heard, (std::vector<std::string>{"refused create", "refused destroy"}));
}

// A new size is posted as one WM_SIZE; the same size again posts nothing.
TEST_F(HeadlessWindowTest, resizing_posts_one_size_message_per_change) {
  const WindowHandle window = open("main", 0);
  api().resize_window(window, platform::Size{64, 48});
  EXPECT_TRUE(platform::headless::posted_messages().empty());
  api().resize_window(window, platform::Size{200, 100});
  api().resize_window(window, platform::Size{200, 100});
  const std::vector<platform::Message> posted = platform::headless::posted_messages();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].message, platform::WM_SIZE);
  EXPECT_EQ(posted[0].lparam, platform::make_lparam(200, 100));
  EXPECT_EQ(api().client_size(window).width, 200);
}

TEST_F(HeadlessWindowTest, unknown_classes_and_parents_are_refused) {
  EXPECT_EQ(api().create_window(platform::WindowCreate{
                "Nobody", "x", platform::WindowKind::FullScreen, 0, 0, 0, 1, 1}),
            0u);
  EXPECT_EQ(api().last_error(), platform::headless::ERROR_CANNOT_FIND_WND_CLASS);
  EXPECT_EQ(open("orphan", 12345), 0u);
  EXPECT_FALSE(api().register_class(platform::WindowClass{"Recorder", recording_proc}));
  EXPECT_EQ(api().last_error(), platform::headless::ERROR_CLASS_ALREADY_EXISTS);
}

TEST_F(HeadlessWindowTest, a_window_hears_destroy_before_its_children) {
  const WindowHandle main = open("main", 0);
  const WindowHandle child = open("child", main);
  heard.clear();
  api().destroy_window(main);
  EXPECT_EQ(heard, (std::vector<std::string>{"main destroy", "child destroy"}));
  EXPECT_FALSE(api().is_window(child));
}

TEST_F(HeadlessWindowTest, posted_messages_come_before_paints_and_quit_ends_the_loop) {
  const WindowHandle main = open("main", 0);
  heard.clear();
  api().post_message(main, platform::WM_APP, 0, 0);
  api().post_message(main, platform::WM_APP, 0, 0);
  platform::Message message{};
  for (int i = 0; i < 3 && api().get_message(&message); ++i) api().dispatch_message(message);
  EXPECT_EQ(heard, (std::vector<std::string>{"main app", "main app", "main paint"}));
  api().post_quit_message(7);
  EXPECT_FALSE(api().get_message(&message));
  EXPECT_EQ(message.wparam, 7u);
  EXPECT_FALSE(api().post_message(main + 999, platform::WM_APP, 0, 0));
}

TEST_F(HeadlessWindowTest, lparam_packs_signed_16_bit_pairs) {
  const intptr_t packed = platform::make_lparam(-3, 700);
  EXPECT_EQ(platform::lparam_low(packed), -3);
  EXPECT_EQ(platform::lparam_high(packed), 700);
}

}  // namespace
