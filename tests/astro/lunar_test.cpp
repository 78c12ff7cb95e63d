// Julian days, sidereal time, obliquity, the ecliptic-to-equatorial turn and
// the stated values of the lunar series.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/lunar.h"
#include "utilitylib/kvmath.h"

namespace {

constexpr double DEG = 57.29577951308232;  // degrees per radian, full precision
constexpr double SHORT_PI_DEG = 180 / 3.1415927;

struct SubLunarPoint {
  double latitude = 0;
  double longitude = 0;
  double distance = 0;
};

SubLunarPoint Sub_Lunar_At(int64_t seconds) {
  SubLunarPoint p;
  Sub_Lunar_Point(seconds, p.latitude, p.longitude, p.distance);
  return p;
}

double Reduced_360(double degrees) {
  const double x = std::fmod(degrees, 360.0);
  return x < 0 ? x + 360 : x;
}

TEST(lunar_julian_day, known_dates_and_the_calendar_switch) {
  EXPECT_EQ(Julian_Day(1582, 10, 15), 2299160.5);
  EXPECT_EQ(Julian_Day(1582, 10, 4), 2299159.5);
  EXPECT_EQ(Julian_Day(2000, 1, 1), 2451544.5);
  EXPECT_EQ(Julian_Day(1970, 1, 1), 2440587.5);
  EXPECT_EQ(Julian_Day(2038, 1, 19), 2465442.5);
  // January and February count as months 13 and 14 of the year before.
  EXPECT_EQ(Julian_Day(2024, 3, 1) - Julian_Day(2024, 2, 28), 2);
  EXPECT_EQ(Julian_Day(2023, 3, 1) - Julian_Day(2023, 2, 28), 1);
  EXPECT_EQ(Julian_Day(1900, 3, 1) - Julian_Day(1900, 2, 28), 1);
  EXPECT_EQ(Julian_Day(1500, 3, 1) - Julian_Day(1500, 2, 28), 2) << "Julian leap rule";
}

TEST(lunar_sidereal_time, iau_1982_value_and_daily_advance) {
  EXPECT_NEAR(Greenwich_Sidereal_Time(2451545.0) * SHORT_PI_DEG, 280.46061837, 1e-9);
  // Not reduced: one day later it is one turn and ~0.9856 degrees more.
  const double at_j2000 = Greenwich_Sidereal_Time(2451545.0);
  const double one_day = Greenwich_Sidereal_Time(2451546.0) - at_j2000;
  EXPECT_NEAR(one_day * SHORT_PI_DEG, 0.98564736629, 1e-7);
  const double half_day = Greenwich_Sidereal_Time(2451545.5) - at_j2000;
  EXPECT_NEAR(half_day * SHORT_PI_DEG, 360.98564736629 / 2, 1e-7);
}

TEST(lunar_obliquity, mean_value_and_nutation_at_2000) {
  const double t = (2451545.0 - 2415020.0) / 36525;
  EXPECT_NEAR(Mean_Obliquity(0) * DEG, 23.45229444, 1e-12);
  // The 1900-based polynomial stays within 0.05" of the modern J2000 value.
  EXPECT_NEAR(Mean_Obliquity(t) * DEG, 23.4392911, 0.000015);
  // Dominated by 9.21" cos(node); the node stood near 125 degrees.
  EXPECT_NEAR(Nutation_In_Obliquity(t) * DEG * 3600, -5.8, 0.3);
}

TEST(lunar_ecliptic_to_equatorial, equinox_solstice_and_the_ecliptic_pole) {
  const double t = 1.0;
  const double epsilon = Mean_Obliquity(t) + Nutation_In_Obliquity(t);
  double alpha = 0;
  double delta = 0;
  Ecliptic_To_Equatorial(t, 0, 0, alpha, delta);
  EXPECT_NEAR(alpha, 0, 1e-12);
  EXPECT_NEAR(delta, 0, 1e-12);
  // cos(lambda) = 0: the ratio is infinite and atan gives a quarter turn.
  Ecliptic_To_Equatorial(t, 0, M_PI / 2, alpha, delta);
  EXPECT_NEAR(alpha, M_PI / 2, 1e-9);
  EXPECT_NEAR(delta, epsilon, 1e-12);
  Ecliptic_To_Equatorial(t, 0, M_PI, alpha, delta);
  EXPECT_NEAR(alpha, M_PI, 1e-9);
  // A negative right ascension comes back into [0, 2 pi).
  Ecliptic_To_Equatorial(t, 0, -0.1, alpha, delta);
  EXPECT_GT(alpha, 6);
  EXPECT_LT(alpha, 2 * M_PI);
  // The ecliptic pole: the latitude cosine is floored, the pole lies at 18h.
  Ecliptic_To_Equatorial(t, M_PI / 2, 0.3, alpha, delta);
  EXPECT_NEAR(alpha * DEG, 270, 1e-6);
  EXPECT_NEAR(delta, M_PI / 2 - epsilon, 1e-9);
}

TEST(lunar_series, moon_at_j2000_to_the_stated_digits) {
  const EclipticPosition moon = Moon_Ecliptic_Position(2451545.0);
  EXPECT_NEAR(moon.lambda * DEG, 223.32, 0.005);
  EXPECT_NEAR(moon.beta * DEG, 5.17, 0.005);
  EXPECT_NEAR(moon.distance_km, 402429, 0.5);
  double alpha = 0;
  double delta = 0;
  double distance = 0;
  Moon_Position(2451545.0, alpha, delta, distance);
  EXPECT_EQ(distance, moon.distance_km);
  double check_alpha = 0;
  double check_delta = 0;
  Ecliptic_To_Equatorial((2451545.0 - 2415020.0) / 36525, moon.beta, moon.lambda, check_alpha,
                         check_delta);
  EXPECT_EQ(alpha, check_alpha);
  EXPECT_EQ(delta, check_delta);
}

TEST(lunar_sub_lunar_point, starts_at_the_1970_julian_day) {
  const SubLunarPoint p = Sub_Lunar_At(0);
  double alpha = 0;
  double delta = 0;
  double moon_distance = 0;
  Moon_Position(2440587.5, alpha, delta, moon_distance);
  const double theta = Greenwich_Sidereal_Time(2440587.5);
  EXPECT_EQ(p.latitude, Radians_To_Degrees(delta));
  EXPECT_EQ(p.longitude, Radians_To_Degrees(alpha) - Radians_To_Degrees(theta));
  EXPECT_EQ(p.distance, moon_distance);
}

TEST(lunar_sub_lunar_point, longitude_is_unreduced_but_gives_the_direction) {
  const double longitude = Sub_Lunar_At(0).longitude;
  EXPECT_GT(std::fabs(longitude), 360);
  // The scene's short pi turns ten thousand degrees about 0.0002 degrees
  // short of the reduced angle: far below a pixel.
  const double reduced = Reduced_360(longitude);
  const double angle = Degrees_To_Radians(longitude);
  EXPECT_NEAR(std::sin(angle), std::sin(Degrees_To_Radians(reduced)), 1e-5);
  EXPECT_NEAR(std::cos(angle), std::cos(Degrees_To_Radians(reduced)), 1e-5);
}

// The Earth turns 360.9856 degrees a day against the stars and the Moon goes
// 11 to 16 degrees the same way, so the point moves ~347 degrees west a day;
// measured on the longitude reduced modulo 360, hour by hour.
TEST(lunar_sub_lunar_point, moves_about_347_degrees_west_per_day) {
  const int64_t start = 1700000000;
  const int days = 27;
  double total = 0;
  double previous = Sub_Lunar_At(start).longitude;
  for (int day = 0; day < days; ++day) {
    double daily = 0;
    for (int hour = 1; hour <= 24; ++hour) {
      const double longitude = Sub_Lunar_At(start + (day * 24 + hour) * 3600).longitude;
      daily += std::remainder(longitude - previous, 360.0);
      previous = longitude;
    }
    EXPECT_GT(daily, -350.5) << day;
    EXPECT_LT(daily, -344.5) << day;
    total += daily;
  }
  EXPECT_NEAR(total / days, -347.8, 0.5);
}

TEST(lunar_sub_lunar_point, keeps_working_past_january_2038) {
  const SubLunarPoint p = Sub_Lunar_At((int64_t(1) << 31) + 86400);
  EXPECT_LE(std::fabs(p.latitude), 29);
  EXPECT_GT(p.distance, 356000);
  EXPECT_LT(p.distance, 407000);
}

}  // namespace
