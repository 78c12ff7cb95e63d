// The sub-solar point, the declination and local solar time.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/gmt.h"
#include "support/death_message.h"
#include "utilitylib/timer.h"
#include "utilitylib/timer_fake_clock.h"

namespace {

constexpr int64_t SUNDAY_2024_01_07 = 1704585600;  // 00:00 UTC
constexpr int64_t JANUARY_1_2023 = 1672531200;     // 00:00 UTC, not a leap year
constexpr int64_t HOUR = 3600;
constexpr int64_t DAY = 86400;

class GmtTest : public ::testing::Test {
 protected:
  // Puts the simulation clock at the given UTC time and updates the Sun.
  void At(int64_t seconds) {
    clock.Set_Calendar(seconds);
    CTimer::Init();
    Update_Solar_Position();
  }

  FakeClock clock;
};

TEST_F(GmtTest, solar_longitudes_at_0_6_12_and_18_utc) {
  At(SUNDAY_2024_01_07);
  EXPECT_EQ(Get_Midnight_Longitude(), 0);
  EXPECT_EQ(std::fabs(Get_Noon_Longitude()), 180);
  At(SUNDAY_2024_01_07 + 6 * HOUR);
  EXPECT_EQ(Get_Midnight_Longitude(), -90);
  EXPECT_EQ(Get_Noon_Longitude(), 90);
  At(SUNDAY_2024_01_07 + 12 * HOUR);
  EXPECT_EQ(Get_Midnight_Longitude(), -180);
  EXPECT_EQ(Get_Noon_Longitude(), 0);
  At(SUNDAY_2024_01_07 + 18 * HOUR);
  EXPECT_EQ(Get_Midnight_Longitude(), 90);
  EXPECT_EQ(Get_Noon_Longitude(), -90);
}

TEST_F(GmtTest, gmtime_gives_the_utc_calendar_fields) {
  At(SUNDAY_2024_01_07 + 13 * HOUR + 5 * 60 + 9);
  const tm* t = Get_Gmtime();
  EXPECT_EQ(t->tm_year, 124);
  EXPECT_EQ(t->tm_yday, 6);
  EXPECT_EQ(t->tm_wday, 0);
  EXPECT_EQ(t->tm_hour, 13);
  EXPECT_EQ(t->tm_min, 5);
  EXPECT_EQ(t->tm_sec, 9);
}

TEST_F(GmtTest, local_hour_around_the_noon_longitude) {
  At(SUNDAY_2024_01_07 + 6 * HOUR);  // noon at exactly 90 east
  EXPECT_EQ(Get_Local_Hour(90), 12);
  EXPECT_EQ(Get_Local_Hour(105), 13);
  EXPECT_EQ(Get_Local_Hour(75), 11);
  EXPECT_EQ(Get_Local_Hour(-90), 0);
  At(SUNDAY_2024_01_07);  // noon at 180
  EXPECT_EQ(Get_Local_Hour(179.99), 11);
  EXPECT_EQ(Get_Local_Hour(0), 0);
  At(SUNDAY_2024_01_07 + 12 * HOUR);
  EXPECT_EQ(Get_Local_Hour(0), 12);
  EXPECT_EQ(Get_Local_Hour(180), 0);
}

TEST_F(GmtTest, day_of_week_changes_at_the_midnight_longitude) {
  At(SUNDAY_2024_01_07 + 13 * HOUR);  // midnight at 165 east
  EXPECT_EQ(Get_Midnight_Longitude(), 165);
  EXPECT_EQ(Get_Local_Day_Of_Week(170), 1);
  EXPECT_EQ(Get_Local_Day_Of_Week(165), 1);
  EXPECT_EQ(Get_Local_Day_Of_Week(160), 0);
  EXPECT_EQ(Get_Local_Day_Of_Week(-180), 0);
  At(SUNDAY_2024_01_07 + 1 * HOUR);  // midnight at 15 west
  EXPECT_EQ(Get_Midnight_Longitude(), -15);
  EXPECT_EQ(Get_Local_Day_Of_Week(-20), 6);
  EXPECT_EQ(Get_Local_Day_Of_Week(-10), 0);
  EXPECT_EQ(Get_Local_Day_Of_Week(180), 0);
}

TEST_F(GmtTest, declination_is_a_360_day_sine_from_day_80) {
  At(JANUARY_1_2023);
  EXPECT_NEAR(Get_Sun_Declination(), -22.70, 0.005);
  EXPECT_DOUBLE_EQ(Get_Sun_Declination(), 23.5 * std::sin(285 * 3.1415927 / 180));
  At(JANUARY_1_2023 + 80 * DAY);
  EXPECT_NEAR(Get_Sun_Declination(), 0, 1e-9);
  At(JANUARY_1_2023 + 170 * DAY);
  EXPECT_NEAR(Get_Sun_Declination(), 23.5, 1e-9);
  At(JANUARY_1_2023 + 350 * DAY);
  EXPECT_NEAR(Get_Sun_Declination(), -23.5, 1e-9);
  // Day 79 is 364 "degrees" on: the cycle does not close over 365 days.
  At(JANUARY_1_2023 + 79 * DAY);
  EXPECT_NEAR(Get_Sun_Declination(), 23.5 * std::sin(364 * 3.1415927 / 180), 1e-9);
}

TEST_F(GmtTest, declination_follows_the_accelerated_clock) {
  At(JANUARY_1_2023 + 80 * DAY);
  CTimer::Set_Time_Acceleration(1.0);
  clock.Advance_Ms(90 * DAY * 1000 / 30000);  // 90 simulated days
  EXPECT_NEAR(Get_Sun_Declination(), 23.5, 1e-9);
}

TEST_F(GmtTest, keeps_working_past_january_2038) {
  const int64_t after_2038 = (int64_t(1) << 31) + 6 * HOUR;
  At(after_2038);
  const tm* t = Get_Gmtime();
  EXPECT_EQ(t->tm_year, 138);
  EXPECT_EQ(t->tm_yday, 18);
  EXPECT_NEAR(Get_Noon_Longitude(), 180 - 360.0 * (9 * HOUR + 14 * 60 + 8) / DAY, 1e-9);
  EXPECT_NEAR(Get_Sun_Declination(), 23.5 * std::sin((18 - 80 + 365) * 3.1415927 / 180), 1e-9);
}

using GmtDeathTest = GmtTest;

TEST_F(GmtDeathTest, longitude_outside_the_earth_is_fatal) {
  At(SUNDAY_2024_01_07);
  EXPECT_EXIT(Get_Local_Day_Of_Week(180.1), ::testing::ExitedWithCode(1),
              "gmt " ASSERTION_LINE_RE " Assert: longitude >= CLatLon::MIN_LON - EPSILON && "
              "longitude <= CLatLon::MAX_LON \\+ EPSILON");
  EXPECT_EQ(Get_Local_Day_Of_Week(180.000001), 0);
}

}  // namespace
