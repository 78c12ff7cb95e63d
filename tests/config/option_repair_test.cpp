// The rules by which start-up repairs stored options that readers could not
// use: factors, colour modes, the settings page and the count of starts.
#include "config/option_repair.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>

namespace {

using namespace option_repair;

const int32_t INT_MAX_32 = std::numeric_limits<int32_t>::max();
const int32_t INT_MIN_32 = std::numeric_limits<int32_t>::min();

float float_of(uint32_t bits) { return std::bit_cast<float>(bits); }
uint32_t bits_of(float value) { return std::bit_cast<uint32_t>(value); }

TEST(option_repair, factors_that_are_not_finite_take_their_default_and_others_are_clamped) {
  const float DEFAULT = 0.7f;
  EXPECT_EQ(Sound_Factor(float_of(0x7fc00000), DEFAULT), DEFAULT);  // NaN
  EXPECT_EQ(Sound_Factor(float_of(0xffffffff), DEFAULT), DEFAULT);  // a negative NaN
  EXPECT_EQ(Sound_Factor(float_of(0x7f800000), DEFAULT), DEFAULT);  // +inf
  EXPECT_EQ(Sound_Factor(float_of(0xff800000), DEFAULT), DEFAULT);  // -inf
  EXPECT_EQ(Sound_Factor(1.5f, DEFAULT), 1.0f);
  EXPECT_EQ(Sound_Factor(float_of(0x7f7fffff), DEFAULT), 1.0f);  // the largest float
  EXPECT_EQ(Sound_Factor(-1.0f, DEFAULT), 0.0f);
  EXPECT_EQ(Sound_Factor(-1e30f, DEFAULT), 0.0f);
  // -0 reads as 0 everywhere, but is stored as the plain 0.
  EXPECT_EQ(bits_of(Sound_Factor(float_of(0x80000000), DEFAULT)), 0u);
}

TEST(option_repair, factors_inside_the_range_stay_as_they_are) {
  for (const float value : {0.0f, 0.175f, 0.5f, 1.0f, float_of(0x00000001)})
    EXPECT_EQ(bits_of(Sound_Factor(value, 0.3f)), bits_of(value)) << value;
}

TEST(option_repair, colour_modes_outside_zero_to_two_become_two) {
  for (const int32_t mode : {0, 1, 2}) EXPECT_EQ(Sound_Color_Mode(mode), mode);
  for (const int32_t mode : {3, 7, INT_MAX_32, -1, INT_MIN_32})
    EXPECT_EQ(Sound_Color_Mode(mode), 2) << mode;
}

TEST(option_repair, a_page_index_outside_the_five_pages_opens_the_first) {
  for (const int32_t page : {0, 1, 2, 3, 4}) EXPECT_EQ(Sound_Page_Index(page), page);
  for (const int32_t page : {5, INT_MAX_32, -1, INT_MIN_32})
    EXPECT_EQ(Sound_Page_Index(page), 0) << page;
}

TEST(option_repair, the_count_of_starts_leaves_room_for_one_more_and_is_never_negative) {
  EXPECT_EQ(Sound_Usage_Count(0), 0);
  EXPECT_EQ(Sound_Usage_Count(41), 41);
  EXPECT_EQ(Sound_Usage_Count(INT_MAX_32 - 1), INT_MAX_32 - 1);
  EXPECT_EQ(Sound_Usage_Count(INT_MAX_32), INT_MAX_32 - 1);
  EXPECT_EQ(Sound_Usage_Count(-1), 0);
  EXPECT_EQ(Sound_Usage_Count(INT_MIN_32), 0);
}

}  // namespace
