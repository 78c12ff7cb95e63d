// CResolution: the getters hand out what was set, and refuse unset or
// non-positive values with the assertion report.
#include <gtest/gtest.h>

#include "host/resolution.h"
#include "platform/headless_window.h"
#include "support/death_message.h"

namespace {

TEST(resolution, preview_window_inside_a_larger_screen) {
  platform::headless::set_screen(platform::Size{1024, 768}, 24);
  CResolution::Init_Screen_Dimensions();
  CResolution::Set_Window_Dimensions(152, 112);
  EXPECT_EQ(CResolution::Get_Screen_Width(), 1024);
  EXPECT_EQ(CResolution::Get_Screen_Height(), 768);
  EXPECT_EQ(CResolution::Get_Window_Width(), 152);
  EXPECT_EQ(CResolution::Get_Window_Height(), 112);
  EXPECT_DOUBLE_EQ(CResolution::Get_Window_Aspect_Ratio(), 152.0 / 112.0);
}

TEST(resolution, bits_per_pixel_round_trip) {
  CResolution::Set_Bits_Per_Pixel(16);
  EXPECT_EQ(CResolution::Get_Bits_Per_Pixel(), 16);
}

TEST(resolution_death, zero_sized_window_is_refused) {
  EXPECT_EXIT(CResolution::Set_Window_Dimensions(0, 10), ::testing::ExitedWithCode(1),
              "resolution " ASSERTION_LINE_RE " Assert: width > 0");
  EXPECT_EXIT(CResolution::Set_Window_Dimensions(10, -1), ::testing::ExitedWithCode(1),
              "resolution " ASSERTION_LINE_RE " Assert: height > 0");
  EXPECT_EXIT(CResolution::Set_Bits_Per_Pixel(0), ::testing::ExitedWithCode(1),
              "resolution " ASSERTION_LINE_RE " Assert: bpp > 0");
}

// Each getter in a freshly started process, before anything was set.
TEST(resolution_death, getters_refuse_unset_values) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(CResolution::Get_Screen_Width(), ::testing::ExitedWithCode(1),
              "Assert: ScreenWidth > 0");
  EXPECT_EXIT(CResolution::Get_Screen_Height(), ::testing::ExitedWithCode(1),
              "Assert: ScreenHeight > 0");
  EXPECT_EXIT(CResolution::Get_Window_Width(), ::testing::ExitedWithCode(1),
              "Assert: WindowWidth > 0");
  EXPECT_EXIT(CResolution::Get_Window_Height(), ::testing::ExitedWithCode(1),
              "Assert: WindowHeight > 0");
  EXPECT_EXIT(CResolution::Get_Window_Aspect_Ratio(), ::testing::ExitedWithCode(1),
              "Assert: WindowHeight > 0");
}

}  // namespace
